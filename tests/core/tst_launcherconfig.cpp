#include "core/launcherconfig.h"
#include "tests/support/testdata.h"

#include <QTemporaryDir>
#include <QtTest>

// Each case works on its own launcher file and game folder in a fresh
// temporary folder, read back through separate QSettings objects to see what
// really reached the disk.
class tst_LauncherConfig : public QObject
{
    Q_OBJECT

private:
    QString launcherFile() const { return m_dir->filePath(QStringLiteral("config.ini")); }
    QString gameFolder() const { return m_dir->filePath(QStringLiteral("Tessaril Game")); }
    QString gameFile() const { return gameFolder() + QStringLiteral("/config.ini"); }

    static QString stored(const QString &file, const char *key)
    {
        return QSettings(file, QSettings::IniFormat).value(QLatin1String(key)).toString();
    }
    static void store(const QString &file, const char *key, const QString &value)
    {
        QSettings(file, QSettings::IniFormat).setValue(QLatin1String(key), value);
    }

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir().mkpath(gameFolder()));
    }

    void firstUseWritesDistributionKeys()
    {
        {
            LauncherConfig config(launcherFile());
        }
        QCOMPARE(stored(launcherFile(), "cps"), QStringLiteral("vantor"));
        QCOMPARE(stored(launcherFile(), "channel"), QStringLiteral("1"));
        QCOMPARE(stored(launcherFile(), "sub_channel"), QStringLiteral("0"));
    }

    void emptyCpsReadsAsDefaultAndIsRewritten()
    {
        store(launcherFile(), "cps", QString());
        store(launcherFile(), "channel", QStringLiteral("77"));
        LauncherConfig config(launcherFile());
        QCOMPARE(config.cps(), QStringLiteral("vantor"));
        QCOMPARE(config.channel(), QStringLiteral("77"));
        QCOMPARE(stored(launcherFile(), "cps"), QStringLiteral("vantor"));
        config.setString(QStringLiteral("cps"), QString(), QString());
        QCOMPARE(config.cps(), QStringLiteral("vantor"));
        config.initCps(QStringLiteral("partner"));
        QCOMPARE(config.cps(), QStringLiteral("partner"));
    }

    void gameFileChannelBlocksBothWrites()
    {
        store(launcherFile(), "game_install_path", gameFolder());
        store(gameFile(), "channel", QStringLiteral("42"));
        {
            LauncherConfig config(launcherFile());
            QCOMPARE(config.channel(), QStringLiteral("1")); // the launcher's file has none
            config.initChannel(QStringLiteral("9"));
        }
        QCOMPARE(stored(gameFile(), "channel"), QStringLiteral("42"));
        QVERIFY(
            !QSettings(launcherFile(), QSettings::IniFormat).contains(QStringLiteral("channel")));
        // Keys the game's file lacks are written to both files.
        QCOMPARE(stored(gameFile(), "cps"), QStringLiteral("vantor"));
        QCOMPARE(stored(launcherFile(), "cps"), QStringLiteral("vantor"));
    }

    void versionCacheOutlivesPathChange()
    {
        store(gameFile(), "game_version", QStringLiteral("1.0.0"));
        LauncherConfig config(launcherFile());
        QCOMPARE(config.gameVersion(), QString());
        config.setGameInstallPath(gameFolder());
        QCOMPARE(config.gameVersion(), QStringLiteral("1.0.0"));
        const QString other = m_dir->filePath(QStringLiteral("elsewhere"));
        QDir().mkpath(other);
        store(other + QStringLiteral("/config.ini"), "game_version", QStringLiteral("2.0.0"));
        config.setGameInstallPath(other);
        QCOMPARE(config.gameVersion(), QStringLiteral("1.0.0"));
        // The file is not read again either.
        store(gameFile(), "game_version", QStringLiteral("3.0.0"));
        config.setGameInstallPath(gameFolder());
        QCOMPARE(config.gameVersion(), QStringLiteral("1.0.0"));
    }

    void setGameVersionWritesGameFileAndEmptyCps()
    {
        LauncherConfig config(launcherFile());
        config.setGameVersion(QStringLiteral("5.5")); // no path yet: only cached
        QCOMPARE(config.gameVersion(), QStringLiteral("5.5"));
        QVERIFY(!QFile::exists(gameFile()));
        config.setGameInstallPath(gameFolder());
        config.setGameVersion(QStringLiteral("1.2.3"));
        QCOMPARE(stored(gameFile(), "game_version"), QStringLiteral("1.2.3"));
        QVERIFY(QSettings(gameFile(), QSettings::IniFormat).contains(QStringLiteral("cps")));
        QCOMPARE(stored(gameFile(), "cps"), QString());
        // What the install flow does next fills the empty value in.
        config.initCps(QStringLiteral("vantor"));
        QCOMPARE(stored(gameFile(), "cps"), QStringLiteral("vantor"));
    }

    void unreadableFileReadsAsDefaults()
    {
        QVERIFY(writeFile(launcherFile(), QByteArray("\x00\xff[[[=\n", 7)));
        LauncherConfig config(launcherFile());
        QCOMPARE(config.cps(), QStringLiteral("vantor"));
        QCOMPARE(config.getInt(QStringLiteral("exit_type"), QString()), 0);
    }
};

QTEST_APPLESS_MAIN(tst_LauncherConfig)
#include "tst_launcherconfig.moc"
