#include "platform/window.h"

#include <QWindow>

#include <windows.h>

namespace platform {

void bringToFront(QWindow *window)
{
    // Topmost then not-topmost: lifts the window over others without
    // leaving it pinned above them.
    const HWND hwnd = reinterpret_cast<HWND>(window->winId());
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

} // namespace platform
