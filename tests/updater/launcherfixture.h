#pragma once

#include <QMap>
#include <QProcess>
#include <QStringList>

// Files of one launcher version, path to content.
using Files = QMap<QString, QByteArray>;

struct UpdaterRun
{
    int exitCode = -1; // -1 while it has not finished
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
    QString goFile() const { return m_root + "/go"; }

    // A version's files; writing them adds their list.
    Files version(const QString &name) const;
    bool create();
    // Writes files where a swap takes them from, as the updater unpacks them.
    bool stage(const Files &files) const;
    QByteArray pack(const Files &files) const;

    // The tree below "site/" as found (the staging folder left out when
    // asked), and as it is with a version installed over the user's files.
    QStringList siteListing(bool withoutStaging = false) const;
    QStringList expectedListing(const QString &version) const;
    QStringList starts() const;

    // The updater's arguments as the launcher hands over, with one member
    // changed when change says "member=value".
    QStringList handOver(
        const QString &url, const QByteArray &md5, const QString &change = {}) const;
    static void start(
        QProcess &updater, const QStringList &arguments, const QStringList &environment = {});
    static UpdaterRun waitFor(QProcess &updater);
    UpdaterRun runUpdater(const QString &url, const QByteArray &md5,
        const QStringList &environment = {}, const QString &change = {});

private:
    bool install(const QString &folder, const QString &version) const;

    QString m_root;
    QString m_name;
};

QByteArray md5Hex(const QByteArray &data);
