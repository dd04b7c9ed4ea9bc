#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const char *const kLanguages[]
    = { "zh_cn", "zh_tw", "de", "en", "es", "fr", "ja", "ko", "pt", "ru", "th", "id", "vi" };

struct Message
{
    QString translation;
    QString type; // "unfinished", "vanished", ... or empty once translated
};

using Messages = QMap<QPair<QString, QString>, Message>; // (context, id)

Messages readTs(const QString &path)
{
    Messages messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            messages.insert({ context, source }, { xml.readElementText(), type });
        }
    }
    return messages;
}

QString tsPath(const char *language)
{
    return qEnvironmentVariable("TESSARIL_SOURCE_DIR")
        + QStringLiteral("/translations/i18n_%1.ts").arg(QLatin1String(language));
}

} // namespace

// Every id the code uses must have a finished text in every language the
// launcher ships, and the translations it loads must be built from them.
class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void everyIdInTheCodeIsTranslatedInEveryLanguage()
    {
        const QString sources = qEnvironmentVariable("TESSARIL_SOURCE_DIR");
        QTemporaryDir scratch;
        const QString fresh = scratch.filePath(QStringLiteral("fresh.ts"));
        QStringList args
            = { QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none") };
        for (const char *folder : { "app", "dialogs", "viewmodel", "download", "setup", "net",
                 "report", "qml", "updater" })
            args << QLatin1String(folder);
        args << QStringLiteral("-ts") << fresh;
        QProcess lupdate;
        lupdate.setWorkingDirectory(sources);
        lupdate.start(qEnvironmentVariable("TESSARIL_LUPDATE"), args);
        QVERIFY(lupdate.waitForFinished(60000));
        const Messages used = readTs(fresh);
        QVERIFY(used.size() > 30);

        QStringList gaps;
        for (const char *language : kLanguages) {
            const Messages shipped = readTs(tsPath(language));
            for (auto it = used.constBegin(); it != used.constEnd(); ++it) {
                const Message message = shipped.value(it.key());
                if (message.translation.isEmpty() || !message.type.isEmpty())
                    gaps << QStringLiteral("%1: %2 / %3 has no finished text")
                                .arg(QLatin1String(language), it.key().first, it.key().second);
            }
        }
        QVERIFY2(gaps.isEmpty(), qPrintable(gaps.join(QLatin1Char('\n'))));
    }

    // A text left as its id, or marked unfinished in Linguist, would show the
    // player an id, even where the code no longer asks for it today.
    void noEntryIsUnfinishedOrItsOwnId()
    {
        QStringList gaps;
        for (const char *language : kLanguages) {
            const Messages shipped = readTs(tsPath(language));
            QVERIFY2(shipped.size() > 30, language);
            for (auto it = shipped.constBegin(); it != shipped.constEnd(); ++it) {
                const QString where
                    = QStringLiteral("%1: %2 / %3")
                          .arg(QLatin1String(language), it.key().first, it.key().second);
                if (it->type == QLatin1String("unfinished"))
                    gaps << where + QStringLiteral(" is marked unfinished");
                else if (it->translation.trimmed() == it.key().second)
                    gaps << where + QStringLiteral(" reads as its id");
            }
        }
        QVERIFY2(gaps.isEmpty(), qPrintable(gaps.join(QLatin1Char('\n'))));
    }

    void builtFilesLoad()
    {
        const QString folder = qEnvironmentVariable("TESSARIL_LANGUAGE_DIR");
        for (const char *code : kLanguages) {
            QTranslator translator;
            QVERIFY2(
                translator.load(folder + QStringLiteral("/i18n_%1.qm").arg(QLatin1String(code))),
                code);
            QVERIFY2(!translator.translate("main", "button_start_game").isEmpty(), code);
        }
        QTranslator english;
        QVERIFY(english.load(folder + QStringLiteral("/i18n_en.qm")));
        QCOMPARE(english.translate("CDlgYesNo", "button_cancle"), QStringLiteral("Cancel"));
    }
};

QTEST_APPLESS_MAIN(tst_Translations)
#include "tst_translations.moc"
