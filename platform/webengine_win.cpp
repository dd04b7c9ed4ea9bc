#include "platform/webengine.h"

namespace platform {

void prepareWebEngine()
{
    // The sandbox works for an elevated process on Windows.
}

} // namespace platform
