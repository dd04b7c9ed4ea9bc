#pragma once

#include <QFont>
#include <QString>

// The window's font for a language code ("th-th", "zh-cn", ...). Qt draws each
// script from its own fallback font, so a Thai or Chinese label with Latin
// digits in it would mix two typefaces of different weight; a family that
// writes the language's script and Latin alike keeps every label in one.
// Languages the base font writes keep it.
QFont windowFontFor(const QString &language, const QFont &base);
