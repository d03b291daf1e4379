// The update window's components with their built-in texts, in creation order, its
// message texts among them as the items of a menu that is never shown.
#pragma once

#include "ui/ComponentModel.h"

namespace kestrova {

WindowModel BuildUpdateWindowComponents();

}  // namespace kestrova
