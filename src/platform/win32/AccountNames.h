// Which account a process runs as, as DOMAIN\name. An administrator may start the program
// elevated with another account's password; its HKEY_CURRENT_USER is then that account's,
// not the one of the person signed in, whose desktop the shell runs.
#pragma once

#include <string>

namespace kestrova {

// The account of this process; empty when it cannot be read.
std::string ProcessAccountName();

// The account that runs the shell (the desktop's process); empty when there is no shell
// or its account cannot be read.
std::string ShellAccountName();

}  // namespace kestrova
