#include "platform/registry.h"

#include <QSettings>

namespace platform {

static QSettings::Format formatFor(RegistryView view)
{
    return view == RegistryView::Wide64 ? QSettings::Registry64Format : QSettings::NativeFormat;
}

QString readRegistryString(const QString &key, const QString &name, RegistryView view)
{
    return QSettings(key, formatFor(view)).value(name).toString();
}

bool writeRegistryString(
    const QString &key, const QString &name, const QString &data, RegistryView view)
{
    QSettings settings(key, formatFor(view));
    settings.setValue(name, data);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void syncAutoStartEntry(const QString &, const QString &)
{
    // The Run value written beside this call is what Windows reads at login.
}

void setRegistryOrganization(const QString &)
{
    // The system registry needs no folder of its own.
}

} // namespace platform
