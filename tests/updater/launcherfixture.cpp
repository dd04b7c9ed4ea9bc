#include "tests/updater/launcherfixture.h"

#include "tests/support/testdata.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QString kList = "tessaril-files.txt";

bool writeFiles(const QString &folder, const Files &files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        if (!writeFile(folder + '/' + it.key(), it.value(), it->startsWith("#!")))
            return false;
    return true;
}

// The files with their list, unless they bring one.
Files withList(Files files)
{
    if (!files.contains(kList))
        files.insert(kList, (QStringList(files.keys()) << kList).join('\n').toUtf8() + '\n');
    return files;
}

} // namespace

QByteArray md5Hex(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex();
}

LauncherFixture::LauncherFixture(const QString &root, const QString &executableName)
    : m_root(root)
    , m_name(executableName)
{
}

Files LauncherFixture::version(const QString &name) const
{
    const QByteArray root = m_root.toUtf8();
    const QByteArray tag = name.toUtf8();
    Files files { { m_name,
                      "#!/bin/sh\nif [ \"$1\" = wait ]; then\n  while [ ! -e '" + root
                          + "/go' ]; do sleep 0.02; done\n  exit 0\nfi\necho \"" + tag
                          + "|$PWD|$*\" >> '" + root + "/started'\n" },
        { "shared.dat", tag + " shared data" }, { "updateProgram/Update", tag + " updater" },
        // The real translation, so the updater's own texts can be checked.
        { "language/i18n_de.qm",
            readFile(QFileInfo(qEnvironmentVariable("TESSARIL_UPDATER")).path()
                + "/../language/i18n_de.qm") } };
    // Enough files that an interruption has many moments to fall on.
    for (int i = 0; i < 30; ++i)
        files.insert(QStringLiteral("data/part%1.dat").arg(i), tag + QByteArray::number(i));
    if (name == QLatin1String("old")) {
        files.insert("lib/libold.so", "old only");
    } else {
        files.insert("lib/libnew.so", "new only");
        files.insert("plugins/platforms/libqoffscreen.so", patterned(3000));
    }
    return files;
}

// A version with the user's files among its own, as a player's folder has them.
bool LauncherFixture::install(const QString &folder, const QString &version) const
{
    const Files user {
        { "config.ini",
            "[General]\ngame_install_path=" + this->folder().toUtf8() + "/Tessaril Game\n" },
        { "Tessaril Game/Quorvela.exe", "game" },
        { "Tessaril Game/Data/level0.dat", patterned(70000) },
        { "cache/background.png", patterned(1200) },
        { "DumpFile-20240131-235959.dmp", "signal 11" },
        { "language/notes.txt", "mine" },
        { "lib/plugin-of-mine.so", "mine too" },
    };
    return writeFiles(folder, withList(this->version(version))) && writeFiles(folder, user);
}

bool LauncherFixture::create()
{
    QDir(m_root + "/site").removeRecursively();
    QFile::remove(m_root + "/started");
    QFile::remove(goFile());
    return install(folder(), "old");
}

bool LauncherFixture::stage(const Files &files) const
{
    return writeFiles(folder() + ".update/new", withList(files));
}

QByteArray LauncherFixture::pack(const Files &files) const
{
    QTemporaryDir source;
    const QString archive = source.filePath("package.7z");
    const QString root = source.filePath("root");
    return writeFiles(root, withList(files)) && ::pack(root, archive) ? readFile(archive)
                                                                      : QByteArray();
}

QStringList LauncherFixture::siteListing(bool withoutStaging) const
{
    return treeListing(m_root + "/site",
        withoutStaging ? QStringList { "Tessaril Launcher.update" } : QStringList());
}

QStringList LauncherFixture::expectedListing(const QString &version) const
{
    QTemporaryDir site;
    return install(site.filePath("Tessaril Launcher"), version) ? treeListing(site.path())
                                                                : QStringList();
}

QStringList LauncherFixture::starts() const
{
    return QString::fromUtf8(readFile(m_root + "/started")).split('\n', Qt::SkipEmptyParts);
}

QStringList LauncherFixture::handOver(
    const QString &url, const QByteArray &md5, const QString &change) const
{
    QJsonObject handOver { { "exe_dir", executable() }, { "lang", "en-us" },
        { "pkg_md5", QString::fromLatin1(md5) }, { "pkg_url", url } };
    if (!change.isEmpty())
        handOver.insert(change.section('=', 0, 0), change.section('=', 1));
    return { "Tessaril",
        QString::fromUtf8(QJsonDocument(handOver).toJson(QJsonDocument::Compact)) };
}

void LauncherFixture::start(
    QProcess &updater, const QStringList &arguments, const QStringList &environment)
{
    updater.setEnvironment(
        QProcess::systemEnvironment() << "TESSARIL_UPDATER_LINGER_MS=0" << environment);
    updater.start(qEnvironmentVariable("TESSARIL_UPDATER"), arguments);
}

UpdaterRun LauncherFixture::waitFor(QProcess &updater)
{
    qRegisterMetaType<QProcess::ExitStatus>();
    // The package server lives in this process: wait with its events served.
    QSignalSpy finished(&updater, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    UpdaterRun run;
    if (updater.state() == QProcess::NotRunning || finished.wait(20000))
        run.exitCode = updater.exitCode();
    run.status = updater.exitStatus();
    run.errors = QString::fromUtf8(updater.readAllStandardError());
    return run;
}

UpdaterRun LauncherFixture::runUpdater(const QString &url, const QByteArray &md5,
    const QStringList &environment, const QString &change)
{
    QProcess updater;
    start(updater, handOver(url, md5, change), environment);
    return waitFor(updater);
}
