#include "tests/support/guitestenvironment.h"
#include "viewmodel/languagefont.h"

#include <QApplication>
#include <QGlyphRun>
#include <QTextLayout>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// Every translated text of one language, from its Linguist source.
QStringList translatedTexts(const QString &tsFile)
{
    QStringList texts;
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement
            && xml.name() == QLatin1String("translation"))
            texts.append(xml.readElementText());
    }
    return texts;
}

// What goes wrong drawing the text with the font and the fallback fonts the
// window's text items would use; nothing when all is well. Glyph 0 is the
// empty box a font draws for a character it lacks, and a label drawn in two
// typefaces shows two weights side by side.
QString drawingFault(const QString &text, const QFont &font, bool oneTypeface = false)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    while (layout.createLine().isValid()) { }
    layout.endLayout();
    QSet<QString> families;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        if (run.glyphIndexes().contains(0))
            return QStringLiteral("boxes");
        families.insert(run.rawFont().familyName());
    }
    return oneTypeface && families.size() > 1 ? QStringLiteral("more than one typeface")
                                              : QString();
}

} // namespace

// The fonts the set-up installs must draw every text of every language the
// launcher ships, in the font the window uses; a missing one shows as a row
// of empty boxes.
class tst_LanguageFonts : public QObject
{
    Q_OBJECT

private:
    QFont m_windowFont;

private slots:
    void initTestCase()
    {
        // As the program's start-up does: widgets and the window's text items
        // share this font.
        QApplication::setFont(QApplication::font("QMenu"));
        m_windowFont = QGuiApplication::font();
        // The check itself must see a box when there is one: no font has a
        // glyph for an unassigned code point.
        QCOMPARE(drawingFault(QStringLiteral("Tessaril \u0378"), m_windowFont), "boxes");
        QCOMPARE(drawingFault(QStringLiteral("Tessaril"), m_windowFont), QString());
    }

    void everyTextDraws_data()
    {
        QTest::addColumn<QString>("code");
        for (const char *code :
            { "zh_cn", "zh_tw", "de", "en", "es", "fr", "ja", "ko", "pt", "ru", "th", "id", "vi" })
            QTest::newRow(code) << QString::fromLatin1(code);
    }

    void everyTextDraws()
    {
        QFETCH(QString, code);
        const QStringList texts = translatedTexts(
            QStringLiteral(TESSARIL_SOURCE_DIR "/translations/i18n_%1.ts").arg(code));
        QVERIFY(texts.size() > 30);
        const QFont font = windowFontFor(code, m_windowFont);
        // Latin and Cyrillic texts come from the base font itself.
        const bool ownScript = QStringList { "zh_cn", "zh_tw", "ja", "ko", "th" }.contains(code);
        QStringList failures;
        for (const QString &text : texts) {
            const QString fault = drawingFault(text, font, ownScript);
            if (!fault.isEmpty())
                failures << text + QStringLiteral(": ") + fault;
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }
};

TESSARIL_GUI_TEST_MAIN(tst_LanguageFonts)
#include "tst_languagefonts.moc"
