#include "updater/updatertranslator.h"

#include <QFile>

namespace {

// The codes the launcher's start-up hands out, with their file's language part.
constexpr const char *kLanguages[][2] = {
    { "zh-cn", "zh_cn" },
    { "zh-tw", "zh_tw" },
    { "de-de", "de" },
    { "en-us", "en" },
    { "es-es", "es" },
    { "fr-fr", "fr" },
    { "ja-jp", "ja" },
    { "ko-kr", "ko" },
    { "pt-pt", "pt" },
    { "ru-ru", "ru" },
    { "th-th", "th" },
    { "id-id", "id" },
    { "vi-vn", "vi" },
};

// Far beyond any translation file; a larger one is not read.
constexpr qint64 kMaxFileBytes = 16 << 20;

} // namespace

QString UpdaterTranslator::fileForLanguage(const QString &code)
{
    QString part = QStringLiteral("en");
    for (const auto &language : kLanguages) {
        if (code.compare(QLatin1String(language[0]), Qt::CaseInsensitive) == 0)
            part = QLatin1String(language[1]);
    }
    return QStringLiteral("i18n_%1.qm").arg(part);
}

bool UpdaterTranslator::loadFrom(const QString &launcherFolder, const QString &code)
{
    QFile file(launcherFolder + QStringLiteral("/language/") + fileForLanguage(code));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return false;
    m_data = file.readAll();
    // A missing or unreadable file leaves the ids untranslated, as in the
    // launcher itself.
    return load(reinterpret_cast<const uchar *>(m_data.constData()), m_data.size());
}
