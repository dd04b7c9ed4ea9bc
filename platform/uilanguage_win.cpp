#include "platform/uilanguage.h"

#include <windows.h>

namespace platform {

quint16 userUiLanguageId()
{
    return GetUserDefaultUILanguage();
}

} // namespace platform
