#include "tests/updater/launcherfixture.h"

#include "tests/support/testdata.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QString kList = QStringLiteral("tessaril-files.txt");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Files withList(Files files)
{
    if (!files.contains(kList))
        files.insert(kList, (QStringList(files.keys()) << kList).join('\n').toUtf8() + '\n');
    return files;
}

bool writeFiles(const QString &folder, const Files &files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QFile file(folder + QLatin1Char('/') + it.key());
        if (!QDir().mkpath(QFileInfo(file).path()) || !file.open(QIODevice::WriteOnly)
            || file.write(it.value()) != it.value().size())
            return false;
        if (it.value().startsWith("#!"))
            file.setPermissions(file.permissions() | QFile::ExeOwner);
    }
    return true;
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
    Files files;
    files.insert(m_name,
        "#!/bin/sh\nif [ \"$1\" = wait ]; then\n  while [ ! -e '" + root
            + "/go' ]; do sleep 0.02; done\n  exit 0\nfi\necho \"" + name.toUtf8()
            + "|$PWD|$*\" >> '" + root + "/started'\n");
    files.insert(QStringLiteral("shared.dat"), name.toUtf8() + " shared data");
    files.insert(QStringLiteral("updateProgram/Update"), name.toUtf8() + " updater");
    // The real translation, so the updater's own texts can be checked.
    files.insert(QStringLiteral("language/i18n_de.qm"),
        readAll(QFileInfo(qEnvironmentVariable("TESSARIL_UPDATER")).path()
            + QStringLiteral("/../language/i18n_de.qm")));
    // Enough files that an interruption has many moments to fall on.
    for (int i = 0; i < 30; ++i)
        files.insert(
            QStringLiteral("data/part%1.dat").arg(i), name.toUtf8() + QByteArray::number(i));
    if (name == QLatin1String("old")) {
        files.insert(QStringLiteral("lib/libold.so"), "old only");
    } else {
        files.insert(QStringLiteral("lib/libnew.so"), "new only");
        files.insert(QStringLiteral("plugins/platforms/libqoffscreen.so"), patterned(3000));
    }
    return files;
}

bool LauncherFixture::create()
{
    QDir(m_root + QStringLiteral("/site")).removeRecursively();
    QFile::remove(m_root + QStringLiteral("/started"));
    QFile::remove(goFile());
    const Files user {
        { QStringLiteral("config.ini"),
            "[General]\ngame_install_path=" + folder().toUtf8() + "/Tessaril Game\n" },
        { QStringLiteral("Tessaril Game/Quorvela.exe"), "game" },
        { QStringLiteral("Tessaril Game/Data/level0.dat"), patterned(70000) },
        { QStringLiteral("cache/background.png"), patterned(1200) },
        { QStringLiteral("DumpFile-20240131-235959.dmp"), "signal 11" },
        { QStringLiteral("language/notes.txt"), "mine" },
        { QStringLiteral("lib/plugin-of-mine.so"), "mine too" },
    };
    m_userFiles = user.keys();
    return writeFiles(folder(), withList(version(QStringLiteral("old"))))
        && writeFiles(folder(), user);
}

bool LauncherFixture::stage(const Files &files) const
{
    return writeFiles(folder() + QStringLiteral(".update/new"), withList(files));
}

QByteArray LauncherFixture::pack(const Files &files) const
{
    QTemporaryDir source;
    const QString archive = source.filePath(QStringLiteral("package.7z"));
    if (!writeFiles(source.filePath(QStringLiteral("root")), withList(files)))
        return QByteArray();
    QProcess sevenZip;
    sevenZip.setWorkingDirectory(source.filePath(QStringLiteral("root")));
    sevenZip.start(QStringLiteral("7zz"), { "a", "-bso0", "-bsp0", archive, "." });
    return sevenZip.waitForFinished(30000) && sevenZip.exitCode() == 0 ? readAll(archive)
                                                                       : QByteArray();
}

QMap<QString, QByteArray> LauncherFixture::walk() const
{
    QMap<QString, QByteArray> found;
    QDirIterator it(
        folder(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        found.insert(QDir(folder()).relativeFilePath(path), readAll(path));
    }
    return found;
}

QStringList LauncherFixture::listing(Files files)
{
    QStringList lines;
    files = withList(files);
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        lines.append(it.key() + QLatin1Char(' ') + md5Hex(it.value()));
    return lines;
}

QStringList LauncherFixture::programListing() const
{
    Files program = walk();
    for (const QString &path : m_userFiles)
        program.remove(path);
    // A missing list must show, not be made up.
    return program.contains(kList) ? listing(program) : program.keys();
}

QStringList LauncherFixture::userListing() const
{
    const QMap<QString, QByteArray> all = walk();
    QStringList lines;
    for (const QString &path : m_userFiles) {
        if (all.contains(path))
            lines << QStringLiteral("%1 %2 %3")
                         .arg(path)
                         .arg(all[path].size())
                         .arg(QString::fromLatin1(md5Hex(all[path])));
    }
    return lines;
}

QStringList LauncherFixture::siteEntries() const
{
    return QDir(m_root + QStringLiteral("/site"))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QStringList LauncherFixture::starts() const
{
    return QString::fromUtf8(readAll(m_root + QStringLiteral("/started")))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString LauncherFixture::startsAs()
{
    QFile::remove(m_root + QStringLiteral("/started"));
    QProcess launcher;
    launcher.start(executable(), { QStringLiteral("update") });
    return launcher.waitForFinished(10000) && starts().size() == 1
        ? starts().constFirst().section(QLatin1Char('|'), 0, 0)
        : QString();
}

void LauncherFixture::startUpdater(QProcess &updater, const QString &url, const QByteArray &md5,
    const QStringList &environment, const QString &language)
{
    const QJsonObject handOver { { "exe_dir", executable() }, { "lang", language },
        { "pkg_md5", QString::fromLatin1(md5) }, { "pkg_url", url } };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TESSARIL_UPDATER_LINGER_MS"), QStringLiteral("0"));
    for (const QString &setting : environment)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    updater.setProcessEnvironment(env);
    updater.start(qEnvironmentVariable("TESSARIL_UPDATER"),
        { QStringLiteral("Tessaril"),
            QString::fromUtf8(QJsonDocument(handOver).toJson(QJsonDocument::Compact)) });
}

UpdaterRun LauncherFixture::waitFor(QProcess &updater)
{
    qRegisterMetaType<QProcess::ExitStatus>();
    // The package server lives in this process: wait with its events served.
    QSignalSpy finished(&updater, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    UpdaterRun run;
    run.finished = updater.state() == QProcess::NotRunning || finished.wait(20000);
    run.exitCode = updater.exitCode();
    run.status = updater.exitStatus();
    run.errors = QString::fromUtf8(updater.readAllStandardError());
    return run;
}

UpdaterRun LauncherFixture::runUpdater(const QString &url, const QByteArray &md5,
    const QStringList &environment, const QString &language)
{
    QProcess updater;
    startUpdater(updater, url, md5, environment, language);
    return waitFor(updater);
}
