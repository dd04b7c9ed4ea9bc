#include "setup/setupmanager.h"

#include "platform/volume.h"
#include "setup/archivecallbacks.h"
#include "setup/arrivedranges.h"
#include "setup/arrivingstream.h"
#include "setup/filestreams.h"
#include "setup/gamepackagenames.h"
#include "setup/pathguard.h"
#include "setup/postinstallcleanup.h"
#include "setup/stagedinstall.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <limits>
#include <utility>

using namespace engine;

namespace {

constexpr UInt64 kMaxCheckStart = UInt64(1) << 23;
constexpr UInt32 kAllItems = 0xFFFFFFFF;
// The engine also reads the last bytes of a 7z package before its header;
// those come with the header rather than after the whole package.
constexpr qint64 kTailSlack = 64 << 10;

// Releases an engine object at the end of a scope.
template <typename Interface> struct Releaser
{
    Interface *object = nullptr;
    ~Releaser()
    {
        if (object)
            object->Release();
    }
};

} // namespace

namespace {

setupmanager *g_gameSetup = nullptr;

// A thread object destroyed while it runs aborts the process, so the game's
// worker is told to stop and waited for while the application still exists.
void destroyGameSetup()
{
    setupmanager::freeInstance();
}

} // namespace

void setupmanager::freeInstance()
{
    delete g_gameSetup;
    g_gameSetup = nullptr;
}

setupmanager *setupmanager::instance()
{
    if (!g_gameSetup) {
        g_gameSetup = new setupmanager;
        qAddPostRoutine(destroyGameSetup);
    }
    return g_gameSetup;
}

setupmanager::setupmanager(QObject *parent)
    : QThread(parent)
{
    ErrorDefine::registerMetaTypes();
}

setupmanager::~setupmanager()
{
    requestInterruption();
    stopArrivingInput();
    wait();
}

void setupmanager::reportProgress(qint64 completed, qint64 total)
{
    emit setupProgress(completed, total);
}

void setupmanager::reportFileWritten(const QString &path)
{
    emit setupUnzipFilePath(path);
}

void setupmanager::reportError(ErrorCode error, const QString &message)
{
    raiseError(error, message);
}

bool setupmanager::stopRequested() const
{
    return isInterruptionRequested();
}

void setupmanager::setZipFilePath(const QString &dir)
{
    m_dir = dir;
}

void setupmanager::setZipFileName(const QString &zipName)
{
    m_zipName = zipName;
}

void setupmanager::setOutputFolder(const QString &folder, const QString &itemFolder)
{
    m_outputFolder = folder;
    m_itemFolder = QDir::cleanPath(itemFolder);
}

void setupmanager::setSource(Source source, const QString &stagingFolder,
    QSharedPointer<ArrivedRanges> ranges, const QString &partialPath, qint64 packageSize)
{
    m_source = source;
    m_staging = stagingFolder;
    m_ranges = std::move(ranges);
    m_partialPath = partialPath;
    m_packageSize = packageSize;
}

void setupmanager::stopArrivingInput()
{
    if (m_ranges)
        m_ranges->stop();
}

void setupmanager::raiseError(ErrorCode error, const QString &msg)
{
    m_errorMark = true;
    emit setupError(error, msg);
}

void setupmanager::run()
{
    m_errorMark = false;
    // Each choice of source is for one run: the game's worker also repairs.
    const Source source = std::exchange(m_source, Source::Package);
    const QString archivePath = m_dir + QLatin1Char('/') + m_zipName;
    if (source == Source::Arriving) {
        runArriving(archivePath);
        return;
    }
    const QString output = m_outputFolder.isEmpty() ? m_dir : m_outputFolder;
    m_target = m_outputFolder.isEmpty() ? m_dir : output + QLatin1Char('/') + m_itemFolder;
    if (source == Source::Staging) {
        // The items the arriving run wrote are what this run records.
        StagedInstall staged(m_staging, m_target);
        if (!staged.commit()) {
            raiseError(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR, staged.errorText());
            return;
        }
    } else {
        m_written.clear();
        // A staging the flow gave up on (a refused commit, a declined end of
        // the game) is no part of the game.
        if (!m_staging.isEmpty())
            StagedInstall(m_staging, m_dir).discard();
        if (!extractPackage(archivePath, output))
            return;
    }
    // Kept until the clean-up ran: a failed one is retried from the package
    // on hand rather than from a new download.
    PostInstallCleanup cleanup(m_target, [this] { return isInterruptionRequested(); });
    const bool listDone = cleanup.processDeleteList();
    if (!cleanup.failedPath().isEmpty())
        raiseError(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR,
            cleanup.failedPath() + QLatin1Char(' ') + tr("message_setup_delete_old_file_error"));
    if (m_recordMode != RecordMode::None)
        InstallRecord::updateAfterRun(
            m_dir, m_recordMode == RecordMode::Fresh, m_written, cleanup.deleted());
    if (!listDone || isInterruptionRequested())
        return;
    QFile::remove(archivePath);
    if (m_outputFolder.isEmpty()) {
        const PostInstallCleanup::Metadata metadata = cleanup.checkGameMetadata();
        if (metadata != PostInstallCleanup::Metadata::Present)
            emit globalMetaDataDismiss();
        if (metadata == PostInstallCleanup::Metadata::Missing)
            emit globalMetaDataError();
    }
    if (!m_errorMark)
        emit setupFinished();
}

