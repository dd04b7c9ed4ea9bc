#pragma once

namespace platform {

// Settings the web engine needs before it starts on this system. As root on
// Linux its sandbox refuses to run, so it is switched off there.
void prepareWebEngine();

} // namespace platform
