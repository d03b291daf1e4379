// The About window's components with their built-in texts, in creation order.
#pragma once

#include "ui/ComponentModel.h"

namespace kestrova {

WindowModel BuildAboutWindowComponents();

}  // namespace kestrova
