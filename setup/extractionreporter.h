#pragma once

#include "core/errordefine.h"

#include <QString>

// What the engine callbacks tell whoever runs an extraction. Called on the
// extracting thread.
class ExtractionReporter
{
public:
    virtual void reportProgress(qint64 completed, qint64 total) = 0;
    virtual void reportFileWritten(const QString &path) = 0;
    // Marks the run as failed; extraction of the other items goes on.
    virtual void reportError(ErrorDefine::ErrorCode error, const QString &message) = 0;
    // A file item written whole, under its cleaned path inside the output
    // folder, with the size and CRC32 the archive gives for it.
    virtual void reportItemWritten(const QString &relativePath, qint64 size, quint32 crc)
    {
        Q_UNUSED(relativePath)
        Q_UNUSED(size)
        Q_UNUSED(crc)
    }
    // True when the program is going away: the engine is told to abort.
    virtual bool stopRequested() const = 0;

protected:
    ~ExtractionReporter() = default;
};
