#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// What an install run does after extraction, in the folder the package
// went to: applies the package's delete list and makes sure the game's
// metadata file is in place, neither ever reaching outside the folder.
class PostInstallCleanup
{
public:
    // stopped says when the run is to end where it is.
    PostInstallCleanup(const QString &target, std::function<bool()> stopped);

    // False when stopped or when a file could not be removed (failedPath()).
    bool processDeleteList();
    QString failedPath() const { return m_failedPath; }
    // The listed paths inside the folder, whether or not they were there.
    QStringList deleted() const { return m_deleted; }

    // Present: the metadata file is there; Restored: it was put in place
    // from its fallback copy; Missing: neither could be had.
    enum class Metadata { Present, Restored, Missing };
    Metadata checkGameMetadata();

private:
    QString m_target;
    std::function<bool()> m_stopped;
    QString m_failedPath;
    QStringList m_deleted;
};
