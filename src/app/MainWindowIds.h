// Control and command identifiers the main window's files share.
#pragma once

namespace kestrova::main_window_ids {

constexpr int kGeneralMenuButton = 10;
constexpr int kRefreshShortcut = 900;
constexpr int kOpenFolderShortcut = 901;
constexpr int kNextPageShortcut = 902;
constexpr int kPreviousPageShortcut = 903;
constexpr int kUndoShortcut = 904;
constexpr int kFirstMenuCommand = 1000;
constexpr int kFirstLanguageCommand = 20000;
constexpr int kMaxLanguageItems = 10000;

}  // namespace kestrova::main_window_ids
