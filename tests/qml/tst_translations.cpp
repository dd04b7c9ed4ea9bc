#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

using Messages = QMap<QPair<QString, QString>, QString>; // (context, id) -> translation

Messages readTs(const QString &path)
{
    Messages messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context, source, translation;
    bool finished = true;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            translation = xml.readElementText();
            messages.insert({ context, source }, finished ? translation : QString());
        }
    }
    return messages;
}

} // namespace

// Every id the code uses must have an English text, and the translations
// the launcher loads must be built from the sources.
class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void everyIdInTheCodeHasEnglishAndChinese()
    {
        const QString sources = qEnvironmentVariable("TESSARIL_SOURCE_DIR");
        QTemporaryDir scratch;
        const QString fresh = scratch.filePath(QStringLiteral("fresh.ts"));
        QProcess lupdate;
        lupdate.setWorkingDirectory(sources);
        lupdate.start(qEnvironmentVariable("TESSARIL_LUPDATE"),
            { QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                QStringLiteral("app"), QStringLiteral("dialogs"), QStringLiteral("viewmodel"),
                QStringLiteral("download"), QStringLiteral("setup"), QStringLiteral("net"),
                QStringLiteral("report"), QStringLiteral("qml"), QStringLiteral("-ts"), fresh });
        QVERIFY(lupdate.waitForFinished(60000));
        const Messages used = readTs(fresh);
        QVERIFY(used.size() > 30);
        for (const char *language : { "en", "zh_cn" }) {
            const Messages shipped = readTs(
                sources + QStringLiteral("/translations/i18n_%1.ts").arg(QLatin1String(language)));
            for (auto it = used.constBegin(); it != used.constEnd(); ++it)
                QVERIFY2(!shipped.value(it.key()).isEmpty(),
                    qPrintable(QStringLiteral("%1: %2 / %3 has no text")
                                   .arg(QLatin1String(language), it.key().first, it.key().second)));
        }
    }

    void builtFilesLoad()
    {
        const QString folder = qEnvironmentVariable("TESSARIL_LANGUAGE_DIR");
        for (const char *code : { "zh_cn", "zh_tw", "de", "en", "es", "fr", "ja", "ko", "pt", "ru",
                 "th", "id", "vi" }) {
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
