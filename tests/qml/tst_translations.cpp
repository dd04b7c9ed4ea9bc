#include <QProcess>
#include <QTemporaryDir>
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

// Empty when the file cannot be read.
Messages readTs(const QString &path)
{
    Messages messages;
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
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

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    // Every id the code uses has a finished text in every language; a text
    // left as its id, or marked unfinished in Linguist, would show the
    // player an id, even where the code no longer asks for it today.
    void everyTextIsFinished()
    {
        QTemporaryDir scratch;
        const QString fresh = scratch.filePath("fresh.ts");
        const QStringList args = { "-silent", "-locations", "none", "app", "dialogs", "viewmodel",
            "download", "setup", "net", "report", "qml", "updater", "-ts", fresh };
        QProcess lupdate;
        const QString source = qEnvironmentVariable("TESSARIL_SOURCE_DIR");
        lupdate.setWorkingDirectory(source);
        lupdate.start(qEnvironmentVariable("TESSARIL_LUPDATE"), args);
        QVERIFY(lupdate.waitForFinished(60000));
        const Messages used = readTs(fresh);
        QVERIFY(used.size() > 30);

        QStringList gaps;
        for (const char *language : kLanguages) {
            const Messages shipped = readTs(source + "/translations/i18n_" + language + ".ts");
            const auto where = [language](const QPair<QString, QString> &key) {
                return QString("%1: %2 / %3").arg(language, key.first, key.second);
            };
            for (auto it = used.constBegin(); it != used.constEnd(); ++it) {
                const Message message = shipped.value(it.key());
                if (message.translation.isEmpty() || !message.type.isEmpty())
                    gaps << where(it.key()) + " has no finished text";
            }
            for (auto it = shipped.constBegin(); it != shipped.constEnd(); ++it) {
                if (it->type == QLatin1String("unfinished"))
                    gaps << where(it.key()) + " is marked unfinished";
                else if (it->translation.trimmed() == it.key().second)
                    gaps << where(it.key()) + " reads as its id";
            }
        }
        QVERIFY2(gaps.isEmpty(), qPrintable(gaps.join('\n')));
    }
};

QTEST_APPLESS_MAIN(tst_Translations)
#include "tst_translations.moc"
