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
        QTest::newRow("zh-TW") << 0x0404 << "i18n_zh_tw.qm"
                               << "zh-tw";
        QTest::newRow("zh-HK falls to simplified") << 0x0C04 << "i18n_zh_cn.qm"
                                                   << "zh-cn";
        QTest::newRow("zh-MO falls to simplified") << 0x1404 << "i18n_zh_cn.qm"
                                                   << "zh-cn";
        QTest::newRow("zh-CN") << 0x0804 << "i18n_zh_cn.qm"
                               << "zh-cn";
        QTest::newRow("Italian is not offered") << 0x0410 << "i18n_en.qm"
                                                << "en-us";
        QTest::newRow("German (Austria)") << 0x0C07 << "i18n_de.qm"
                                          << "de-de";
        QTest::newRow("Portuguese (Brazil)") << 0x0416 << "i18n_pt.qm"
                                             << "pt-pt";
        QTest::newRow("Vietnamese") << 0x042A << "i18n_vi.qm"
                                    << "vi-vn";
        QTest::newRow("unknown") << 0 << "i18n_en.qm"
                                 << "en-us";
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
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("langId");
        QTest::newRow("zh_TW") << ""
                               << ""
                               << "zh_TW.UTF-8" << 0x0404;
        QTest::newRow("zh_HK") << ""
                               << ""
                               << "zh_HK.UTF-8" << 0x0C04;
        QTest::newRow("zh_MO") << ""
                               << ""
                               << "zh_MO" << 0x1404;
        QTest::newRow("zh_CN") << ""
                               << ""
                               << "zh_CN.GB18030" << 0x0804;
        QTest::newRow("Italian") << ""
                                 << ""
                                 << "it_IT.UTF-8" << 0x0410;
        QTest::newRow("LANGUAGE list wins") << "fr_CA:en"
                                            << "de_DE.UTF-8"
                                            << "ja_JP" << 0x040C;
        QTest::newRow("LC_ALL over LANG") << ""
                                          << "ko_KR.UTF-8"
                                          << "en_US.UTF-8" << 0x0412;
        QTest::newRow("C locale is skipped") << ""
                                             << "C.UTF-8"
                                             << "ru_RU.UTF-8" << 0x0419;
        QTest::newRow("nothing set") << ""
                                     << ""
                                     << "" << 0;
    }

    void posixLocaleGivesLangId()
    {
        QFETCH(QString, language);
        QFETCH(QString, lcAll);
        QFETCH(QString, lang);
        QFETCH(int, langId);
        qputenv("LANGUAGE", language.toUtf8());
        qputenv("LC_ALL", lcAll.toUtf8());
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", lang.toUtf8());
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