bool setupmanager::extractPackage(const QString &archivePath, const QString &outputFolder)
{
    Releaser<CInFileStream> input { new CInFileStream };
    input.object->AddRef();
    if (!input.object->open(archivePath)) {
        raiseError(ErrorDefine::SETUP_ZIP_ARCHIVE_FILE_ERROR,
            archivePath + QLatin1Char(' ') + tr("message_setup_zip_archive_file_error"));
        return false;
    }
    return extract(archivePath, input.object, outputFolder);
}

// Nothing of a run that did not extract everything is left in the staging:
// the next arriving run starts it afresh, from the first byte.
void setupmanager::runArriving(const QString &archivePath)
{
    m_written.clear();
    StagedInstall staging(m_staging, m_dir);
    staging.discard();
    const auto giveUp = [&](const char *why) {
        if (!isInterruptionRequested())
            qInfo() << "package not extracted while downloading:" << why;
        raiseError(ErrorDefine::SETUP_ZIP_FORMAT_ERROR, tr("message_setup_zip_format_error"));
        staging.discard();
    };
    if (!m_ranges
        || QFileInfo(archivePath).suffix().compare(QLatin1String("7z"), Qt::CaseInsensitive) != 0)
        return giveUp("not a 7z package");
    if (!m_ranges->waitFor(0, CInArrivingStream::kStartHeaderSize))
        return giveUp("stopped");
    QFile partial(m_partialPath);
    const qint64 header = partial.open(QIODevice::ReadOnly)
        ? CInArrivingStream::sevenZipHeaderOffset(
            partial.read(CInArrivingStream::kStartHeaderSize), m_packageSize)
        : -1;
    partial.close();
    if (header < 0)
        return giveUp("no sound 7z start header");
    emit bytesWanted(qMax<qint64>(
        CInArrivingStream::kStartHeaderSize, qMin(header, m_packageSize - kTailSlack)));
    Releaser<CInArrivingStream> input { new CInArrivingStream(m_ranges, UInt64(m_packageSize)) };
    input.object->AddRef();
    if (!input.object->open(m_partialPath))
        return giveUp("partial file unreadable");
    if (!extract(archivePath, input.object, m_staging) || m_errorMark || isInterruptionRequested())
        return giveUp("extraction failed");
    emit setupFinished();
}

bool setupmanager::extract(
    const QString &archivePath, IInStream *input, const QString &outputFolder)
{
    if (!m_engine.load()) {
        raiseError(ErrorDefine::SETUP_DLL_ERROR, tr("message_setup_dll_error"));
        return false;
    }
    const QString suffix = QFileInfo(archivePath).suffix().toLower();
    const GUID *classId = ArchiveEngine::classIdForSuffix(suffix);
    if (!classId) {
        raiseError(ErrorDefine::SETUP_ZIP_FORMAT_ERROR,
            suffix + QLatin1Char(' ') + tr("message_setup_zip_format_error"));
        return false;
    }

    if (!QDir().mkpath(outputFolder)) {
        raiseError(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR, outputFolder);
        return false;
    }
    Releaser<IInArchive> archive;
    if (m_engine.createObject(*classId, IID_IInArchive, reinterpret_cast<void **>(&archive.object))
            != kOk
        || !archive.object) {
        archive.object = nullptr;
        raiseError(ErrorDefine::SETUP_ZIP_CLASS_ERROR, tr("message_setup_zip_class_error"));
        return false;
    }

    Releaser<CArchiveOpenCallback> openCallback { new CArchiveOpenCallback(this) };
    openCallback.object->AddRef();
    const UInt64 maxCheckStart = kMaxCheckStart;
    if (archive.object->Open(input, &maxCheckStart, openCallback.object) != kOk) {
        if (isInterruptionRequested())
            return false;
        raiseError(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_FILE_ERROR,
            tr("message_setup_zip_unable_open_file_error").arg(archivePath));
        return false;
    }

    const QVector<UInt32> chosen = chosenItems(archive.object);
    if (isInterruptionRequested() || !hasRoomFor(archive.object, outputFolder, chosen))
        return false;

    Releaser<CArchiveExtractCallback> extractCallback { new CArchiveExtractCallback(
        archive.object, archivePath, outputFolder, m_engine, *this) };
    extractCallback.object->AddRef();
    if (!m_outputFolder.isEmpty())
        extractCallback.object->confineTo(m_itemFolder);
    const HRESULT extracted = m_onlyItems.isEmpty()
        ? archive.object->Extract(nullptr, kAllItems, 0, extractCallback.object)
        : archive.object->Extract(
            chosen.constData(), UInt32(chosen.size()), 0, extractCallback.object);
    extractCallback.object->finish();
    // An interrupted run is no failed one: nothing is reported.
    if (isInterruptionRequested())
        return false;
    if (extracted != kOk) {
        raiseError(ErrorDefine::SETUP_ZIP_UNZIP_ERROR, tr("message_setup_zip_unzip_error"));
        return false;
    }
    return true;
}

