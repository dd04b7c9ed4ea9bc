#pragma once

#include "setup/engineabi.h"
#include "setup/foldermodes.h"
#include "setup/pathguard.h"

#include <QString>

#include <atomic>

class ArchiveEngine;
class COutFileStream;
class ExtractionReporter;

// Answers the engine while it opens an archive. No password is ever known,
// so an archive with encrypted names cannot be opened. Opening a large
// archive takes a while, so a stop is asked for on the way too.
class CArchiveOpenCallback final : public engine::IArchiveOpenCallback,
                                   public engine::ICryptoGetTextPassword
{
public:
    explicit CArchiveOpenCallback(const ExtractionReporter *reporter = nullptr)
        : m_reporter(reporter)
    {
    }
    engine::HRESULT QueryInterface(const engine::GUID &iid, void **out) override;
    engine::ULONG AddRef() override;
    engine::ULONG Release() override;
    engine::HRESULT SetTotal(const engine::UInt64 *files, const engine::UInt64 *bytes) override;
    engine::HRESULT SetCompleted(const engine::UInt64 *files, const engine::UInt64 *bytes) override;
    engine::HRESULT CryptoGetTextPassword(engine::BSTR *password) override;

private:
    ~CArchiveOpenCallback() = default;

    const ExtractionReporter *m_reporter;
    std::atomic<engine::ULONG> m_refCount { 0 };
};

// Answers the engine while it extracts: makes the folders and output files,
// restores times and attributes, and reports progress, items and errors
// through whoever runs the extraction. finish() ends the extraction: folder
// modes come last, as with 7-Zip.
class CArchiveExtractCallback final : public engine::IArchiveExtractCallback,
                                      public engine::ICryptoGetTextPassword
{
public:
    CArchiveExtractCallback(engine::IInArchive *archive, const QString &archivePath,
        const QString &outputFolder, ArchiveEngine &engineLibrary, ExtractionReporter &reporter);
    void finish();
    // Refuses every item that does not lie in this folder below the output
    // folder (a cleaned relative path), like an item leaving the output folder.
    void confineTo(const QString &itemFolder) { m_itemFolder = itemFolder; }

    engine::HRESULT QueryInterface(const engine::GUID &iid, void **out) override;
    engine::ULONG AddRef() override;
    engine::ULONG Release() override;
    engine::HRESULT SetTotal(engine::UInt64 total) override;
    engine::HRESULT SetCompleted(const engine::UInt64 *completed) override;
    engine::HRESULT GetStream(
        engine::UInt32 index, engine::ISequentialOutStream **out, engine::Int32 askMode) override;
    engine::HRESULT PrepareOperation(engine::Int32 askMode) override;
    engine::HRESULT SetOperationResult(engine::Int32 result) override;
    engine::HRESULT CryptoGetTextPassword(engine::BSTR *password) override;

    static QString operationResultText(engine::Int32 result);

private:
    ~CArchiveExtractCallback();
    engine::HRESULT closeOutput();
    void recordItem();
    bool isTheArchive(const QString &diskPath) const;
    engine::HRESULT readProperty(
        engine::UInt32 index, engine::PROPID id, engine::PROPVARIANT &value);
    void clearProperty(engine::PROPVARIANT &value);

    std::atomic<engine::ULONG> m_refCount { 0 };
    engine::IInArchive *m_archive;
    QString m_archivePath; // canonical
    QString m_outputFolder; // ends with a separator
    // When set, the one folder below the output folder that items may land in.
    QString m_itemFolder;
    ArchiveEngine &m_engine;
    ExtractionReporter &m_reporter;
    std::uint32_t m_forbiddenModeBits;
    FolderModes m_folders;
    pathguard::Guard m_guard;

    QString m_itemPath;
    QString m_relativePath;
    QString m_diskPath;
    engine::UInt32 m_attributes = 0;
    bool m_attributesDefined = false;
    bool m_isFolder = false;
    engine::FILETIME m_mtime = { 0, 0 };
    bool m_mtimeDefined = false;
    bool m_extractMode = false;
    COutFileStream *m_output = nullptr;
    engine::UInt64 m_total = 0;
    engine::UInt64 m_itemSize = 0;
    engine::UInt32 m_itemCrc = 0;
    bool m_itemCrcDefined = false;
};
