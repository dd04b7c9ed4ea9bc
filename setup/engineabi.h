#pragma once

// The few COM-style types and interfaces of the 7-Zip engine that extraction
// uses, declared here from their published binary layout: virtual calls in
// the platform's default convention, IUnknown's three slots first, no
// virtual destructor in any interface.

#include <cstdint>
#include <cstring>

namespace engine {

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using PROPID = std::uint32_t;
using UInt32 = std::uint32_t;
using Int32 = std::int32_t;
using UInt64 = std::uint64_t;
using Int64 = std::int64_t;
using VARTYPE = std::uint16_t;
using OLECHAR = wchar_t; // 2 bytes on Windows, 4 on Linux: the engine uses the platform's
using BSTR = OLECHAR *;

constexpr HRESULT kOk = 0;
constexpr HRESULT kFalse = 1;
constexpr HRESULT kNotImplemented = HRESULT(0x80004001u);
constexpr HRESULT kNoInterface = HRESULT(0x80004002u);
constexpr HRESULT kAbort = HRESULT(0x80004004u);
constexpr HRESULT kFail = HRESULT(0x80004005u);
constexpr HRESULT kInvalidFunction = HRESULT(0x80030001u);

struct GUID
{
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];

    bool operator==(const GUID &other) const
    {
        return std::memcmp(this, &other, sizeof(GUID)) == 0;
    }
};

struct FILETIME
{
    std::uint32_t dwLowDateTime;
    std::uint32_t dwHighDateTime;
};

enum : VARTYPE {
    VT_EMPTY = 0,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_UI4 = 19,
    VT_UI8 = 21,
    VT_FILETIME = 64
};

struct PROPVARIANT
{
    VARTYPE vt;
    std::uint16_t wReserved1;
    std::uint16_t wReserved2;
    std::uint16_t wReserved3;
    union {
        std::int16_t boolVal; // VARIANT_TRUE is -1
        std::uint32_t ulVal;
        UInt64 uhVal;
        BSTR bstrVal;
        FILETIME filetime;
    };
};
static_assert(sizeof(PROPVARIANT) == 16, "PROPVARIANT must match the engine's layout");

// Property ids the extraction reads.
enum : PROPID {
    kpidPath = 3,
    kpidIsDir = 6,
    kpidSize = 7,
    kpidAttrib = 9,
    kpidMTime = 12,
    kpidCRC = 19
};

// Ask modes and operation results of IArchiveExtractCallback.
enum : Int32 { kExtract = 0, kTest = 1, kSkip = 2 };

// {23170F69-40C1-278A-0000-00gg00ii0000}
constexpr GUID interfaceId(std::uint8_t group, std::uint8_t id)
{
    return { 0x23170F69, 0x40C1, 0x278A, { 0, 0, 0, group, 0, id, 0, 0 } };
}

// {23170F69-40C1-278A-1000-000110ff0000}
constexpr GUID handlerClassId(std::uint8_t format)
{
    return { 0x23170F69, 0x40C1, 0x278A, { 0x10, 0, 0, 0x01, 0x10, format, 0, 0 } };
}

constexpr GUID IID_IUnknown = { 0x00000000, 0x0000, 0x0000, { 0xC0, 0, 0, 0, 0, 0, 0, 0x46 } };
constexpr GUID IID_IProgress = interfaceId(0x00, 0x05);
constexpr GUID IID_ISequentialInStream = interfaceId(0x03, 0x01);
constexpr GUID IID_ISequentialOutStream = interfaceId(0x03, 0x02);
constexpr GUID IID_IInStream = interfaceId(0x03, 0x03);
constexpr GUID IID_IOutStream = interfaceId(0x03, 0x04);
constexpr GUID IID_IStreamGetSize = interfaceId(0x03, 0x06);
constexpr GUID IID_IStreamGetProps = interfaceId(0x03, 0x08);
constexpr GUID IID_IStreamGetProps2 = interfaceId(0x03, 0x09);
constexpr GUID IID_ICryptoGetTextPassword = interfaceId(0x05, 0x10);
constexpr GUID IID_IArchiveOpenCallback = interfaceId(0x06, 0x10);
constexpr GUID IID_IArchiveExtractCallback = interfaceId(0x06, 0x20);
constexpr GUID IID_IInArchive = interfaceId(0x06, 0x60);
constexpr GUID IID_ISetProperties = interfaceId(0x06, 0x03);

