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

// Whether the text shapes to real glyphs only, with the font and the
// fallback fonts the window's text items would use. Glyph 0 is the empty
// box a font draws for a character it lacks.
QList<QGlyphRun> shaped(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    while (layout.createLine().isValid()) { }
    layout.endLayout();
    return layout.glyphRuns();
}

bool drawsWithoutBoxes(const QString &text, const QFont &font)
{
    for (const QGlyphRun &run : shaped(text, font)) {
        if (run.glyphIndexes().contains(0))
            return false;
    }
    return true;
}

// A label drawn in two typefaces shows two weights side by side.
bool drawsInOneTypeface(const QString &text, const QFont &font)
{
    QSet<QString> families;
    for (const QGlyphRun &run : shaped(text, font))
        families.insert(run.rawFont().familyName());
    return families.size() <= 1;
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
        QVERIFY(!drawsWithoutBoxes(QStringLiteral("Tessaril \u0378"), m_windowFont));
        QVERIFY(drawsWithoutBoxes(QStringLiteral("Tessaril"), m_windowFont));
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
            if (!drawsWithoutBoxes(text, font))
                failures << text + QStringLiteral(": boxes");
            else if (ownScript && !drawsInOneTypeface(text, font))
                failures << text + QStringLiteral(": more than one typeface");
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }
};

TESSARIL_GUI_TEST_MAIN(tst_LanguageFonts)
#include "tst_languagefonts.moc"
