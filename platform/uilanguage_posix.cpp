#include "platform/uilanguage.h"

#include <QString>
#include <QStringList>

// Derives a LANGID from the POSIX locale variables, in the order gettext
// reads them for messages.
namespace platform {

namespace {

struct PrimaryLanguage
{
    const char *iso639;
    quint16 primaryId;
};

constexpr PrimaryLanguage kPrimaryLanguages[] = {
    { "ar", 0x01 },
    { "bg", 0x02 },
    { "ca", 0x03 },
    { "zh", 0x04 },
    { "cs", 0x05 },
    { "da", 0x06 },
    { "de", 0x07 },
    { "el", 0x08 },
    { "en", 0x09 },
    { "es", 0x0A },
    { "fi", 0x0B },
    { "fr", 0x0C },
    { "he", 0x0D },
    { "hu", 0x0E },
    { "is", 0x0F },
    { "it", 0x10 },
    { "ja", 0x11 },
    { "ko", 0x12 },
    { "nl", 0x13 },
    { "nb", 0x14 },
    { "no", 0x14 },
    { "pl", 0x15 },
    { "pt", 0x16 },
    { "ro", 0x18 },
    { "ru", 0x19 },
    { "hr", 0x1A },
    { "sk", 0x1B },
    { "sv", 0x1D },
    { "th", 0x1E },
    { "tr", 0x1F },
    { "id", 0x21 },
    { "uk", 0x22 },
    { "vi", 0x2A },
};

constexpr quint16 kSubLanguageDefault = 0x01;

quint16 makeLangId(quint16 primary, quint16 sub)
{
    return quint16((sub << 10) | primary);
}

quint16 chineseLangId(const QString &territory)
{
    if (territory == QLatin1String("TW"))
        return 0x0404;
    if (territory == QLatin1String("HK"))
        return 0x0C04;
    if (territory == QLatin1String("MO"))
        return 0x1404;
    if (territory == QLatin1String("SG"))
        return 0x1004;
    return 0x0804;
}

// "zh_TW.UTF-8@variant" -> language "zh", territory "TW".
quint16 langIdFromLocaleName(const QString &locale)
{
    QString name = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    const QString language = name.section(QLatin1Char('_'), 0, 0).toLower();
    const QString territory = name.section(QLatin1Char('_'), 1, 1).toUpper();
    if (language == QLatin1String("zh"))
        return chineseLangId(territory);
    for (const PrimaryLanguage &entry : kPrimaryLanguages) {
        if (language == QLatin1String(entry.iso639))
            return makeLangId(entry.primaryId, kSubLanguageDefault);
    }
    return 0;
}

bool isNeutralLocale(const QString &value)
{
    return value.isEmpty() || value == QLatin1String("C") || value.startsWith(QLatin1String("C."))
        || value == QLatin1String("POSIX");
}

} // namespace

quint16 userUiLanguageId()
{
    for (const char *variable : { "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" }) {
        // LANGUAGE is a preference list; its first entry is the user's choice.
        const QString value = qEnvironmentVariable(variable).section(QLatin1Char(':'), 0, 0);
        if (!isNeutralLocale(value))
            return langIdFromLocaleName(value);
    }
    return 0;
}

} // namespace platform
