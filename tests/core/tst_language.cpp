#include "core/buildinfo.h"
#include "core/language.h"
#include "platform/uilanguage.h"

#include <QtTest>

class tst_Language : public QObject
{
    Q_OBJECT

private slots:
    void table_data()
    {
        QTest::addColumn<int>("langId");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("code");
        auto row = [](const char *name, int langId, const char *file, const char *code) {
            QTest::newRow(name) << langId << QString::fromLatin1(file) << QString::fromLatin1(code);
        };
        row("zh-TW", 0x0404, "i18n_zh_tw.qm", "zh-tw");
        row("zh-HK falls to simplified", 0x0C04, "i18n_zh_cn.qm", "zh-cn");
        row("Italian is not offered", 0x0410, "i18n_en.qm", "en-us");
        row("German (Austria)", 0x0C07, "i18n_de.qm", "de-de");
        row("Portuguese (Brazil)", 0x0416, "i18n_pt.qm", "pt-pt");
        row("unknown", 0, "i18n_en.qm", "en-us");
    }

    void table()
    {
        QFETCH(int, langId);
        QFETCH(QString, file);
        QFETCH(QString, code);
        const UiLanguage language = uiLanguageForLangId(quint16(langId));
        QCOMPARE(language.qmFile, file);
        QCOMPARE(language.code, code);
    }

    void domesticBuildIgnoresTheSystem()
    {
        QVERIFY(isDomesticEnvironment(QStringLiteral("prod")));
        QVERIFY(!isDomesticEnvironment(QStringLiteral("prod-os")));
        QVERIFY(!isDomesticEnvironment(QStringLiteral("Prod")));
        QCOMPARE(uiLanguageFor(QStringLiteral("prod"), 0x0409).code, QStringLiteral("zh-cn"));
        QCOMPARE(uiLanguageFor(QStringLiteral("prod-os"), 0x0404).code, QStringLiteral("zh-tw"));
    }

    void posixLocaleGivesLangId_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<int>("langId");
        auto row = [](const char *name, const char *language, const char *lcAll, const char *lang,
                       int langId) {
            QTest::newRow(name) << QByteArray(language) << QByteArray(lcAll) << QByteArray(lang)
                                << langId;
        };
        row("zh_TW", "", "", "zh_TW.UTF-8", 0x0404);
        row("zh_HK", "", "", "zh_HK.UTF-8", 0x0C04);
        row("zh_CN", "", "", "zh_CN.GB18030", 0x0804);
        row("LANGUAGE list wins", "fr_CA:en", "de_DE.UTF-8", "ja_JP", 0x040C);
        row("LC_ALL over LANG", "", "ko_KR.UTF-8", "en_US.UTF-8", 0x0412);
        row("C locale is skipped", "", "C.UTF-8", "ru_RU.UTF-8", 0x0419);
        row("nothing set", "", "", "", 0);
    }

    void posixLocaleGivesLangId()
    {
        QFETCH(QByteArray, language);
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lang);
        QFETCH(int, langId);
        qputenv("LANGUAGE", language);
        qputenv("LC_ALL", lcAll);
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", lang);
        QCOMPARE(int(platform::userUiLanguageId()), langId);
    }

    void selectRemembersTheCode()
    {
        qputenv("LANGUAGE", "");
        qputenv("LC_ALL", "");
        qputenv("LANG", "zh_TW.UTF-8");
        QTranslator translator;
        QCOMPARE(selectUiLanguage(translator), QStringLiteral("zh-tw"));
        QCOMPARE(currentLanguage(), QStringLiteral("zh-tw"));
    }
};

QTEST_MAIN(tst_Language)
#include "tst_language.moc"
