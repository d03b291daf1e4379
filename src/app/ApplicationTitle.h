// The application's title: the title of its general error report, the section of
// its language files and a folder name of its options path.
#pragma once

namespace kestrova {

inline constexpr char kApplicationTitle[] = "Kestrova";

}  // namespace kestrova
