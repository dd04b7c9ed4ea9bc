#include "app/buildinfo.h"

#include "net/serviceaddresses.h"

bool isDomesticEnvironment(const QString &name)
{
    return name == QLatin1String("testing") || name == QLatin1String("sandbox")
        || name == QLatin1String("pre") || name == QLatin1String("prod");
}

QString updateMutexName()
{
    return QStringLiteral("%1_%2_update")
        .arg(ServiceAddresses::organizationDomain(), QLatin1String(kApplicationName));
}
