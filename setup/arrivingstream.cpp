#include "setup/arrivingstream.h"

#include "setup/arrivedranges.h"
#include "setup/filestreams.h"

#include <QtEndian>

#include <limits>

#include <zlib.h>

using namespace engine;

qint64 CInArrivingStream::sevenZipHeaderOffset(const QByteArray &start, qint64 size)
{
    static const char kSignature[] = { '7', 'z', '\xBC', '\xAF', '\x27', '\x1C' };
    if (start.size() < kStartHeaderSize || !start.startsWith(QByteArray(kSignature, 6)))
        return -1;
    const auto *bytes = reinterpret_cast<const uchar *>(start.constData());
    // The offset and size are taken only under their own checksum.
    if (qFromLittleEndian<quint32>(bytes + 8) != quint32(crc32(0, bytes + 12, 20)))
        return -1;
    const quint64 offset = qFromLittleEndian<quint64>(bytes + 12);
    const quint64 length = qFromLittleEndian<quint64>(bytes + 20);
    const quint64 room = quint64(qMax<qint64>(0, size - kStartHeaderSize));
    if (length == 0 || offset > room || length > room - offset)
        return -1;
    return qint64(offset) + kStartHeaderSize;
}

CInArrivingStream::CInArrivingStream(QSharedPointer<ArrivedRanges> ranges, UInt64 size)
    : m_ranges(std::move(ranges))
    , m_size(size)
{
}

CInArrivingStream::~CInArrivingStream()
{
    if (m_file)
        m_file->Release();
}

bool CInArrivingStream::open(const QString &path)
{
    if (!m_file) {
        m_file = new CInFileStream;
        m_file->AddRef();
    }
    return m_file->open(path, true);
}

bool CInArrivingStream::stopped() const
{
    return m_ranges->isStopped();
}

HRESULT CInArrivingStream::QueryInterface(const GUID &iid, void **out)
{
    if (iid == IID_IUnknown || iid == IID_ISequentialInStream || iid == IID_IInStream)
        *out = static_cast<IInStream *>(this);
    else if (iid == IID_IStreamGetSize)
        *out = static_cast<IStreamGetSize *>(this);
    else {
        *out = nullptr;
        return kNoInterface;
    }
    AddRef();
    return kOk;
}

ULONG CInArrivingStream::AddRef()
{
    return ++m_refCount;
}

ULONG CInArrivingStream::Release()
{
    const ULONG left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CInArrivingStream::Read(void *data, UInt32 size, UInt32 *processed)
{
    if (processed)
        *processed = 0;
    if (!m_file)
        return kFail;
    if (size == 0 || m_position >= m_size)
        return kOk;
    const UInt64 wanted = qMin<UInt64>(size, m_size - m_position);
    // The first byte is enough: the engine takes short reads, and what has
    // arrived past a gap would only make it wait longer.
    if (!m_ranges->waitFor(qint64(m_position), 1))
        return kAbort;
    const UInt64 ready = qMin<UInt64>(wanted, UInt64(m_ranges->arrivedFrom(qint64(m_position))));
    HRESULT result = m_file->Seek(Int64(m_position), 0, nullptr);
    UInt32 got = 0;
    if (result == kOk)
        result = m_file->Read(data, UInt32(ready), &got);
    if (result != kOk)
        return result;
    // A partial file shorter than the bytes said to be in it would otherwise
    // read as the end of the package.
    if (got == 0)
        return kFail;
    m_position += got;
    if (processed)
        *processed = got;
    return kOk;
}

HRESULT CInArrivingStream::Seek(Int64 offset, UInt32 origin, UInt64 *newPosition)
{
    Int64 base = 0;
    switch (origin) {
    case 0:
        break;
    case 1:
        base = Int64(m_position);
        break;
    case 2:
        base = Int64(m_size);
        break;
    default:
        return kInvalidFunction;
    }
    if (offset < -base)
        return HRESULT(0x80070083u); // ERROR_NEGATIVE_SEEK, as Windows says it
    if (offset > std::numeric_limits<Int64>::max() - base)
        return kInvalidFunction;
    m_position = UInt64(base + offset);
    if (newPosition)
        *newPosition = m_position;
    return kOk;
}

HRESULT CInArrivingStream::GetSize(UInt64 *size)
{
    *size = m_size;
    return kOk;
}
