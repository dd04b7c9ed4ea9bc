#pragma once

#include "setup/setupmanager.h"

#include <QObject>

// Unpacks the package in the folder that holds it, on the extraction
// worker's thread; the worker removes the package once it is unpacked.
class PackageUnpack : public QObject
{
    Q_OBJECT

public:
    explicit PackageUnpack(QObject *parent = nullptr);

    // The engine ships beside the launcher, while the updater runs from a
    // folder below it, where the engine's own search does not look.
    static void useEngineBeside(const QString &launcherFolder);

    void start(const QString &folder, const QString &packageName);

signals:
    void progress(qint64 done, qint64 total);
    void unpacked();
    void failed(const QString &detail);

private:
    void workerEnded();

    // An object of its own: the game's process-wide worker is never used.
    setupmanager m_setup;
    QString m_firstError;
    bool m_finished = false;
};
