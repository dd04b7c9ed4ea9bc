#include "setup/archivecallbacks.h"

#include "core/errordefine.h"
#include "setup/archiveengine.h"
#include "setup/extractionreporter.h"
#include "setup/filehelpers.h"
#include "setup/filestreams.h"
#include "setup/pathguard.h"
#include "setup/verifyjob.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

using namespace engine;

namespace {

const QString kNamelessItem = QStringLiteral("[Content]");

template <typename Callback>
HRESULT answerPasswordInterface(Callback *self, const GUID &iid, void **out)
{
    if (iid == IID_IUnknown || iid == IID_ICryptoGetTextPassword) {
        *out = static_cast<ICryptoGetTextPassword *>(self);
        self->AddRef();
        return kOk;
    }
    *out = nullptr;
    return kNoInterface;
}

} // namespace

HRESULT CArchiveOpenCallback::QueryInterface(const GUID &iid, void **out)
{
    return answerPasswordInterface(this, iid, out);
}

ULONG CArchiveOpenCallback::AddRef()
{
    return ++m_refCount;
}

ULONG CArchiveOpenCallback::Release()
{
    const ULONG left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CArchiveOpenCallback::SetTotal(const UInt64 *, const UInt64 *)
{
    return kOk;
}

HRESULT CArchiveOpenCallback::SetCompleted(const UInt64 *, const UInt64 *)
{
    return m_reporter && m_reporter->stopRequested() ? kAbort : kOk;
}

HRESULT CArchiveOpenCallback::CryptoGetTextPassword(BSTR *)
{
    return kAbort;
}

namespace {

QString withSeparator(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

} // namespace

CArchiveExtractCallback::CArchiveExtractCallback(IInArchive *archive, const QString &archivePath,
    const QString &outputFolder, ArchiveEngine &engineLibrary, ExtractionReporter &reporter)
    : m_archive(archive)
    , m_archivePath(QFileInfo(archivePath).canonicalFilePath())
    , m_outputFolder(withSeparator(outputFolder))
    , m_engine(engineLibrary)
    , m_reporter(reporter)
    , m_forbiddenModeBits(filehelpers::forbiddenModeBits())
    , m_folders(m_outputFolder, m_forbiddenModeBits)
    , m_guard(m_outputFolder)
{
    m_archive->AddRef();
}

CArchiveExtractCallback::~CArchiveExtractCallback()
{
    finish();
    m_archive->Release();
}

void CArchiveExtractCallback::finish()
{
    closeOutput();
    m_folders.finish();
}

HRESULT CArchiveExtractCallback::QueryInterface(const GUID &iid, void **out)
{
    return answerPasswordInterface(this, iid, out);
}

ULONG CArchiveExtractCallback::AddRef()
{
    return ++m_refCount;
}

ULONG CArchiveExtractCallback::Release()
{
    const ULONG left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CArchiveExtractCallback::closeOutput()
{
    if (!m_output)
        return kOk;
    if (m_mtimeDefined)
        m_output->SetMTime(m_mtime);
    const HRESULT closed = m_output->Close();
    const bool cutShort = m_output->writeFailed() || closed != kOk;
    m_output->Release();
    m_output = nullptr;
    // A file cut short by a full disk would pass for a good one later.
    if (cutShort)
        filehelpers::deleteFileAlways(m_diskPath);
    return closed;
}

// Writing over the archive would replace it while the engine still reads it.
bool CArchiveExtractCallback::isTheArchive(const QString &diskPath) const
{
    const QFileInfo info(diskPath);
    return !m_archivePath.isEmpty() && info.exists() && !info.isSymLink()
        && info.canonicalFilePath() == m_archivePath;
}

HRESULT CArchiveExtractCallback::readProperty(UInt32 index, PROPID id, PROPVARIANT &value)
{
    std::memset(&value, 0, sizeof value);
    return m_archive->GetProperty(index, id, &value);
}

void CArchiveExtractCallback::clearProperty(PROPVARIANT &value)
{
    if (value.vt == VT_BSTR)
        m_engine.freeString(value.bstrVal);
    std::memset(&value, 0, sizeof value);
}

HRESULT CArchiveExtractCallback::SetTotal(UInt64 total)
{
    m_total = total;
    return kOk;
}

HRESULT CArchiveExtractCallback::SetCompleted(const UInt64 *completed)
{
    if (m_reporter.stopRequested())
        return kAbort;
    if (completed)
        m_reporter.reportProgress(qint64(*completed), qint64(m_total));
    return kOk;
}

HRESULT CArchiveExtractCallback::GetStream(UInt32 index, ISequentialOutStream **out, Int32 askMode)
{
    *out = nullptr;
    closeOutput();
    // The engine asks between progress reports too: no new item once a stop
    // is asked for.
    if (m_reporter.stopRequested())
        return kAbort;
    m_diskPath.clear();
    m_attributesDefined = false;
    m_mtimeDefined = false;
    m_isFolder = false;

    PROPVARIANT value;
    HRESULT result = readProperty(index, kpidPath, value);
    if (result != kOk)
        return result;
    if (value.vt == VT_EMPTY || (value.vt == VT_BSTR && (!value.bstrVal || !*value.bstrVal)))
        m_itemPath = kNamelessItem;
    else if (value.vt == VT_BSTR)
        m_itemPath = QString::fromWCharArray(value.bstrVal);
    else {
        clearProperty(value);
        return kFail;
    }
    clearProperty(value);

    if (askMode != kExtract)
        return kOk;

    if ((result = readProperty(index, kpidAttrib, value)) != kOk)
        return result;
    m_attributesDefined = value.vt == VT_UI4;
    if (value.vt != VT_EMPTY && value.vt != VT_UI4) {
        clearProperty(value);
        return kFail;
    }
    m_attributes = m_attributesDefined ? value.ulVal : 0;

    if ((result = readProperty(index, kpidIsDir, value)) != kOk)
        return result;
    if (value.vt != VT_EMPTY && value.vt != VT_BOOL) {
        clearProperty(value);
        return kFail;
    }
    m_isFolder = value.vt == VT_BOOL && value.boolVal != 0;

    if ((result = readProperty(index, kpidMTime, value)) != kOk)
        return result;
    if (value.vt != VT_EMPTY && value.vt != VT_FILETIME) {
        clearProperty(value);
        return kFail;
    }
    m_mtimeDefined = value.vt == VT_FILETIME;
    if (m_mtimeDefined)
        m_mtime = value.filetime;

    if ((result = readProperty(index, kpidSize, value)) != kOk)
        return result;
    if (value.vt != VT_EMPTY && value.vt != VT_UI4 && value.vt != VT_UI8) {
        clearProperty(value);
        return kFail;
    }
    m_itemSize = value.vt == VT_UI8 ? value.uhVal : (value.vt == VT_UI4 ? value.ulVal : 0);
    if ((result = readProperty(index, kpidCRC, value)) != kOk)
        return result;
    m_itemCrcDefined = value.vt == VT_UI4;
    m_itemCrc = m_itemCrcDefined ? value.ulVal : 0;
    clearProperty(value);

    // An item may only ever land inside the output folder. Cleaned, so "./"
    // and "a//b" name the folders they mean.
    const QString relative = pathguard::safeRelativePath(m_itemPath);
    m_relativePath = relative.isNull() ? QString() : QDir::cleanPath(relative);
    const bool confined = m_itemFolder.isEmpty() || m_relativePath == QLatin1String(".")
        || m_relativePath == m_itemFolder
        || m_relativePath.startsWith(m_itemFolder + QLatin1Char('/'));
    if (relative.isNull() || !confined || !m_guard.staysInside(m_relativePath, !m_isFolder)) {
        m_reporter.reportError(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR, m_itemPath);
        return kAbort;
    }

    m_diskPath = m_outputFolder + m_relativePath;
    const int lastSeparator = m_relativePath.lastIndexOf(QLatin1Char('/'));
    if (m_isFolder) {
        m_folders.prepare(m_relativePath);
        return kOk;
    }
    if (lastSeparator >= 0)
        m_folders.prepare(m_relativePath.left(lastSeparator));

    auto *stream = new COutFileStream;
    stream->AddRef();
    // Most items are new: one call makes the file, and only a name already
    // taken needs the checks below.
    bool taken = false;
    if (!stream->createNew(m_diskPath, taken) && taken) {
        if (isTheArchive(m_diskPath)) {
            stream->Release();
            m_folders.undoLastPrepare();
            m_reporter.reportError(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR, m_itemPath);
            return kAbort;
        }
        if (!filehelpers::deleteFileAlways(m_diskPath)) {
            stream->Release();
            m_folders.undoLastPrepare();
            m_reporter.reportError(ErrorDefine::SETUP_ZIP_UNABLE_DELETE_ERROR, m_diskPath);
            return kAbort;
        }
        stream->create(m_diskPath);
    }
    if (!stream->isOpen()) {
        stream->Release();
        m_folders.undoLastPrepare();
        m_reporter.reportError(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR, m_diskPath);
        return kAbort;
    }
    m_output = stream;
    m_output->AddRef(); // the engine's reference
    *out = m_output;
    return kOk;
}

HRESULT CArchiveExtractCallback::PrepareOperation(Int32 askMode)
{
    m_extractMode = askMode == kExtract;
    const QString path = QString(m_itemPath).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (askMode == kExtract)
        m_reporter.reportFileWritten(path);
    else if (askMode == kTest)
        qDebug().noquote() << "Testing     " + path;
    else if (askMode == kSkip)
        qDebug().noquote() << "Skipping    " + path;
    return kOk;
}

HRESULT CArchiveExtractCallback::SetOperationResult(Int32 result)
{
    if (result != 0)
        m_reporter.reportError(ErrorDefine::SETUP_ZIP_ERROR, operationResultText(result));
    const bool applies = m_extractMode && m_attributesDefined && !m_diskPath.isEmpty();
    // Through the open file: no second look-up of its name.
    if (applies && m_output)
        m_output->SetAttributes(m_attributes, m_forbiddenModeBits);
    const bool wasFile = m_output != nullptr;
    const HRESULT closed = closeOutput();
    if (closed != kOk)
        return closed;
    if (wasFile && m_extractMode)
        recordItem();
    if (applies && m_isFolder)
        m_folders.store(m_relativePath, m_attributes);
    return kOk;
}

// What the archive says the file must hold, even when this extraction failed
// to write it so: a later verify then finds the damage. Only an item the
// archive gives no CRC for is read back.
void CArchiveExtractCallback::recordItem()
{
    quint32 crc = m_itemCrc;
    qint64 size = qint64(m_itemSize);
    if (!m_itemCrcDefined && m_itemSize > 0 && !VerifyJob::fileCrc(m_diskPath, crc, size))
        return;
    m_reporter.reportItemWritten(m_relativePath, size, crc);
}

HRESULT CArchiveExtractCallback::CryptoGetTextPassword(BSTR *)
{
    m_reporter.reportError(
        ErrorDefine::SETUP_ZIP_PASSWORD_ERROR, QObject::tr("message_setup_zip_password_error"));
    return kAbort;
}

QString CArchiveExtractCallback::operationResultText(Int32 result)
{
    switch (result) {
    case 1:
        return QObject::tr("message_setup_zip_unsupported_method");
    case 2:
        return QObject::tr("message_setup_zip_data_error");
    case 3:
        return QObject::tr("message_setup_zip_crc_failed");
    case 4:
        return QObject::tr("message_setup_zip_unavailable_data");
    case 5:
        return QObject::tr("message_setup_zip_unexpected_end");
    case 6:
        return QObject::tr("message_setup_zip_data_after_end");
    case 7:
        return QObject::tr("message_setup_zip_not_archive");
    case 8:
        return QObject::tr("message_setup_zip_headers_error");
    default:
        return QString::number(UInt32(result));
    }
}
