#pragma once

class QWindow;

namespace platform {

// Puts window above the others and gives it the focus, as far as the window
// system lets a program do that.
void bringToFront(QWindow *window);

} // namespace platform
