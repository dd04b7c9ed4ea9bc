#include "viewmodel/gamerepair.h"

#include "core/filenames.h"
#include "core/launcherconfig.h"
#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
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
    , m_download(new downloadmanager(this))
    , m_setup(new setupmanager(this))
{
    connect(m_verify, &VerifyJob::progress, this, &GameRepair::setProgress);
    connect(m_verify, &VerifyJob::finished, this, &GameRepair::onVerified);
    connect(m_download, &downloadmanager::downloadReplyProgress, this, &GameRepair::setProgress);
    connect(m_download, &downloadmanager::downloadFinished, this, &GameRepair::onDownloaded);
    connect(m_download, &downloadmanager::md5CheckFinish, this, &GameRepair::extract);
    connect(m_download, &downloadmanager::downloadError, this, &GameRepair::onDownloadError);
    connect(m_download, &downloadmanager::httpError, this, &GameRepair::onDownloadError);
    connect(m_setup, &setupmanager::setupProgress, this, &GameRepair::setProgress);
    connect(m_setup, &setupmanager::setupError, this, &GameRepair::onExtractError);
    connect(m_setup, &setupmanager::setupFinished, this, [this] { m_extracted = true; });
    connect(m_setup, &QThread::finished, this, &GameRepair::onExtractionEnded);
}

GameRepair::~GameRepair()
{
    stopForQuit();
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

void GameRepair::cancel()
{
    m_cancelled = true;
    switch (m_step) {
    case Step::Verifying:
    case Step::Rechecking:
        m_verify->abort();
        break;
    case Step::Downloading:
        // What arrived stays for the next attempt to resume from.
        m_download->stopDownlaod();
        finish(QStringLiteral("cancelled"), QString());
        break;
    case Step::Extracting:
        m_setup->requestInterruption();
        break;
    case Step::CheckingPackage: // ends by itself; the result is then dropped
    case Step::Idle:
        break;
    }
}

void GameRepair::stopForQuit()
{
    disconnect(m_verify, nullptr, this, nullptr);
    disconnect(m_setup, nullptr, this, nullptr);
    disconnect(m_download, nullptr, this, nullptr);
    m_verify->abort();
    m_download->stopDownlaod();
    m_setup->requestInterruption();
    m_setup->wait();
}

void GameRepair::onVerified()
{
    if (m_verify->wasAborted() || m_cancelled) {
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
    m_download->setUrl(QUrl(m_info.latestPath()));
    m_download->setFilePath(folder());
    m_download->setFileMD5(m_info.latestMd5());
    if (QFileInfo(folder() + QLatin1Char('/') + name).isFile()) {
        onDownloaded();
        return;
    }
    setStep(Step::Downloading);
    m_download->startDownload();
}

void GameRepair::onDownloaded()
{
    setStep(Step::CheckingPackage);
    m_download->fileMd5(folder() + QLatin1Char('/') + packageName());
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
    m_extracted = false;
    m_setup->setZipFilePath(folder());
    m_setup->setZipFileName(packageName());
    m_setup->setRecordMode(
        m_whole ? setupmanager::RecordMode::Fresh : setupmanager::RecordMode::Update);
    m_setup->setOnlyItems(m_whole ? QStringList() : m_damaged);
    setStep(Step::Extracting);
    m_setup->start();
}

void GameRepair::onExtractionEnded()
{
    if (m_step != Step::Extracting)
        return;
    if (m_cancelled) {
        finish(QStringLiteral("cancelled"), QString());
    } else if (!m_extracted) {
        fail(m_error, m_errorText);
    } else {
        setStep(Step::Rechecking);
        m_verify->setTarget(folder(), m_whole ? QStringList() : m_damaged);
        m_verify->start();
    }
}

void GameRepair::onDownloadError(ErrorDefine::ErrorCode code, const QString &message)
{
    if (m_step == Step::Downloading || m_step == Step::CheckingPackage)
        fail(code, message);
}

void GameRepair::onExtractError(ErrorDefine::ErrorCode code, const QString &message)
{
    // The first error is the cause; an aborted engine adds a second.
    if (m_errorText.isEmpty()) {
        m_error = code;
        m_errorText = message;
    }
}

void GameRepair::fail(ErrorDefine::ErrorCode code, const QString &message)
{
    m_error = code;
    m_errorText = message;
    finish(QStringLiteral("failed"),
        MainViewModel::tr("message_repair_failed")
            + QStringLiteral("\n[%1]:%2").arg(int(code)).arg(message));
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
