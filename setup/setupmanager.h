#pragma once

#include "core/errordefine.h"
#include "setup/archiveengine.h"
#include "setup/extractionreporter.h"
#include "setup/installrecord.h"

#include <QSharedPointer>
#include <QThread>

class ArrivedRanges;

using ErrorCode = ErrorDefine::ErrorCode;

// Installs a downloaded package on its own thread: extracts the archive into
// the folder that holds it, removes the archive, applies the package's delete
// list and makes sure the game's metadata file is in place. An ExtractJob
// runs it; an interruption ends a run between any two steps, and inside the
// extraction at the next item or progress report, without an error.
class setupmanager : public QThread, private ExtractionReporter
{
    Q_OBJECT

public:
    // The object that installs the game; created on the GUI thread at
    // start-up, finished and deleted when the application object goes.
    static setupmanager *instance();
    // Stops and joins the game's worker, then deletes it (see main).
    static void freeInstance();

    explicit setupmanager(QObject *parent = nullptr);
    ~setupmanager() override;

    // Whether a run keeps the folder's install record: None for packages
    // that are not the game's; Fresh for a full package, which starts a new
    // record; Update for an incremental package or a repair, which changes
    // the record there is and never starts one from a part of the game.
    enum class RecordMode { None, Fresh, Update };
    void setRecordMode(RecordMode mode) { m_recordMode = mode; }
    // Limits the next runs to these recorded paths (a repair); empty for all.
    void setOnlyItems(const QStringList &paths) { m_onlyItems = paths; }

    // What the next run installs from (then Package again). Package: the
    // downloaded archive beside which it unpacks; a staging folder it is
    // given is removed first. Arriving: the package while it downloads, read
    // from its partial file as ranges tells the bytes are there, into the
    // staging folder only; the run ends there, and anything but a whole
    // extraction leaves no staging behind. Staging: the staging folder an
    // arriving run filled, moved into the folder in place of the extraction,
    // then the rest of an install run.
    enum class Source { Package, Arriving, Staging };
    void setSource(Source source, const QString &stagingFolder = QString(),
        QSharedPointer<ArrivedRanges> ranges = {}, const QString &partialPath = QString(),
        qint64 packageSize = 0);
    // Ends the waits of an arriving run for bytes; the run then stops.
    void stopArrivingInput();

signals:
    void setupProgress(qlonglong finishSize, qlonglong totalSize);
    void setupFinished();
    void setupError(ErrorCode error, const QString &msg);
    void setupUnzipFilePath(const QString &filePath);
    void globalMetaDataDismiss();
    void globalMetaDataError();
    // An arriving run waits for the bytes from offset on (the archive's
    // header, at its end).
    void bytesWanted(qint64 offset);

public slots:
    void setZipFilePath(const QString &dir);
    void setZipFileName(const QString &zipName);
    // Where the items go when not beside the archive, and the one folder
    // below it they must all lie in: a package kept in a cache unpacks into a
    // folder of its own, which also holds its delete list, confined to it.
    // The game's metadata is not looked for there.
    void setOutputFolder(const QString &folder, const QString &itemFolder);

protected:
    // Run only by an ExtractJob, which also stops it: interruption is the one
    // way to stop a run, which has no event loop to quit.
    void run() override;

private:
    void reportProgress(qint64 completed, qint64 total) override;
    void reportFileWritten(const QString &path) override;
    void reportError(ErrorCode error, const QString &message) override;
    bool stopRequested() const override;
    void reportItemWritten(const QString &relativePath, qint64 size, quint32 crc) override;
    QVector<engine::UInt32> chosenItems(engine::IInArchive *archive);
    void raiseError(ErrorCode error, const QString &msg);

    bool extract(const QString &archivePath, engine::IInStream *input, const QString &outputFolder);
    bool extractPackage(const QString &archivePath, const QString &outputFolder);
    void runArriving(const QString &archivePath);
    bool hasRoomFor(engine::IInArchive *archive, const QString &outputFolder,
        const QVector<engine::UInt32> &chosen);

    ArchiveEngine m_engine;
    QString m_zipName;
    QString m_dir;
    QString m_outputFolder;
    QString m_itemFolder;
    // Where the run under way writes.
    QString m_target;
    bool m_errorMark = false;
    RecordMode m_recordMode = RecordMode::None;
    QStringList m_onlyItems;
    Source m_source = Source::Package;
    QString m_staging;
    QSharedPointer<ArrivedRanges> m_ranges;
    QString m_partialPath;
    qint64 m_packageSize = 0;
    QMap<QString, InstallRecord::Entry> m_written;
};
