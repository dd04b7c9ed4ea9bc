#include "core/language.h"
#include "platform/uilanguage.h"

#include <QtTest>

using Locale = std::tuple<QByteArray, QByteArray, QByteArray, int>;
Q_DECLARE_METATYPE(Locale)

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
    }

    void table()
    {
        QFETCH(int, langId);
        const UiLanguage language = uiLanguageForLangId(quint16(langId));
        QTEST(language.qmFile, "file");
        QTEST(language.code, "code");
    }

    void posixLocaleGivesLangId_data()
    {
        // LANGUAGE, LC_ALL, LANG and the Windows language id they give
        QTest::addColumn<Locale>("row");
        QTest::newRow("zh_TW") << Locale { "", "", "zh_TW.UTF-8", 0x0404 };
        QTest::newRow("zh_HK") << Locale { "", "", "zh_HK.UTF-8", 0x0C04 };
        QTest::newRow("LANGUAGE list wins")
            << Locale { "fr_CA:en", "de_DE.UTF-8", "ja_JP", 0x040C };
        QTest::newRow("LC_ALL over LANG") << Locale { "", "ko_KR.UTF-8", "en_US.UTF-8", 0x0412 };
        QTest::newRow("C locale is skipped") << Locale { "", "C.UTF-8", "ru_RU.UTF-8", 0x0419 };
        QTest::newRow("nothing set") << Locale { "", "", "", 0 };
    }

    void posixLocaleGivesLangId()
    {
        QFETCH(Locale, row);
        const auto [language, lcAll, lang, langId] = row;
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
