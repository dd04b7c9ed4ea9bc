#include "setup/extractjob.h"

#include "setup/setupmanager.h"

#include <QCoreApplication>

namespace {

// A run that ended without saying how: counted as a failed extraction.
QString unzipErrorText()
{
    return QCoreApplication::translate("setupmanager", "message_setup_zip_unzip_error");
}

} // namespace

ExtractJob::ExtractJob(QObject *parent)
    : Job(parent)
    , m_manager(new setupmanager(this))
    , m_owned(true)
{
    connectManager();
}

ExtractJob::ExtractJob(setupmanager *manager, QObject *parent)
    : Job(parent)
    , m_manager(manager)
{
    connectManager();
}

// A manager that outlives the job must not go on with work nobody waits for.
ExtractJob::~ExtractJob()
{
    if (!m_owned && isRunning()) {
        m_manager->requestInterruption();
        m_manager->stopArrivingInput();
        m_manager->wait();
    }
}

void ExtractJob::connectManager()
{
    connect(m_manager, &setupmanager::setupProgress, this, [this](qlonglong done, qlonglong total) {
        if (isRunning())
            emit progress(done, total);
    });
    connect(m_manager, &setupmanager::setupError, this,
        [this](ErrorDefine::ErrorCode code, const QString &text) {
            if (isRunning() && m_firstCode == ErrorDefine::DEFAULTT) {
                m_firstCode = code;
                m_firstText = text;
            }
        });
    connect(m_manager, &setupmanager::setupFinished, this, [this] { m_completed = true; });
    // Queued after the run's own signals, which therefore have all arrived.
    connect(m_manager, &QThread::finished, this, &ExtractJob::onThreadEnded);
}

void ExtractJob::doStart()
{
    m_completed = false;
    m_firstCode = ErrorDefine::DEFAULTT;
    m_firstText.clear();
    if (m_manager->isRunning()) {
        // Its end would be taken for the end of this run.
        fail(ErrorDefine::SETUP_ZIP_UNZIP_ERROR, unzipErrorText());
        return;
    }
    m_manager->start();
}

void ExtractJob::doAbort()
{
    m_manager->requestInterruption();
    // A run reading a package that downloads may wait for bytes that never come.
    m_manager->stopArrivingInput();
}

void ExtractJob::onThreadEnded()
{
    if (!isRunning())
        return;
    if (abortRequested())
        finishAborted();
    else if (m_firstCode != ErrorDefine::DEFAULTT)
        fail(m_firstCode, m_firstText);
    else if (m_completed)
        succeed();
    else
        fail(ErrorDefine::SETUP_ZIP_UNZIP_ERROR, unzipErrorText());
}
