#pragma once

#include <QString>

namespace LauncherApi {

// The address of the game resource manifest (resource true) or of the
// launcher content in language, on the content service of this build's
// release stage.
QString url(bool resource, const QString &language);

} // namespace LauncherApi
