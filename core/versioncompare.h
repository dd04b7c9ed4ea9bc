#pragma once

#include <QString>

// Compares dotted versions component by component over the parts both have:
// 1 when b is newer, -1 when a is newer, 0 when equal, -2 when a compared
// part is not a decimal number.
int compareVersion(const QString &a, const QString &b);
