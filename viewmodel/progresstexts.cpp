#include "viewmodel/progresstexts.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double kGiB = 1024.0 * 1024.0 * 1024.0;
constexpr int kSpeedSamples = 11;
constexpr int kMd5TipIntervalMs = 1000;
// Far beyond any real download, yet small enough to stay an exact integer.
constexpr double kLongestRemainingSecs = 1e12;

// The texts are the view model's: they share its translation context.
QString speedLabel()
{
    return QCoreApplication::translate("MainViewModel", "label_download_speed");
}

QString kbsUnit()
{
    return QCoreApplication::translate("MainViewModel", "label_download_speed_kbs");
}

QString zeroSpeedText()
{
    return speedLabel() + QLatin1Char('0') + kbsUnit();
}

QString speedText(double averageKiBs)
{
    // The MB/s form starts at 0.9 KiB/s, not at 0.9 MB/s: that is how the
    // window has always shown speed, so only a stalled download reads KB/s.
    if (averageKiBs >= 0.9)
        return speedLabel() + QLatin1Char(' ') + QString::number(averageKiBs / 1024, 'f', 2)
            + QCoreApplication::translate("MainViewModel", "label_download_speed_mbs");
    return speedLabel() + QLatin1Char(' ') + QString::number(averageKiBs, 'f', 2) + kbsUnit();
}

QString sizeText(qint64 bytes)
{
    return QString::number(bytes / kGiB, 'f', 2)
        + QCoreApplication::translate("MainViewModel", "label_unit_gb");
}

QString percentText(qint64 done, qint64 total)
{
    // The size is unknown until the server has answered for it.
    const qint64 percent = total > 0 ? done * 100 / total : 0;
    return QStringLiteral(" %1% (%2/%3)")
        .arg(QString::number(percent), sizeText(done), sizeText(total));
}

// An estimate from no progress at all is not finite; it shows as nothing left.
qint64 wholeSeconds(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0)
        return 0;
    return static_cast<qint64>(std::min(seconds, kLongestRemainingSecs));
}

QString timeText(qint64 seconds)
{
    const QChar zero(QLatin1Char('0'));
    return QCoreApplication::translate("MainViewModel", "label_task_need_time")
        + QStringLiteral("%1:%2:%3")
              .arg(seconds / 3600, 2, 10, zero)
              .arg(seconds % 3600 / 60, 2, 10, zero)
              .arg(seconds % 60, 2, 10, zero);
}

} // namespace

ProgressTexts::ProgressTexts(QObject *parent)
    : QObject(parent)
    , m_clock([] { return QDateTime::currentDateTimeUtc(); })
    , m_md5TipTimer(this)
{
    m_md5TipTimer.setInterval(kMd5TipIntervalMs);
    connect(&m_md5TipTimer, &QTimer::timeout, this, &ProgressTexts::UpdateCheckMd5Tip);
}

void ProgressTexts::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void ProgressTexts::onDownloadProgress(qint64 bytesRead, qint64 totalBytes)
{
    // A resumed download's first count is its baseline, not a burst of speed.
    if (m_lastDownloadedBytes == 0) {
        m_maxProgress = -1.0f;
        m_lastDownloadedBytes = bytesRead;
    }
    setText(m_downloadPercentage,
        QCoreApplication::translate("MainViewModel", "label_downloading_percent")
            + percentText(bytesRead, totalBytes));

    const QDateTime now = m_clock();
    const qint64 elapsed = secondsSinceLastSample(now);
    if (elapsed > 0) {
        if (m_speedSamples.size() >= kSpeedSamples)
            m_speedSamples.removeFirst();
        m_speedSamples.append((bytesRead - m_lastDownloadedBytes) / 1024.0 / elapsed);
        const double average = std::accumulate(m_speedSamples.cbegin(), m_speedSamples.cend(), 0.0)
            / m_speedSamples.size();
        const qint64 remaining = totalBytes - bytesRead;
        setText(m_downloadSpeed, remaining > 0 ? speedText(average) : zeroSpeedText());
        setText(m_taskNeedTime, timeText(wholeSeconds(remaining / 1024.0 / average)));
        m_lastSampleTime = now;
        m_lastDownloadedBytes = bytesRead;
    }
    raiseBar(bytesRead, totalBytes);
}

void ProgressTexts::onSetupProgress(qint64 finished, qint64 total)
{
    const QDateTime now = m_clock();
    const qint64 elapsed = secondsSinceLastSample(now);
    if (elapsed > 0) {
        setText(m_setupPercentage,
            QCoreApplication::translate("MainViewModel", "label_installing_progress")
                + percentText(finished, total));
        // Extraction runs at a steady pace; the last second predicts well enough.
        const double rate = (finished - m_lastSetupBytes) / 1024.0 / elapsed;
        setText(m_taskNeedTime, timeText(wholeSeconds((total - finished) / 1024.0 / rate)));
        m_lastSampleTime = now;
        m_lastSetupBytes = finished;
    }
    raiseBar(finished, total);
}

void ProgressTexts::resetRun()
{
    m_maxProgress = -1.0f;
    m_lastDownloadedBytes = 0;
    m_lastSampleTime = m_clock();
}

void ProgressTexts::finishDownload()
{
    if (m_maxProgress < 1.0f) {
        m_maxProgress = 1.0f;
        emit progressChanged(1.0f);
    }
    m_maxProgress = -1.0f;
}

void ProgressTexts::beginSetup()
{
    m_maxProgress = -1.0f;
    // The previous extraction's count would make the first rate negative.
    m_lastSetupBytes = 0;
}

void ProgressTexts::resetSpeedText()
{
    setText(m_downloadSpeed, zeroSpeedText());
}

void ProgressTexts::resetTimeText()
{
    setText(m_taskNeedTime, timeText(0));
}

void ProgressTexts::startMd5Animation()
{
    m_md5TipTimer.start(kMd5TipIntervalMs);
}

void ProgressTexts::stopMd5Animation()
{
    m_md5TipTimer.stop();
}

void ProgressTexts::UpdateCheckMd5Tip()
{
    const QString tail
        = m_md5Dots == 0 ? QStringLiteral(" ") : QString(m_md5Dots, QLatin1Char('.'));
    setText(m_setupPercentage,
        QCoreApplication::translate("MainViewModel", "label_checking_md5") + tail);
    m_md5Dots = (m_md5Dots + 1) % 4;
}

qint64 ProgressTexts::secondsSinceLastSample(const QDateTime &now) const
{
    const qint64 last = m_lastSampleTime.isValid() ? m_lastSampleTime.toSecsSinceEpoch() : 0;
    return now.toSecsSinceEpoch() - last;
}

void ProgressTexts::raiseBar(qint64 done, qint64 total)
{
    if (total <= 0)
        return;
    // A count that falls back (a block fetched again) must not pull the bar.
    const float fraction = float(done) / float(total);
    if (fraction > 0.0f && fraction > m_maxProgress) {
        m_maxProgress = std::min(fraction, 1.0f);
        emit progressChanged(m_maxProgress);
    }
}

void ProgressTexts::setText(QString &text, const QString &value)
{
    if (text == value)
        return;
    text = value;
    emit textsChanged();
}
