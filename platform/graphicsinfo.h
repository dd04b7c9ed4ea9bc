#pragma once

#include <QString>

namespace platform {

// "vendor renderer version" of the OpenGL implementation the window would
// use, or empty when no context can be made. Needs the GUI application.
QString graphicsDescription();

} // namespace platform
