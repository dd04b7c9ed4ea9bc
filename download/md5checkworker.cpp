#include "download/md5checkworker.h"

#include <QCryptographicHash>
#include <QFile>

namespace {

constexpr qint64 kReadBytes = 1 << 20;

} // namespace

md5checkworker::md5checkworker(const QString &filePath, QObject *parent)
    : ThreadJob(parent)
    , m_filePath(filePath)
{
    connect(this, &Job::finished, this, [this] { emit md5Checkfinished(m_md5); });
}

md5checkworker::~md5checkworker()
{
    doAbort();
    waitForWorker(-1);
}

void md5checkworker::setWritten(qint64 bytes)
{
    QMutexLocker lock(&m_mutex);
    if (bytes <= m_written)
        return;
    m_written = bytes;
    m_more.wakeAll();
}

void md5checkworker::setSize(qint64 bytes)
{
    QMutexLocker lock(&m_mutex);
    m_size = bytes;
    m_more.wakeAll();
}

void md5checkworker::doAbort()
{
    ThreadJob::doAbort();
    QMutexLocker lock(&m_mutex);
    m_more.wakeAll();
}

qint64 md5checkworker::waitForBytes(qint64 from)
{
    QMutexLocker lock(&m_mutex);
    while (!stopRequested() && m_written <= from && (m_size < 0 || from < m_size))
        m_more.wait(&m_mutex);
    return m_size >= 0 ? qMin(m_written, m_size) : m_written;
}

bool md5checkworker::work()
{
    m_md5.clear();
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        setError(ErrorDefine::DOWNLOAD_MD5_ERROR, file.errorString());
        return false;
    }
    if (!m_following) {
        setSize(file.size());
        setWritten(file.size());
    }
    QCryptographicHash hash(QCryptographicHash::Md5);
    QByteArray buffer(int(kReadBytes), Qt::Uninitialized);
    qint64 hashed = 0;
    for (;;) {
        const qint64 until = waitForBytes(hashed);
        if (stopRequested())
            return false;
        if (until <= hashed)
            break; // the whole size is hashed
        while (hashed < until && !stopRequested()) {
            const qint64 got = file.read(buffer.data(), qMin(kReadBytes, until - hashed));
            if (got <= 0) {
                setError(ErrorDefine::DOWNLOAD_MD5_ERROR, file.errorString());
                return false;
            }
            hash.addData(buffer.constData(), int(got));
            hashed += got;
        }
    }
    if (stopRequested())
        return false;
    m_md5 = QString::fromLatin1(hash.result().toHex());
    return true;
}
