#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

class WindowItems;

// The bar and the texts under it while the game package downloads, is
// verified and is extracted: percent and sizes, speed, time left and the
// dots of the MD5 check. Workers signal far more often than a person can
// read, so speed and time are rebuilt at most once per wall-clock second.
class ProgressTexts : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit ProgressTexts(WindowItems &items, QObject *parent = nullptr);

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
    bool md5AnimationRunning() const { return m_md5TipTimer.isActive(); }

    float maxProgress() const { return m_maxProgress; }
    qint64 setupStartSecs() const { return m_setupStartSecs; }

public slots:
    void UpdateCheckMd5Tip();

signals:
    void progressChanged(float progress);

private:
    qint64 secondsSinceLastSample(const QDateTime &now) const;
    void raiseBar(qint64 done, qint64 total);
    void setText(const QString &objectName, const QString &text);

    WindowItems &m_items;
    Clock m_clock;
    QTimer m_md5TipTimer;
    float m_maxProgress = -1.0f;
    QDateTime m_lastSampleTime;
    qint64 m_lastDownloadedBytes = 0;
    qint64 m_lastSetupBytes = 0;
    qint64 m_setupStartSecs = 0;
};
