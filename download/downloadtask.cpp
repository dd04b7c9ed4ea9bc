#include "download/downloadtask.h"

#include "download/bandwidthlimit.h"

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QRandomGenerator>
#include <QTimer>

namespace {

enum class StatusRule { Accept, Retry, Fail };

// One rule per status, whether or not a body came with it: only answers that
// may change on their own are asked again. A redirect is a failure too: the
// range was asked of the address the size came from.
StatusRule ruleFor(int status)
{
    if (status == 0 || status == 200 || status == 206)
        return StatusRule::Accept; // 0: no answer at all, the transport error tells
    if (status >= 500 || status == 408 || status == 429)
        return StatusRule::Retry;
    return StatusRule::Fail;
}

// The first byte a 206 answer says its body starts at, or -1 when it says
// nothing usable ("bytes <first>-<last>/<total or *>").
qint64 contentRangeStart(const QByteArray &header)
{
    const QByteArray value = header.trimmed();
    if (!value.startsWith("bytes "))
        return -1;
    const int dash = value.indexOf('-');
    bool ok = false;
    const qint64 first = value.mid(6, dash - 6).trimmed().toLongLong(&ok);
    return dash > 6 && ok ? first : -1;
}

} // namespace

downloadtask::downloadtask(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_timer(new QTimer(this))
    , m_restartTimer(new QTimer(this))
    , m_rateTimer(new QTimer(this))
    , m_readTimer(new QTimer(this))
    , m_limit(&BandwidthLimit::shared())
{
    m_readTimer->setSingleShot(true);
    connect(m_readTimer, &QTimer::timeout, this, [this] { readBlocks(true); });
    m_timer->setSingleShot(true);
    m_timer->setInterval(kInactivityMs);
    connect(m_timer, &QTimer::timeout, this, &downloadtask::timeout);
    m_restartTimer->setSingleShot(true);
    connect(m_restartTimer, &QTimer::timeout, this, &downloadtask::start);
    m_rateTimer->setInterval(kStallWindowMs);
    connect(m_rateTimer, &QTimer::timeout, this, &downloadtask::checkRate);
}

void downloadtask::reset()
{
    m_downloadedSize = 0;
    m_stopped = true;
    m_finished = false;
}

void downloadtask::addDownloaded(qint64 bytes)
{
    m_downloadedSize += bytes;
    if (!rangeComplete() || m_stopped)
        return;
    stop();
    m_finished = true;
}

void downloadtask::setInactivityMs(int ms)
{
    m_timer->setInterval(ms);
}

void downloadtask::setStallWindowMs(int ms)
{
    m_rateTimer->setInterval(ms);
}

void downloadtask::shortenTo(qint64 end)
{
    m_endPosition = qMax(m_startPosition + m_downloadedSize, qMin(end, m_endPosition));
    if (rangeComplete() && !m_stopped) {
        stop();
        m_finished = true;
    }
}

void downloadtask::setUrl(
    const QUrl &requestUrl, qlonglong start, qlonglong end, qlonglong size, int taskIdentifier)
{
    m_url = requestUrl;
    m_startPosition = start;
    m_endPosition = end;
    m_downloadedSize = size;
    m_taskIdentifier = taskIdentifier;
    m_reply = nullptr;
}

void downloadtask::start()
{
    if (!m_stopped || m_finished)
        return;
    m_restartTimer->stop();
    if (rangeComplete()) {
        m_finished = true;
        return;
    }
    m_stopped = false;
    QNetworkRequest request(m_url);

    const qint64 from = m_startPosition + m_downloadedSize;
    request.setRawHeader(
        "Range", QStringLiteral("bytes=%1-%2").arg(from).arg(m_endPosition).toLatin1());
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    if (m_manager->networkAccessible() == QNetworkAccessManager::NotAccessible)
        m_manager->setNetworkAccessible(QNetworkAccessManager::Accessible);
    QT_WARNING_POP
    m_reply = m_manager->get(request);
    m_reply->setReadBufferSize(kReadBufferBytes);
    m_bytesToSkip = from;
    m_statusChecked = false;
    m_replyEnded = false;
    m_sizeAtStart = m_downloadedSize;
    m_received = 0;
    m_receivedBeforeWindow = 0;
    m_timer->start();
    m_rateTimer->start();

    connect(m_reply, &QNetworkReply::finished, this, &downloadtask::downloadFinished);
    connect(m_reply, &QNetworkReply::readyRead, this, &downloadtask::downloadReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this,
        [this](qint64 received, qint64) { networkReplyProgress(received); });
}

void downloadtask::stop()
{
    m_stopped = true;
    // A paused task must stay paused: the watchdogs only guard a running
    // reply, and a restart still to come is called off.
    m_timer->stop();
    m_rateTimer->stop();
    m_restartTimer->stop();
    m_readTimer->stop();
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->close();
    m_reply->deleteLater();
    m_reply = nullptr;
}

bool downloadtask::failOnStatus()
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (ruleFor(status) != StatusRule::Fail)
        return false;
    const QString message = status >= 400
        ? m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()
        : QString();
    stop();
    emit httpStatusCodeError(status, message);
    return true;
}

