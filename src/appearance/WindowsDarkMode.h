// The system's app theme: whether the user chose dark apps in the Windows settings.
#pragma once

#include "platform/RegistryBackend.h"

namespace kestrova {

// True only when AppsUseLightTheme below HKCU\...\Themes\Personalize is the number 0.
// A missing key or value means light; a value of another type raises AppError.
bool IsWindowsDarkMode(RegistryBackend& registry);

}  // namespace kestrova
