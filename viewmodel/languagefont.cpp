#include "viewmodel/languagefont.h"

#include <QFontDatabase>

namespace {

QFontDatabase::WritingSystem scriptOf(const QString &language)
{
    const QString code = language.toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
    if (code.startsWith(QLatin1String("th")))
        return QFontDatabase::Thai;
    if (code.startsWith(QLatin1String("zh-tw")))
        return QFontDatabase::TraditionalChinese;
    if (code.startsWith(QLatin1String("zh")))
        return QFontDatabase::SimplifiedChinese;
    if (code.startsWith(QLatin1String("ja")))
        return QFontDatabase::Japanese;
    if (code.startsWith(QLatin1String("ko")))
        return QFontDatabase::Korean;
    return QFontDatabase::Latin;
}

} // namespace

QFont windowFontFor(const QString &language, const QFont &base)
{
    const QFontDatabase fonts;
    const QFontDatabase::WritingSystem script = scriptOf(language);
    if (fonts.writingSystems(base.family()).contains(script))
        return base;
    const QStringList families = fonts.families(script);
    for (const QString &family : families) {
        if (!fonts.isPrivateFamily(family)
            && fonts.writingSystems(family).contains(QFontDatabase::Latin)) {
            QFont font = base;
            font.setFamily(family);
            return font;
        }
    }
    return base;
}
