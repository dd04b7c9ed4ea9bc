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

    void emptyCpsReadsAsDefaultAndIsRewritten()
    {
        store(launcherFile(), "cps", QString());
        store(launcherFile(), "channel", QStringLiteral("77"));
        LauncherConfig config(launcherFile());
        const QStringList read { config.cps(), config.channel(), stored(launcherFile(), "cps") };
        config.setString(QStringLiteral("cps"), QString(), QString());
        const QString afterEmpty = config.cps();
        config.initCps(QStringLiteral("partner"));
        QCOMPARE(read + QStringList({ afterEmpty, config.cps() }),
            QStringList({ "vantor", "77", "vantor", "vantor", "partner" }));
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
        QVERIFY(
            !QSettings(launcherFile(), QSettings::IniFormat).contains(QStringLiteral("channel")));
        // Keys the game's file lacks are written to both files.
        QCOMPARE(QStringList({ stored(gameFile(), "channel"), stored(gameFile(), "cps"),
                     stored(launcherFile(), "cps") }),
            QStringList({ "42", "vantor", "vantor" }));
    }

    void versionCacheOutlivesPathChange()
    {
        store(gameFile(), "game_version", QStringLiteral("1.0.0"));
        LauncherConfig config(launcherFile());
        QStringList seen { config.gameVersion() };
        config.setGameInstallPath(gameFolder());
        seen << config.gameVersion();
        const QString other = m_dir->filePath(QStringLiteral("elsewhere"));
        QDir().mkpath(other);
        store(other + QStringLiteral("/config.ini"), "game_version", QStringLiteral("2.0.0"));
        config.setGameInstallPath(other);
        seen << config.gameVersion();
        // The file is not read again either.
        store(gameFile(), "game_version", QStringLiteral("3.0.0"));
        config.setGameInstallPath(gameFolder());
        QCOMPARE(seen << config.gameVersion(), QStringList({ "", "1.0.0", "1.0.0", "1.0.0" }));
    }

    void setGameVersionWritesGameFileAndEmptyCps()
    {
        LauncherConfig config(launcherFile());
        config.setGameVersion(QStringLiteral("5.5")); // no path yet: only cached
        QCOMPARE(config.gameVersion(), QStringLiteral("5.5"));
        QVERIFY(!QFile::exists(gameFile()));
        config.setGameInstallPath(gameFolder());
        config.setGameVersion(QStringLiteral("1.2.3"));
        QCOMPARE(readFile(gameFile()), QByteArray("[General]\ncps=\ngame_version=1.2.3\n"));
        // What the install flow does next fills the empty value in.
        config.initCps(QStringLiteral("vantor"));
        QCOMPARE(stored(gameFile(), "cps"), QStringLiteral("vantor"));
    }
};

QTEST_APPLESS_MAIN(tst_LauncherConfig)
#include "tst_launcherconfig.moc"
