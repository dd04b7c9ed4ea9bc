#pragma once

#include "core/threadjob.h"

#include <QMutex>
#include <QString>
#include <QWaitCondition>

// The MD5 of one file, computed on a thread of its own. It either reads the
// file as it is, or follows a file being written: then it hashes the bytes
// below the written prefix it is told about, as that prefix grows, and ends
// once the whole size it is told about is hashed.
class md5checkworker : public ThreadJob
{
    Q_OBJECT

public:
    explicit md5checkworker(const QString &filePath, QObject *parent = nullptr);
    // The worker waits on members of this class, so it must be gone before they are.
    ~md5checkworker() override;

    // Before start(): the file is being written.
    void follow() { m_following = true; }
    // Safe from any thread: the first bytes of the file are written...
    void setWritten(qint64 bytes);
    // ...and the file has this many in all.
    void setSize(qint64 bytes);

    // 32 lower-case hex digits once the job succeeded.
    QString result() const { return m_md5; }

signals:
    // With the result; empty when the file could not be read whole.
    void md5Checkfinished(const QString &md5);

public slots:
    void md5() { start(); }

protected:
    bool work() override;
    void doAbort() override;

private:
    // The next span to hash: [from, returned); from when there is none yet.
    qint64 waitForBytes(qint64 from);

    const QString m_filePath;
    bool m_following = false;
    QMutex m_mutex;
    QWaitCondition m_more;
    qint64 m_written = 0;
    qint64 m_size = -1;
    QString m_md5;
};
