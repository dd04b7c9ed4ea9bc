#pragma once

#include <QtGlobal>

namespace platform {

// The user's interface language as a Windows LANGID (primary id in the low
// ten bits, sub-language above). 0 when it cannot be told.
quint16 userUiLanguageId();

} // namespace platform
