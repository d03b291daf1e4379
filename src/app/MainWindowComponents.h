// The main window's components with their built-in texts, in creation order.
// Portable, so that the language engine's handling of this window runs in unit tests.
#pragma once

#include "ui/ComponentModel.h"

namespace kestrova {

WindowModel BuildMainWindowComponents();

}  // namespace kestrova
