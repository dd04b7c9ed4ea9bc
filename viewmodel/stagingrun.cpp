#include "viewmodel/stagingrun.h"

#include "download/downloadmanager.h"
#include "setup/arrivedranges.h"
#include "setup/extractjob.h"
#include "setup/setupmanager.h"
#include "setup/stagedinstall.h"

#include <QDebug>

namespace {

// Why an extraction during the download could not read the package at all:
// once checked, the package is extracted the usual way. Any other failure is
// the package's own, and the same extraction would fail on it again.
bool cannotReadWhileArriving(ErrorDefine::ErrorCode code)
{
    return code == ErrorDefine::SETUP_ZIP_FORMAT_ERROR || code == ErrorDefine::SETUP_DLL_ERROR
        || code == ErrorDefine::SETUP_ZIP_CLASS_ERROR
        || code == ErrorDefine::SETUP_ZIP_ARCHIVE_FILE_ERROR
        || code == ErrorDefine::SETUP_ZIP_UNABLE_OPEN_FILE_ERROR;
}

} // namespace

StagingRun::StagingRun(ExtractJob *extract, downloadmanager *downloader, QObject *parent)
    : QObject(parent)
    , m_extract(extract)
    , m_downloader(downloader)
{
    connect(m_extract->manager(), &setupmanager::bytesWanted, m_downloader,
        &downloadmanager::fetchFrom);
}

// Each run extracts from the first byte again: those a run before left in
// the partial file count as arrived when the transfer starts.
void StagingRun::begin(const QString &packagePath, qint64 packageSize, bool packageWhole)
{
    m_packagePath = packagePath;
    m_packageSize = packageSize;
    m_arrived.reset(new ArrivedRanges);
    m_downloader->setWrittenObserver(
        [ranges = m_arrived](qint64 offset, qint64 length) { ranges->add(offset, length); });
    m_state = packageWhole ? State::None : State::Pending;
    // The run of an earlier start may still be ending; this one follows it.
    if (m_state == State::Pending && !m_extract->isRunning())
        startRun();
}

void StagingRun::startRun()
{
    m_extract->manager()->setSource(setupmanager::Source::Arriving, stagingPath(), m_arrived,
        m_packagePath + QStringLiteral("_tmp"), m_packageSize);
    m_state = State::Running;
    m_ownRun = true;
    m_extract->start();
}

void StagingRun::stop()
{
    // Interrupted first, so that the end of its input is no failure.
    if (m_state == State::Running)
        m_extract->abort();
    else if (m_state == State::Ready)
        discard();
    m_state = State::None;
    if (m_arrived)
        m_arrived->stop();
}

void StagingRun::allArrived(qint64 size)
{
    if (m_arrived)
        m_arrived->add(0, size);
}

void StagingRun::discard()
{
    if (!StagedInstall(stagingPath(), QString()).discard())
        qWarning() << "staged files left behind in" << stagingPath();
}

void StagingRun::runFinished()
{
    m_ownRun = false;
    const bool wanted = m_state == State::Running;
    if (wanted && m_extract->succeeded()) {
        m_state = State::Ready;
    } else {
        // Whatever the run left goes: an abort may arrive after its last
        // item was written, and the run then counts as aborted.
        discard();
        if (wanted)
            m_state = State::None;
        if (wanted && m_extract->state() == Job::State::Failed) {
            if (cannotReadWhileArriving(m_extract->errorCode()))
                qWarning() << "the package is extracted once checked:" << m_extract->errorText();
            else
                m_state = State::Failed;
        }
    }
    // The run of an earlier start ended; this start's begins.
    if (m_state == State::Pending) {
        startRun();
        return;
    }
    emit settled();
}

void StagingRun::prepareInstallRun()
{
    m_extract->manager()->setSource(
        m_state == State::Ready ? setupmanager::Source::Staging : setupmanager::Source::Package,
        stagingPath());
    m_state = State::None;
}

void StagingRun::forget()
{
    m_state = State::None;
}