// A package that cannot fit is refused before its first byte is written,
// rather than filling the volume and failing half-way.
bool setupmanager::hasRoomFor(
    IInArchive *archive, const QString &outputFolder, const QVector<UInt32> &chosen)
{
    UInt32 items = 0;
    if (archive->GetNumberOfItems(&items) != kOk)
        return true; // the extraction itself will say what is wrong
    UInt64 needed = 0;
    // A repair writes only its few items, often on a disk that is nearly full.
    const UInt32 count = m_onlyItems.isEmpty() ? items : UInt32(chosen.size());
    for (UInt32 n = 0; n < count; ++n) {
        const UInt32 i = m_onlyItems.isEmpty() ? n : chosen.at(int(n));
        PROPVARIANT size;
        std::memset(&size, 0, sizeof size);
        if (archive->GetProperty(i, kpidSize, &size) != kOk)
            continue;
        const UInt64 bytes = size.vt == VT_UI8 ? size.uhVal : (size.vt == VT_UI4 ? size.ulVal : 0);
        if (size.vt == VT_BSTR)
            m_engine.freeString(size.bstrVal);
        needed = bytes > ~needed ? ~UInt64(0) : needed + bytes;
    }
    const QStorageInfo volume = platform::volumeOf(QFileInfo(outputFolder).absoluteFilePath());
    const qint64 available = volume.isValid() ? volume.bytesAvailable() : -1;
    if (available < 0 || needed <= UInt64(available))
        return true;
    const QLocale locale;
    raiseError(ErrorDefine::SETUP_DISK_SPACE_ERROR,
        tr("message_setup_disk_space_error")
            .arg(locale.formattedDataSize(
                     qint64(qMin<UInt64>(needed, std::numeric_limits<qint64>::max()))),
                locale.formattedDataSize(available)));
    return false;
}

void setupmanager::reportItemWritten(const QString &relativePath, qint64 size, quint32 crc)
{
    // The delete list is used up by the run that brings it, and a package's
    // own copy of the record is replaced by the record at the end of the run.
    if (m_recordMode != RecordMode::None && relativePath != gamepackagenames::kDeleteList
        && relativePath != InstallRecord::kFileName)
        m_written.insert(relativePath, { size, crc });
}

QVector<UInt32> setupmanager::chosenItems(IInArchive *archive)
{
    QVector<UInt32> chosen;
    UInt32 items = 0;
    if (m_onlyItems.isEmpty() || archive->GetNumberOfItems(&items) != kOk)
        return chosen;
    const QSet<QString> wanted(m_onlyItems.cbegin(), m_onlyItems.cend());
    // An empty folder in a file's place would stop the extraction; one with
    // anything in it may hold the player's files and stays, failing the item.
    for (const QString &path : wanted) {
        if (!pathguard::safeRelativePath(path).isNull()
            && pathguard::staysInside(m_dir, path, true))
            QDir(m_dir).rmdir(path);
    }
    for (UInt32 i = 0; i < items; ++i) {
        PROPVARIANT path;
        std::memset(&path, 0, sizeof path);
        if (archive->GetProperty(i, kpidPath, &path) != kOk || path.vt != VT_BSTR) {
            continue;
        }
        const QString safe = pathguard::safeRelativePath(
            QString::fromWCharArray(path.bstrVal ? path.bstrVal : L""));
        m_engine.freeString(path.bstrVal);
        if (!safe.isNull() && wanted.contains(QDir::cleanPath(safe)))
            chosen << i;
    }
    return chosen;
}
