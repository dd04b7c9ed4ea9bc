#pragma once

#include <QMap>
#include <QProcess>
#include <QStringList>

// Files of one launcher version, path to content.
using Files = QMap<QString, QByteArray>;

struct UpdaterRun
{
    bool finished = false;
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::NormalExit;
    QString errors;
};

// A launcher folder of the test's making, alone in "site/" below root so that
// anything written beside it shows: an old version's program files and list,
// and the user's files (settings, a game install, a cache, a crash dump, and
// files of theirs inside program folders). Its stand-in executable appends
// "<version>|<working folder>|<arguments>" to root/started, or with "wait"
// runs until root/go exists. The stand-in has a name of its own, since the
// updater waits for any process of that name and other tests start launchers
// side by side.
class LauncherFixture
{
public:
    LauncherFixture(const QString &root, const QString &executableName);

    QString folder() const { return m_root + "/site/Tessaril Launcher"; }
    QString executable() const { return folder() + '/' + m_name; }
    QString staging() const { return folder() + ".update"; }
    QString goFile() const { return m_root + "/go"; }

    // A version's files; writing or listing them adds their list.
    Files version(const QString &name) const;
    bool create();
    // Writes files where a swap takes them from, as the updater unpacks them.
    bool stage(const Files &files) const;
    QByteArray pack(const Files &files) const;

    // "path md5" of the program files as found, or as a version has them.
    QStringList programListing() const;
    static QStringList listing(const Files &files);
    // "path md5" of the user's files.
    QStringList userListing() const;
    QStringList siteEntries() const;
    QStringList starts() const;
    // Starts the launcher as the updater would and gives the version it says.
    QString startsAs();

    // The updater's arguments as the launcher hands over.
    QStringList handOver(
        const QString &url, const QByteArray &md5, const QString &language = "en-us") const;
    static void start(
        QProcess &updater, const QStringList &arguments, const QStringList &environment = {});
    static UpdaterRun waitFor(QProcess &updater);
    UpdaterRun runUpdater(const QString &url, const QByteArray &md5,
        const QStringList &environment = {}, const QString &language = "en-us");

private:
    QString m_root;
    QString m_name;
    QStringList m_userFiles;
};

QByteArray md5Hex(const QByteArray &data);
