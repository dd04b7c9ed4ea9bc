#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

// Each hive is an INI file under the user's configuration folder, and the key
// path below the hive is the settings group.
namespace platform {

namespace {

QString configHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString &organization()
{
    static QString name;
    return name;
}

struct HiveAndGroup
{
    QString file;
    QString group;
};

HiveAndGroup locate(const QString &key)
{
    const QString normalized = QString(key).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const int slash = normalized.indexOf(QLatin1Char('/'));
    const QString hive = slash < 0 ? normalized : normalized.left(slash);
    const QString group = slash < 0 ? QString() : normalized.mid(slash + 1);
    return { QStringLiteral("%1/%2/registry/%3.ini").arg(configHome(), organization(), hive),
        group };
}

// Desktop entry Exec quoting: inside double quotes, backslash-escape the
// characters the shell would read, then escape backslashes once more for the
// string value itself, and double "%" so it is no field code.
QString quotedExec(const QString &command)
{
    QString quoted;
    for (const QChar c : command) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString readRegistryString(const QString &key, const QString &name, RegistryView)
{
    const HiveAndGroup where = locate(key);
    QSettings settings(where.file, QSettings::IniFormat);
    settings.beginGroup(where.group);
    return settings.value(name).toString();
}

bool writeRegistryString(const QString &key, const QString &name, const QString &data, RegistryView)
{
    const HiveAndGroup where = locate(key);
    QSettings settings(where.file, QSettings::IniFormat);
    settings.beginGroup(where.group);
    settings.setValue(name, data);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void syncAutoStartEntry(const QString &entryName, const QString &command)
{
    const QString folder = configHome() + QStringLiteral("/autostart");
    const QString path = folder + QLatin1Char('/') + entryName + QStringLiteral(".desktop");
    if (command.isEmpty()) {
        QFile::remove(path);
        return;
    }
    QDir().mkpath(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=%1\n"
                                         "Exec=%2\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(QString(entryName).replace(QLatin1Char('_'), QLatin1Char(' ')),
                                  quotedExec(command));
    file.write(entry.toUtf8());
    file.commit();
}

void setRegistryOrganization(const QString &name)
{
    organization() = name;
}

} // namespace platform
