#pragma once

#include "setup/engineabi.h"

#include <QString>

#include <atomic>
#include <cstdint>

// The input stream over the archive and the output stream of one extracted
// file that the engine reads and writes. Reads and writes go to the system in
// pieces of at most 4 MiB. Failures return the HRESULT of the system error.
// Both are reference-counted and free themselves at the last Release.
class CInFileStream final : public engine::IInStream,
                            public engine::IStreamGetSize,
                            public engine::IStreamGetProps,
                            public engine::IStreamGetProps2
{
public:
    CInFileStream() = default;
    // whileWritten lets another handle go on writing the file, as a download
    // does while the package is extracted from what has arrived.
    bool open(const QString &path, bool whileWritten = false);

    engine::HRESULT QueryInterface(const engine::GUID &iid, void **out) override;
    engine::ULONG AddRef() override;
    engine::ULONG Release() override;
    engine::HRESULT Read(void *data, engine::UInt32 size, engine::UInt32 *processed) override;
    engine::HRESULT Seek(
        engine::Int64 offset, engine::UInt32 origin, engine::UInt64 *newPosition) override;
    engine::HRESULT GetSize(engine::UInt64 *size) override;
    engine::HRESULT GetProps(engine::UInt64 *size, engine::FILETIME *creation,
        engine::FILETIME *access, engine::FILETIME *write, engine::UInt32 *attributes) override;
    engine::HRESULT GetProps2(engine::StreamProps2 *props) override;

private:
    ~CInFileStream();
    bool close();

    std::atomic<engine::ULONG> m_refCount { 0 };
    std::intptr_t m_handle = -1;
};

class COutFileStream final : public engine::IOutStream
{
public:
    COutFileStream() = default;
    // Always a new, empty file.
    bool create(const QString &path);
    // A new file only where nothing of that name is yet, links included;
    // exists tells whether that was why it failed.
    bool createNew(const QString &path, bool &exists);
    engine::HRESULT SetMTime(const engine::FILETIME &time);
    // What filehelpers::setAttributes does for a file, through the handle of
    // the file this stream created.
    engine::HRESULT SetAttributes(engine::UInt32 attributes, std::uint32_t forbiddenModeBits);
    engine::HRESULT Close();
    bool isOpen() const { return m_handle != -1; }
    // Whether a write stopped before all its bytes were on disk.
    bool writeFailed() const { return m_writeFailed; }

    engine::HRESULT QueryInterface(const engine::GUID &iid, void **out) override;
    engine::ULONG AddRef() override;
    engine::ULONG Release() override;
    engine::HRESULT Write(
        const void *data, engine::UInt32 size, engine::UInt32 *processed) override;
    engine::HRESULT Seek(
        engine::Int64 offset, engine::UInt32 origin, engine::UInt64 *newPosition) override;
    engine::HRESULT SetSize(engine::UInt64 size) override;

private:
    ~COutFileStream();

    std::atomic<engine::ULONG> m_refCount { 0 };
    std::intptr_t m_handle = -1;
    bool m_writeFailed = false;
};

// The largest piece handed to the system in one read or write call.
constexpr engine::UInt32 kMaxIoPiece = 4u << 20;
