#pragma once

#include "setup/engineabi.h"

#include <QByteArray>
#include <QSharedPointer>
#include <QString>

#include <atomic>

class ArrivedRanges;
class CInFileStream;

// The engine's input stream over a package that is still being downloaded:
// its size is the package's expected size, and a read waits until the bytes
// it returns have arrived. Once the ranges are stopped every read fails with
// kAbort, so the engine's extraction ends with an error that stopped() tells
// apart from a damaged archive. Reference-counted like the file streams.
class CInArrivingStream final : public engine::IInStream, public engine::IStreamGetSize
{
public:
    // A 7z archive's first bytes name where its header lies, at its end.
    static constexpr int kStartHeaderSize = 32;

    CInArrivingStream(QSharedPointer<ArrivedRanges> ranges, engine::UInt64 size);
    // Where the header of a 7z package of size bytes starts, from the
    // package's first kStartHeaderSize bytes; -1 when they are not a sound 7z
    // start header or name a header beyond the package.
    static qint64 sevenZipHeaderOffset(const QByteArray &start, qint64 size);
    // The partial file, which need not hold any byte yet.
    bool open(const QString &path);
    bool stopped() const;

    engine::HRESULT QueryInterface(const engine::GUID &iid, void **out) override;
    engine::ULONG AddRef() override;
    engine::ULONG Release() override;
    engine::HRESULT Read(void *data, engine::UInt32 size, engine::UInt32 *processed) override;
    engine::HRESULT Seek(
        engine::Int64 offset, engine::UInt32 origin, engine::UInt64 *newPosition) override;
    engine::HRESULT GetSize(engine::UInt64 *size) override;

private:
    ~CInArrivingStream();

    std::atomic<engine::ULONG> m_refCount { 0 };
    QSharedPointer<ArrivedRanges> m_ranges;
    CInFileStream *m_file = nullptr;
    engine::UInt64 m_size;
    engine::UInt64 m_position = 0;
};
