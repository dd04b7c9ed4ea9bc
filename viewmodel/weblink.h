#pragma once

#include <QString>

// Links come from replies and web pages: any scheme but http and https would
// have the desktop open local files or programs (a .desktop file runs one).
bool isWebPage(const QString &url);
// Hands a web page to the desktop's browser; false for anything else.
bool openWebPage(const QString &url);
