#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

// The bar and the texts under it while the game package downloads, is
// verified and is extracted: percent and sizes, speed, time left and the
// dots of the MD5 check. Workers signal far more often than a person can
// read, so speed and time are rebuilt at most once per wall-clock second.
class ProgressTexts : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit ProgressTexts(QObject *parent = nullptr);

    // Tests step time by hand instead of waiting for it.
    void setClock(Clock clock);

    void onDownloadProgress(qint64 bytesRead, qint64 totalBytes);
    void onSetupProgress(qint64 finished, qint64 total);

    // A download or a verification begins or ends: the bar may start low
    // again and the next progress signal is the new speed baseline.
    void resetRun();
    // Extraction ends or fails: only the bar's floor goes.
    void resetBar() { m_maxProgress = -1.0f; }
    // Every byte is there: the bar shows full however the last signal fell.
    void finishDownload();
    // The extraction worker starts now.
    void beginSetup();
    void resetSpeedText();
    void resetTimeText();

    void startMd5Animation();
    void stopMd5Animation();

    float maxProgress() const { return m_maxProgress; }

    // Empty until the first progress: the window shows its own label then.
    QString downloadPercentage() const { return m_downloadPercentage; }
    QString setupPercentage() const { return m_setupPercentage; }
    QString downloadSpeed() const { return m_downloadSpeed; }
    QString taskNeedTime() const { return m_taskNeedTime; }

public slots:
    void UpdateCheckMd5Tip();

signals:
    void progressChanged(float progress);
    void textsChanged();

private:
    qint64 secondsSinceLastSample(const QDateTime &now) const;
    void raiseBar(qint64 done, qint64 total);
    void setText(QString &text, const QString &value);

    Clock m_clock;
    QTimer m_md5TipTimer;
    float m_maxProgress = -1.0f;
    QDateTime m_lastSampleTime;
    qint64 m_lastDownloadedBytes = 0;
    qint64 m_lastSetupBytes = 0;
    // Kept across downloads: a new download starts with the speed the last
    // one ended at and wears it off over a few seconds, so its first
    // estimates are not built on a single second.
    QList<double> m_speedSamples;
    // The dots go on where the last check left them.
    int m_md5Dots = 0;
    QString m_downloadPercentage;
    QString m_setupPercentage;
    QString m_downloadSpeed;
    QString m_taskNeedTime;
};