void downloadtask::downloadReadyRead()
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (failOnStatus())
        return;
    if (status != 200 && status != 206) {
        // The body of an answer that is retried is no part of the file.
        m_reply->readAll();
        return;
    }
    if (!m_statusChecked) {
        if (status == 206) {
            // Bytes from anywhere but the asked position would be written
            // there all the same, and only the check of the whole file would
            // notice; a server may answer again correctly.
            const qint64 first = contentRangeStart(m_reply->rawHeader("Content-Range"));
            if (first != m_bytesToSkip) {
                retryOrGiveUp(QNetworkReply::ProtocolFailure,
                    QStringLiteral("The answer does not start at byte %1").arg(m_bytesToSkip));
                return;
            }
            m_bytesToSkip = 0;
        }
        m_statusChecked = true;
        if (status == 206) {
            emit rangeConfirmed();
            if (!m_reply || m_stopped)
                return;
        }
    }
    readBlocks();
}

void downloadtask::readBlocks(bool evenSmall)
{
    while (m_reply && !m_stopped) {
        const qint64 waiting = m_reply->bytesAvailable();
        if (waiting == 0)
            break;
        if (waiting < kBlockBytes && !m_replyEnded && !evenSmall) {
            // More is on its way; a small block is still taken once it has
            // waited a while, so a slow link keeps its progress recorded.
            if (!m_readTimer->isActive())
                m_readTimer->start(kBlockWaitMs);
            return;
        }
        const qint64 wanted = qMin(waiting, kReadBufferBytes);
        const qint64 granted = m_bytesToSkip > 0 ? wanted : m_limit->take(wanted);
        if (granted == 0) {
            m_readTimer->start(m_limit->msUntilAvailable(wanted));
            return;
        }
        QByteArray block = m_reply->read(granted);
        if (m_bytesToSkip > 0) {
            const qint64 skipped = qMin<qint64>(m_bytesToSkip, block.size());
            block.remove(0, int(skipped));
            m_bytesToSkip -= skipped;
        }
        const qint64 room = m_endPosition - m_startPosition - m_downloadedSize;
        if (block.size() > room)
            block.truncate(int(qMax<qint64>(0, room)));
        if (!block.isEmpty())
            emit readyRead(block, m_startPosition + m_downloadedSize, m_taskIdentifier);
    }
    m_readTimer->stop();
    if (m_replyEnded && m_reply && !m_stopped)
        concludeReply();
}

void downloadtask::networkReplyProgress(qlonglong bytesRead)
{
    if (m_timer->isActive())
        m_timer->start();
    m_received = bytesRead;
    emit progress(bytesRead);
}

void downloadtask::downloadFinished()
{
    if (m_timer->isActive())
        m_timer->stop();
    m_rateTimer->stop();
    if (m_stopped)
        return;
    if (failOnStatus())
        return;
    // What the reply still holds is taken first, as the limit allows.
    m_replyEnded = true;
    readBlocks(true);
}

void downloadtask::concludeReply()
{
    m_stopped = true;

    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (ruleFor(status) == StatusRule::Retry && m_reply->error() == QNetworkReply::NoError) {
        retryOrGiveUp(QNetworkReply::UnknownServerError, QStringLiteral("HTTP %1").arg(status));
        return;
    }
    if (m_reply->error() == QNetworkReply::NoError) {
        if (rangeComplete()) {
            stop();
            m_finished = true;
            return;
        }
        // A clean end short of the range would otherwise leave the owner
        // waiting for bytes that never come.
        retryOrGiveUp(QNetworkReply::RemoteHostClosedError,
            QStringLiteral("The transfer ended before the range was complete"));
        return;
    }
    retryOrGiveUp(m_reply->error(), m_reply->errorString());
}

void downloadtask::retryOrGiveUp(QNetworkReply::NetworkError error, const QString &text)
{
    qDebug().noquote() << QStringLiteral("Download failed:\n%1.").arg(text)
                       << " time:" << QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    if (!restartIfAttemptsLeft())
        emit networkError(error, text);
}

void downloadtask::timeout()
{
    if (!restartIfAttemptsLeft())
        emit networkError(QNetworkReply::TimeoutError, tr("message_request_time_out"));
}

void downloadtask::checkRate()
{
    const qint64 inWindow = m_received - m_receivedBeforeWindow;
    m_receivedBeforeWindow = m_received;
    if (inWindow * 1000 >= m_minimumBytesPerSecond * m_rateTimer->interval())
        return;
    qDebug() << "Download stalled:" << inWindow << "bytes in" << m_rateTimer->interval() << "ms";
    timeout();
}

// Failures in a row share the four restarts; real progress since the last
// start begins a new row, so a long download survives hiccups hours apart.
bool downloadtask::restartIfAttemptsLeft()
{
    // What came before the failure is good; only the rest is asked again.
    if (m_reply && !m_stopped && m_statusChecked)
        readBlocks(true);
    stop();
    if (m_downloadedSize - m_sizeAtStart >= m_progressForFreshAttempts)
        m_attempt = 1;
    if (m_attempt >= kAttemptLimit)
        return false;
    ++m_attempt;
    m_restartTimer->start(backoffMs());
    return true;
}

// A server that is down for everyone is not asked again at once, and the
// jitter keeps many launchers that lost it together from returning together.
int downloadtask::backoffMs() const
{
    const int restartsBefore = m_attempt - 2;
    const double jitter = 0.75 + 0.5 * QRandomGenerator::global()->generateDouble();
    return int(m_backoffBaseMs * double(1 << restartsBefore) * jitter);
}
