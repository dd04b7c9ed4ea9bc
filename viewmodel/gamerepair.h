#pragma once

#include "core/errordefine.h"

#include <QObject>
#include <QStringList>

class MainViewModel;
class UpdateVersionInfo;
class DownloadJob;
class ExtractJob;
class Job;
class VerifyJob;

// Verify and repair of the installed game: compares the folder with its
// install record, and on the player's word fetches the current full package
// (resumably) and extracts only the damaged files from it, then checks them
// again. A game installed before the record existed is repaired whole.
class GameRepair : public QObject
{
    Q_OBJECT

public:
    GameRepair(MainViewModel &model, UpdateVersionInfo &info, QObject *parent = nullptr);

    void start();
    void cancel();
    // What quitting stops and waits for.
    QList<Job *> jobs() const;
    bool isRunning() const { return m_step != Step::Idle; }
    QString stateText() const;
    int percent() const { return m_percent; }
    // For tests: how long to wait after ending the game before looking again.
    void setKillRetryMs(int ms) { m_killRetryMs = ms; }

signals:
    // Running, state text or percent changed.
    void changed();

private:
    enum class Step { Idle, Verifying, Downloading, CheckingPackage, Extracting, Rechecking };

    QString folder() const;
    QString packageName() const;
    void setStep(Step step);
    void setProgress(qint64 done, qint64 total);
    void onVerified();
    void askRepair();
    void fetchPackage();
    void onFetched();
    void extract();
    void onExtracted();
    // Ends the run, reports result and tells the player, when text is given.
    void finish(const QString &result, const QString &text);
    void fail(ErrorDefine::ErrorCode code, const QString &message);

    MainViewModel &m_model;
    UpdateVersionInfo &m_info;
    VerifyJob *m_verify;
    DownloadJob *m_download;
    ExtractJob *m_extract;
    Step m_step = Step::Idle;
    int m_percent = 0;
    bool m_whole = false;
    bool m_cancelled = false;
    QStringList m_damaged;
    qint64 m_damagedBytes = 0;
    ErrorDefine::ErrorCode m_error = ErrorDefine::DEFAULTT;
    QString m_errorText;
    int m_killRetryMs = 500;
};