constexpr GUID CLSID_Format7z = handlerClassId(0x07);
constexpr GUID CLSID_FormatZip = handlerClassId(0x01);
constexpr GUID CLSID_FormatRar = handlerClassId(0x03);

struct IUnknown
{
    virtual HRESULT QueryInterface(const GUID &iid, void **out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};

struct ISequentialInStream : IUnknown
{
    virtual HRESULT Read(void *data, UInt32 size, UInt32 *processed) = 0;
};

struct IInStream : ISequentialInStream
{
    virtual HRESULT Seek(Int64 offset, UInt32 origin, UInt64 *newPosition) = 0;
};

struct ISequentialOutStream : IUnknown
{
    virtual HRESULT Write(const void *data, UInt32 size, UInt32 *processed) = 0;
};

struct IOutStream : ISequentialOutStream
{
    virtual HRESULT Seek(Int64 offset, UInt32 origin, UInt64 *newPosition) = 0;
    virtual HRESULT SetSize(UInt64 size) = 0;
};

struct IStreamGetSize : IUnknown
{
    virtual HRESULT GetSize(UInt64 *size) = 0;
};

struct IStreamGetProps : IUnknown
{
    virtual HRESULT GetProps(
        UInt64 *size, FILETIME *creation, FILETIME *access, FILETIME *write, UInt32 *attributes)
        = 0;
};

struct StreamProps2
{
    UInt64 Size;
    UInt64 VolID;
    UInt64 FileID_Low;
    UInt64 FileID_High;
    UInt32 NumLinks;
    UInt32 Attrib;
    FILETIME CTime;
    FILETIME ATime;
    FILETIME MTime;
};

struct IStreamGetProps2 : IUnknown
{
    virtual HRESULT GetProps2(StreamProps2 *props) = 0;
};

struct IProgress : IUnknown
{
    virtual HRESULT SetTotal(UInt64 total) = 0;
    virtual HRESULT SetCompleted(const UInt64 *completed) = 0;
};

struct ICryptoGetTextPassword : IUnknown
{
    virtual HRESULT CryptoGetTextPassword(BSTR *password) = 0;
};

struct IArchiveOpenCallback : IUnknown
{
    virtual HRESULT SetTotal(const UInt64 *files, const UInt64 *bytes) = 0;
    virtual HRESULT SetCompleted(const UInt64 *files, const UInt64 *bytes) = 0;
};

struct IArchiveExtractCallback : IProgress
{
    virtual HRESULT GetStream(UInt32 index, ISequentialOutStream **out, Int32 askMode) = 0;
    virtual HRESULT PrepareOperation(Int32 askMode) = 0;
    virtual HRESULT SetOperationResult(Int32 result) = 0;
};

struct IInArchive : IUnknown
{
    virtual HRESULT Open(
        IInStream *stream, const UInt64 *maxCheckStartPosition, IArchiveOpenCallback *callback)
        = 0;
    virtual HRESULT Close() = 0;
    virtual HRESULT GetNumberOfItems(UInt32 *count) = 0;
    virtual HRESULT GetProperty(UInt32 index, PROPID propId, PROPVARIANT *value) = 0;
    virtual HRESULT Extract(
        const UInt32 *indices, UInt32 count, Int32 testMode, IArchiveExtractCallback *callback)
        = 0;
    // Property-information slots follow; extraction never calls them.
};

// Handler settings by name, such as "mt" (decoder threads, VT_UI4); asked
// before the archive is opened.
struct ISetProperties : IUnknown
{
    virtual HRESULT SetProperties(
        const wchar_t *const *names, const PROPVARIANT *values, UInt32 count)
        = 0;
};

using CreateObjectFunc = HRESULT (*)(const GUID *classId, const GUID *interfaceId, void **out);
using SysFreeStringFunc = void (*)(BSTR);

// FILETIME ticks (100 ns since 1601-01-01 UTC) from and to Unix time.
constexpr std::int64_t kFiletimeUnixOffsetSeconds = 11644473600LL;

} // namespace engine
