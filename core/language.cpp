#include "core/language.h"

#include "core/buildinfo.h"
#include "platform/uilanguage.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {

QString g_currentLanguage;

struct LanguageRow
{
    quint16 primaryId;
    const char *qmFile;
    const char *code;
};

constexpr LanguageRow kLanguageRows[] = {
    { 4, "i18n_zh_cn.qm", "zh-cn" },
    { 7, "i18n_de.qm", "de-de" },
    { 9, "i18n_en.qm", "en-us" },
    { 10, "i18n_es.qm", "es-es" },
    { 12, "i18n_fr.qm", "fr-fr" },
    { 17, "i18n_ja.qm", "ja-jp" },
    { 18, "i18n_ko.qm", "ko-kr" },
    { 22, "i18n_pt.qm", "pt-pt" },
    { 25, "i18n_ru.qm", "ru-ru" },
    { 30, "i18n_th.qm", "th-th" },
    { 33, "i18n_id.qm", "id-id" },
    { 42, "i18n_vi.qm", "vi-vn" },
};

constexpr quint16 kChineseTaiwan = 0x0404;

} // namespace

UiLanguage uiLanguageForLangId(quint16 langId)
{
    if (langId == kChineseTaiwan)
        return { QStringLiteral("i18n_zh_tw.qm"), QStringLiteral("zh-tw") };
    const quint16 primary = langId & 0x3FF;
    for (const LanguageRow &row : kLanguageRows) {
        if (row.primaryId == primary)
            return { QLatin1String(row.qmFile), QLatin1String(row.code) };
    }
    return { QStringLiteral("i18n_en.qm"), QStringLiteral("en-us") };
}

UiLanguage uiLanguageFor(const QString &buildEnvironment, quint16 systemLangId)
{
    if (isDomesticEnvironment(buildEnvironment))
        return { QStringLiteral("i18n_zh_cn.qm"), QStringLiteral("zh-cn") };
    return uiLanguageForLangId(systemLangId);
}

QString selectUiLanguage(QTranslator &translator)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/language/");
    const UiLanguage language
        = uiLanguageFor(QLatin1String(kBuildEnvironment), platform::userUiLanguageId());
    // A missing file leaves the ids untranslated; the code still counts.
    translator.load(folder + language.qmFile);
    g_currentLanguage = language.code;
    return language.code;
}

QString currentLanguage()
{
    return g_currentLanguage;
}
