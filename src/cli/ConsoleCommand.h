// The command line's commands: list, off, on, delete, profile save and apply, --help and
// --version. Everything below the console itself, so that it runs the same against the
// in-memory registry of the tests and against Windows.
#pragma once

#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "cli/ConsoleEntries.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// Exit codes, as scripts read them.
inline constexpr int kExitDone = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitChanged = 2;  // profile apply: something had to change
inline constexpr int kExitNeedsAdministrator = 5;

enum class ReadOutcome { Read, Unreadable, TooLarge };

struct ConsoleServices {
    // The lists known by name, in the order `list` shows them.
    std::vector<ConsoleList> lists;
    DeletionBackup* backup = nullptr;
    DeletionUndo* undo = nullptr;
    // Reads a whole file unless it is larger than `limit` bytes.
    std::function<ReadOutcome(const std::string& path, std::size_t limit, std::string& contents)> readFile;
    // Writes a whole file, all or nothing.
    std::function<bool(const std::string& path, std::string_view contents)> writeFile;
    std::function<bool()> isAdministrator;
    // Keeps the list of catalogue kind `kind` to this process until the result is
    // released; raises AppError when it cannot be had.
    std::function<std::shared_ptr<void>(std::string_view kind)> lockList;
    std::function<void(std::string_view)> out;  // standard output, UTF-8
    std::function<void(std::string_view)> err;  // standard error, UTF-8
    std::string version;
};

// Runs the command `args` (UTF-8, the program's name left out) and returns its exit code.
int RunConsoleCommand(const std::vector<std::string>& args, ConsoleServices& services);

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(std::string_view text);
// A JSON string literal.
std::string JsonString(std::string_view text);

}  // namespace kestrova
