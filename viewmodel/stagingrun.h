#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QString>

class ArrivedRanges;
class ExtractJob;
class downloadmanager;

// The extraction that runs beside the package's download into a staging
// folder, over the bytes written so far. It shares the flow's extraction job:
// a run of that job is either this staging or the install itself, and an
// earlier start's run may still be ending when the next begins. What it
// staged counts only once the flow has checked the package.
class StagingRun : public QObject
{
    Q_OBJECT

public:
    StagingRun(ExtractJob *extract, downloadmanager *downloader, QObject *parent = nullptr);

    // Starts over from the partial file's first byte; with no partial file
    // (the package is already whole) nothing is staged.
    void begin(const QString &packagePath, qint64 packageSize, bool packageWhole);
    // The download ended without a package: the staging goes.
    void stop();
    // Every byte is in the package now, whatever the transfer told.
    void allArrived(qint64 size);
    // The extraction job's run under way is this staging's.
    bool ownsRun() const { return m_ownRun; }
    // Still filling, or waiting for an earlier run to end.
    bool isBusy() const { return m_state == State::Pending || m_state == State::Running; }
    // The package's own items failed: extracting it again would fail too.
    bool failedOnThePackage() const { return m_state == State::Failed; }
    // Points the extraction job at the staging when it is complete, at the
    // package otherwise, for the install run; the staging is then the
    // install's to move or remove.
    void prepareInstallRun();
    void forget();
    // The flow's extraction job ended a run that ownsRun().
    void runFinished();

signals:
    // The staging run is over and no other follows: the flow may go on.
    void settled();

private:
    void startRun();
    void discard();
    QString stagingPath() const { return m_packagePath + QStringLiteral("_staging"); }

    enum class State { None, Pending, Running, Ready, Failed };
    ExtractJob *m_extract;
    downloadmanager *m_downloader;
    QSharedPointer<ArrivedRanges> m_arrived;
    QString m_packagePath;
    qint64 m_packageSize = 0;
    State m_state = State::None;
    bool m_ownRun = false;
};
