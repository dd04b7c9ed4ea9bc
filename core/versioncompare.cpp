#include "core/versioncompare.h"

#include <QStringList>

int compareVersion(const QString &a, const QString &b)
{
    if (a == b)
        return 0;
    const QStringList partsA = a.split(QLatin1Char('.'));
    const QStringList partsB = b.split(QLatin1Char('.'));
    const int common = qMin(partsA.size(), partsB.size());
    for (int i = 0; i < common; ++i) {
        bool okA = false;
        bool okB = false;
        const qlonglong numberA = partsA.at(i).toLongLong(&okA, 10);
        const qlonglong numberB = partsB.at(i).toLongLong(&okB, 10);
        if (!okA || !okB)
            return -2;
        if (numberA != numberB)
            return numberA < numberB ? 1 : -1;
    }
    return 0;
}
