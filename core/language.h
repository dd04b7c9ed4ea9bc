#pragma once

#include <QString>

class QTranslator;

struct UiLanguage
{
    QString qmFile; // e.g. "i18n_en.qm"
    QString code; // e.g. "en-us"
};

// Maps a Windows LANGID to the translation file and language code. Only the
// full id 0x0404 selects traditional Chinese; other Chinese ids get
// simplified Chinese, and unknown languages get English.
UiLanguage uiLanguageForLangId(quint16 langId);

// A domestic build always speaks simplified Chinese; other builds follow the
// system's language.
UiLanguage uiLanguageFor(const QString &buildEnvironment, quint16 systemLangId);

// Picks the language for this build and system, loads its translation from
// "<program folder>/language/" into translator (a failed load is ignored)
// and remembers the code for currentLanguage().
QString selectUiLanguage(QTranslator &translator);

// The code chosen by selectUiLanguage(); empty before it ran.
QString currentLanguage();
