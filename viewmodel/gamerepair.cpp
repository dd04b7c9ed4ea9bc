#include "viewmodel/gamerepair.h"

#include "core/filenames.h"
#include "core/launcherconfig.h"
#include "download/downloadjob.h"
#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "setup/extractjob.h"
#include "setup/setupmanager.h"
#include "setup/verifyjob.h"
#include "viewmodel/mainviewmodel.h"

#include <QFileInfo>
#include <QLocale>

GameRepair::GameRepair(MainViewModel &model, UpdateVersionInfo &info, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_info(info)
    , m_verify(new VerifyJob(this))
    , m_download(new DownloadJob(this))
    , m_extract(new ExtractJob(this))
{
    for (Job *job : jobs())
        connect(job, &Job::progress, this, &GameRepair::setProgress);
    connect(m_verify, &Job::finished, this, &GameRepair::onVerified);
    connect(m_download->manager(), &downloadmanager::md5CheckStart, this, [this] {
        if (m_step == Step::Downloading)
            setStep(Step::CheckingPackage);
    });
    connect(m_download, &Job::finished, this, &GameRepair::onFetched);
    connect(m_extract, &Job::finished, this, &GameRepair::onExtracted);
}

QList<Job *> GameRepair::jobs() const
{
    return { m_verify, m_download, m_extract };
}

QString GameRepair::folder() const
{
    return LauncherConfig::instance()->gameInstallPath();
}

QString GameRepair::packageName() const
{
    return UpdateVersionInfo::fileName(m_info.latestPath());
}

QString GameRepair::stateText() const
{
    switch (m_step) {
    case Step::Verifying:
    case Step::Rechecking:
        return MainViewModel::tr("label_repair_verifying");
    case Step::Downloading:
    case Step::CheckingPackage:
        return MainViewModel::tr("label_repair_downloading");
    case Step::Extracting:
        return MainViewModel::tr("label_repair_extracting");
    case Step::Idle:
        break;
    }
    return QString();
}

void GameRepair::setStep(Step step)
{
    m_step = step;
    m_percent = 0;
    emit changed();
}

void GameRepair::setProgress(qint64 done, qint64 total)
{
    const int percent = total > 0 ? int(qBound<qint64>(0, done * 100 / total, 100)) : 0;
    if (percent != m_percent && m_step != Step::Idle) {
        m_percent = percent;
        emit changed();
    }
}

void GameRepair::start()
{
    if (isRunning())
        return;
    if (m_model.gameState() == MainViewModel::NeedUpdate) {
        // The update rewrites the game anyway; repairing the old one first
        // would fetch a package that is about to be out of date.
        m_model.showMessage(
            MainViewModel::tr("title_tip"), MainViewModel::tr("message_repair_update_first"),
            [this](bool confirmed) {
                if (confirmed)
                    m_model.updateBtnClicked();
            },
            true);
        return;
    }
    if (m_model.gameState() != MainViewModel::Ready) {
        m_model.showMessage(MainViewModel::tr("title_tip"),
            MainViewModel::tr("message_repair_not_ready"), nullptr, false);
        return;
    }
    m_cancelled = false;
    m_whole = false;
    m_damaged.clear();
    m_damagedBytes = 0;
    m_error = ErrorDefine::DEFAULTT;
    m_errorText.clear();
    setStep(Step::Verifying);
    m_verify->setTarget(folder());
    m_verify->start();
}

// What arrived of the package stays for the next attempt to resume from.
void GameRepair::cancel()
{
    if (!isRunning())
        return;
    m_cancelled = true;
    for (Job *job : jobs())
        job->abort();
}

void GameRepair::onVerified()
{
    if (!m_verify->succeeded() || m_cancelled) {
        finish(QStringLiteral("cancelled"), QString());
        return;
    }
    if (m_step == Step::Rechecking) {
        if (m_verify->damaged().isEmpty()) {
            finish(QStringLiteral("repaired"), MainViewModel::tr("message_repair_done"));
        } else {
            m_damaged = m_verify->damaged();
            fail(ErrorDefine::SETUP_ZIP_ERROR, m_damaged.join(QLatin1Char(',')));
        }
        return;
    }
    if (!m_verify->hasRecord()) {
        m_whole = true;
        askRepair();
        return;
    }
    m_damaged = m_verify->damaged();
    m_damagedBytes = m_verify->damagedBytes();
    if (m_damaged.isEmpty())
        finish(QStringLiteral("intact"), MainViewModel::tr("message_repair_intact"));
    else
        askRepair();
}

void GameRepair::askRepair()
{
    const QString text = m_whole ? MainViewModel::tr("message_repair_no_record")
                                 : MainViewModel::tr("message_repair_damaged")
                                       .arg(m_damaged.size())
                                       .arg(QLocale().formattedDataSize(m_damagedBytes));
    m_model.showMessage(
        MainViewModel::tr("title_tip"), text,
        [this](bool confirmed) {
            if (confirmed)
                fetchPackage();
            else
                finish(QStringLiteral("declined"), QString());
        },
        true);
}

void GameRepair::fetchPackage()
{
    const QString problem = m_info.packageProblem(QString());
    const QString name = packageName();
    if (!problem.isEmpty() || !FileNames::isPlain(name)) {
        fail(ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR, problem);
        return;
    }
    downloadmanager *downloader = m_download->manager();
    downloader->setUrl(QUrl(m_info.latestPath()));
    downloader->setFilePath(folder());
    downloader->setFileMD5(m_info.latestMd5());
    m_download->setPackagePath(folder() + QLatin1Char('/') + name);
    setStep(Step::Downloading);
    m_download->start();
}

void GameRepair::onFetched()
{
    if (m_cancelled || m_download->wasAborted())
        finish(QStringLiteral("cancelled"), QString());
    else if (!m_download->succeeded())
        fail(m_download->errorCode(), m_download->errorText());
    else
        extract();
}

void GameRepair::extract()
{
    if (m_cancelled) {
        finish(QStringLiteral("cancelled"), QString());
        return;
    }
    if (m_model.isGameRunning()) {
        m_model.askToEndGame(
            this, m_killRetryMs, [this] { extract(); },
            [this] { finish(QStringLiteral("cancelled"), QString()); });
        return;
    }
    setupmanager *setup = m_extract->manager();
    setup->setZipFilePath(folder());
    setup->setZipFileName(packageName());
    setup->setRecordMode(
        m_whole ? setupmanager::RecordMode::Fresh : setupmanager::RecordMode::Update);
    setup->setOnlyItems(m_whole ? QStringList() : m_damaged);
    setStep(Step::Extracting);
    m_extract->start();
}

void GameRepair::onExtracted()
{
    if (m_step != Step::Extracting)
        return;
    if (m_cancelled || m_extract->wasAborted()) {
        finish(QStringLiteral("cancelled"), QString());
    } else if (!m_extract->succeeded()) {
        fail(m_extract->errorCode(), m_extract->errorText());
    } else {
        setStep(Step::Rechecking);
        m_verify->setTarget(folder(), m_whole ? QStringList() : m_damaged);
        m_verify->start();
    }
}

void GameRepair::fail(ErrorDefine::ErrorCode code, const QString &message)
{
    m_error = code;
    m_errorText = message;
    finish(QStringLiteral("failed"),
        MainViewModel::tr("message_repair_failed") + QLatin1Char('\n')
            + formatError(code, message));
}

void GameRepair::finish(const QString &result, const QString &text)
{
    if (m_step == Step::Idle && result == QLatin1String("cancelled"))
        return;
    QMap<QString, QString> extras { { QStringLiteral("result"), result },
        { QStringLiteral("files"),
            m_whole ? QStringLiteral("all") : QString::number(m_damaged.size()) },
        { QStringLiteral("bytes"), QString::number(m_damagedBytes) } };
    if (result == QLatin1String("failed")) {
        extras.insert(QStringLiteral("errorCode"), errorCodeText(m_error));
        extras.insert(QStringLiteral("errorDesc"), m_errorText);
    }
    StatusReport::instance()->report(StatusReport::LAUNCHER_GAME_REPAIR, extras);
    setStep(Step::Idle);
    if (!text.isEmpty())
        m_model.showMessage(MainViewModel::tr("title_tip"), text, nullptr, false);
}
