#include "core/buildinfo.h"

bool isDomesticEnvironment(const QString &name)
{
    return name == QLatin1String("testing") || name == QLatin1String("sandbox")
        || name == QLatin1String("pre") || name == QLatin1String("prod");
}

QString updateMutexName()
{
    return QStringLiteral("%1_%2_update")
        .arg(organizationDomain(), QLatin1String(kApplicationName));
}

QString organizationDomain()
{
    return QStringLiteral(TESSARIL_ORGANIZATION_DOMAIN);
}
