#pragma once

#include "core/errordefine.h"
#include "setup/archiveengine.h"
#include "setup/extractionreporter.h"

#include <QThread>

using ErrorCode = ErrorDefine::ErrorCode;

// Installs a downloaded package on its own thread: extracts the archive into
// the folder that holds it, removes the archive, applies the package's delete
// list and makes sure the game's metadata file is in place.
class setupmanager : public QThread, private ExtractionReporter
{
    Q_OBJECT

public:
    // The object that installs the game; created on the GUI thread at
    // start-up, finished and deleted when the application object goes.
    static setupmanager *instance();

    explicit setupmanager(QObject *parent = nullptr);
    ~setupmanager() override;

signals:
    void setupProgress(qlonglong finishSize, qlonglong totalSize);
    void setupFinished();
    void setupError(ErrorCode error, const QString &msg);
    void setupUnzipFilePath(const QString &filePath);
    void globalMetaDataDismiss();
    void globalMetaDataError();

public slots:
    void setZipFilePath(const QString &dir);
    void setZipFileName(const QString &zipName);
    // Where the items go when not beside the archive, and the one folder
    // below it they must all lie in: a package kept in a cache unpacks into a
    // folder of its own, which also holds its delete list, confined to it.
    // The game's metadata is not looked for there.
    void setOutputFolder(const QString &folder, const QString &itemFolder);
    void startSetup();

protected:
    void run() override;

private:
    void reportProgress(qint64 completed, qint64 total) override;
    void reportFileWritten(const QString &path) override;
    void reportError(ErrorCode error, const QString &message) override;
    bool stopRequested() const override;
    void raiseError(ErrorCode error, const QString &msg);

    bool extract(const QString &archivePath, const QString &outputFolder);
    bool hasRoomFor(engine::IInArchive *archive, const QString &outputFolder);
    bool processDeleteList();
    void checkGameMetadata();

    ArchiveEngine m_engine;
    QString m_zipName;
    QString m_dir;
    QString m_outputFolder;
    QString m_itemFolder;
    // Where the run under way writes.
    QString m_target;
    bool m_errorMark = false;
};
