// Control and command identifiers the main window's files share.
#pragma once

namespace kestrova::main_window_ids {

constexpr int kGeneralMenuButton = 10;
constexpr int kFirstPageControl = 100;  // below kFirstShortcut
constexpr int kFirstShortcut = 900;  // below kFirstMenuCommand
constexpr int kFirstMenuCommand = 1000;
constexpr int kFirstLanguageCommand = 20000;
constexpr int kMaxLanguageItems = 10000;

}  // namespace kestrova::main_window_ids
