#include "platform/window.h"

#include <QWindow>

namespace platform {

void bringToFront(QWindow *window)
{
    window->raise();
    window->requestActivate();
}

} // namespace platform
