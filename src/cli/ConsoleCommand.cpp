#include "cli/ConsoleCommand.h"

#include "cli/Profile.h"
#include "platform/TextCase.h"

#include <exception>
#include <set>
#include <stdexcept>

namespace kestrova {

namespace {

constexpr std::string_view kHelp =
    "Kestrova.com: lists and switches the entries of Explorer's context menu, New menu and Send to menu.\n"
    "\n"
    "  Kestrova.com list [LIST] [--csv|--json]   the entries, as text, CSV or a JSON array\n"
    "  Kestrova.com off ID...                    switches entries off (already off is no error)\n"
    "  Kestrova.com on ID...                     switches entries on\n"
    "  Kestrova.com delete ID... --yes           deletes entries, each copied to the Backup folder first\n"
    "  Kestrova.com profile save FILE [LIST...]  writes the switched-off entries to FILE\n"
    "  Kestrova.com profile apply FILE [--dry-run]\n"
    "                                            switches off exactly the entries FILE names, and every\n"
    "                                            other entry of the lists it names on\n"
    "  Kestrova.com --help | --version\n"
    "\n"
    "LIST is context, new, sendto, more or w11. An ID is an entry's section and registry path\n"
    "joined by a backslash, or a Send to file's name, as `list` shows it.\n"
    "\n"
    "Exit codes: 0 done (profile apply: nothing had to change), 1 error, 2 profile apply changed\n"
    "something (or with --dry-run, would change something), 5 administrator rights are needed.\n";

// A failure that ends the command with a line on standard error.
struct CommandFailure : std::runtime_error {
    int code;
    CommandFailure(const std::string& message, int exitCode = kExitError) : std::runtime_error(message), code(exitCode)
    {
    }
};

struct LoadedList {
    const ConsoleList* list = nullptr;
    std::vector<ConsoleEntry> entries;
};

class Runner {
public:
    explicit Runner(ConsoleServices& services) : s_(services) {}

    int Run(std::vector<std::string> args);

private:
    int List(const std::vector<std::string>& args);
    int Switch(const std::vector<std::string>& ids, bool on);
    int Delete(const std::vector<std::string>& args);
    int ProfileSave(const std::vector<std::string>& args);
    int ProfileApply(const std::vector<std::string>& args);

    const ConsoleList* FindList(std::string_view name) const;
    // The list of that name, which this build must have.
    const ConsoleList& AvailableList(std::string_view name) const;
    // Locks and reads the lists, in the table's order; the locks stay until the command ends.
    std::vector<LoadedList> Load(const std::vector<const ConsoleList*>& lists);
    std::vector<const ConsoleList*> AvailableLists() const;
    // The entries `ids` name, each once; fails naming every id that names none or several.
    std::vector<std::pair<LoadedList*, ConsoleEntry*>> Resolve(std::vector<LoadedList>& loaded,
                                                               const std::vector<std::string>& ids);
    void RequireAdministratorFor(const ConsoleList& list, const ConsoleEntry& entry);
    void Line(std::string_view text) { s_.out(std::string(text) + "\n"); }
    void ErrorLine(std::string_view text) { s_.err("Kestrova: " + std::string(text) + "\n"); }

    ConsoleServices& s_;
    std::vector<std::shared_ptr<void>> locks_;
};

std::string OnOff(bool on) { return on ? "on" : "off"; }

int Runner::Run(std::vector<std::string> args)
{
    try {
        if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "/?" || args[0] == "help") {
            s_.out(kHelp);
            return kExitDone;
        }
        if (args[0] == "--version") {
            Line("Kestrova " + s_.version);
            return kExitDone;
        }
        const std::string command = args[0];
        args.erase(args.begin());
        if (command == "list")
            return List(args);
        if (command == "off" || command == "on") {
            if (args.empty())
                throw CommandFailure(command + ": name at least one entry id");
            for (const std::string& arg : args) {
                if (arg.starts_with("--"))
                    throw CommandFailure(command + ": unknown option " + arg);
            }
            return Switch(args, command == "on");
        }
        if (command == "delete")
            return Delete(args);
        if (command == "profile") {
            if (!args.empty() && args[0] == "save")
                return ProfileSave({args.begin() + 1, args.end()});
            if (!args.empty() && args[0] == "apply")
                return ProfileApply({args.begin() + 1, args.end()});
            throw CommandFailure("profile: use \"profile save FILE\" or \"profile apply FILE\"");
        }
        throw CommandFailure("unknown command \"" + command + "\"; Kestrova.com --help lists the commands");
    } catch (const CommandFailure& failure) {
        ErrorLine(failure.what());
        return failure.code;
    } catch (const std::exception& error) {
        ErrorLine(error.what());
        return kExitError;
    }
}

const ConsoleList* Runner::FindList(std::string_view name) const
{
    for (const ConsoleList& list : s_.lists) {
        if (list.name == name)
            return &list;
    }
    return nullptr;
}

const ConsoleList& Runner::AvailableList(std::string_view name) const
{
    const ConsoleList* list = FindList(name);
    if (!list) {
        std::string names;
        for (const ConsoleList& known : s_.lists)
            names += (names.empty() ? "" : ", ") + std::string(known.name);
        throw CommandFailure("there is no list \"" + std::string(name) + "\"; the lists are " + names);
    }
    if (!list->catalogue)
        throw CommandFailure("the list \"" + std::string(name) + "\" is not in this version of Kestrova");
    return *list;
}

std::vector<const ConsoleList*> Runner::AvailableLists() const
{
    std::vector<const ConsoleList*> lists;
    for (const ConsoleList& list : s_.lists) {
        if (list.catalogue)
            lists.push_back(&list);
    }
    return lists;
}

std::vector<LoadedList> Runner::Load(const std::vector<const ConsoleList*>& lists)
{
    std::vector<LoadedList> loaded;
    // In the table's order, whatever order they were named in: two processes never wait
    // on each other's locks.
    for (const ConsoleList& list : s_.lists) {
        for (const ConsoleList* wanted : lists) {
            if (wanted == &list) {
                locks_.push_back(s_.lockList(list.catalogue->Kind()));
                loaded.push_back({&list, LoadEntries(list)});
                break;
            }
        }
    }
    return loaded;
}

std::vector<std::pair<LoadedList*, ConsoleEntry*>> Runner::Resolve(std::vector<LoadedList>& loaded,
                                                                   const std::vector<std::string>& ids)
{
    std::vector<std::pair<LoadedList*, ConsoleEntry*>> found;
    std::string problems;
    for (const std::string& id : ids) {
        std::vector<std::pair<LoadedList*, ConsoleEntry*>> matches;
        for (LoadedList& list : loaded) {
            for (ConsoleEntry& entry : list.entries) {
                if (IdNamesEntry(*list.list, id, entry))
                    matches.emplace_back(&list, &entry);
            }
        }
        if (matches.empty())
            problems += "no entry has the id \"" + id + "\"\n";
        else if (matches.size() > 1)
            problems += "the id \"" + id + "\" names more than one entry\n";
        else {
            bool seen = false;
            for (const auto& pair : found)
                seen = seen || pair.second == matches[0].second;
            if (!seen)
                found.push_back(matches[0]);
        }
    }
    if (!problems.empty()) {
        problems.pop_back();
        throw CommandFailure(problems + "\nnothing was changed");
    }
    return found;
}

void Runner::RequireAdministratorFor(const ConsoleList& list, const ConsoleEntry& entry)
{
    if ((list.needsAdministrator && !s_.isAdministrator()) || !list.catalogue->MayChange(entry.row))
        throw CommandFailure("administrator rights are needed to change " + entry.id +
                                 "; run this from an elevated prompt. Nothing was changed",
                             kExitNeedsAdministrator);
}

int Runner::List(const std::vector<std::string>& args)
{
    enum class Format { Text, Csv, Json } format = Format::Text;
    std::vector<const ConsoleList*> lists;
    for (const std::string& arg : args) {
        if (arg == "--csv")
            format = Format::Csv;
        else if (arg == "--json")
            format = Format::Json;
        else if (arg.starts_with("--"))
            throw CommandFailure("list: unknown option " + arg);
        else if (!lists.empty())
            throw CommandFailure("list: name one list or none");
        else
            lists.push_back(&AvailableList(arg));
    }
    if (lists.empty())
        lists = AvailableLists();
    const std::vector<LoadedList> loaded = Load(lists);
    std::string text;
    if (format == Format::Csv)
        text += "id,list,name,shownAs,section,path,on\r\n";
    if (format == Format::Json)
        text += "[";
    bool first = true;
    for (const LoadedList& list : loaded) {
        for (const ConsoleEntry& e : list.entries) {
            switch (format) {
            case Format::Text:
                text += OnOff(e.on) + (e.on ? "  " : " ") + e.list + "  " + e.id + "  \"" + e.name + "\"\n";
                break;
            case Format::Csv:
                text += CsvField(e.id) + "," + CsvField(e.list) + "," + CsvField(e.name) + "," + CsvField(e.shownAs) +
                        "," + CsvField(e.section) + "," + CsvField(e.path) + "," + OnOff(e.on) + "\r\n";
                break;
            case Format::Json:
                text += std::string(first ? "" : ",") + "\n  {\"id\": " + JsonString(e.id) +
                        ", \"list\": " + JsonString(e.list) + ", \"name\": " + JsonString(e.name) +
                        ", \"shownAs\": " + JsonString(e.shownAs) + ", \"section\": " + JsonString(e.section) +
                        ", \"path\": " + JsonString(e.path) + ", \"on\": " + (e.on ? "true" : "false") + "}";
                break;
            }
            first = false;
        }
    }
    if (format == Format::Json)
        text += first ? "]\n" : "\n]\n";
    s_.out(text);
    return kExitDone;
}

int Runner::Switch(const std::vector<std::string>& ids, bool on)
{
    std::vector<LoadedList> loaded = Load(AvailableLists());
    const auto entries = Resolve(loaded, ids);
    for (const auto& [list, entry] : entries) {
        if (entry->on != on)
            RequireAdministratorFor(*list->list, *entry);
    }
    int code = kExitDone;
    for (const auto& [list, entry] : entries) {
        if (entry->on == on) {
            Line("already " + OnOff(on) + ": " + entry->id);
            continue;
        }
        EntryRow row = entry->row;
        row.checked = on;
        if (list->list->catalogue->SwitchRow(row)) {
            entry->on = on;
            Line("switched " + OnOff(on) + ": " + entry->id);
        } else {
            ErrorLine("could not switch " + OnOff(on) + ": " + entry->id);
            code = kExitError;
        }
    }
    return code;
}

int Runner::Delete(const std::vector<std::string>& args)
{
    std::vector<std::string> ids;
    bool confirmed = false;
    for (const std::string& arg : args) {
        if (arg == "--yes")
            confirmed = true;
        else if (arg.starts_with("--"))
            throw CommandFailure("delete: unknown option " + arg);
        else
            ids.push_back(arg);
    }
    if (ids.empty())
        throw CommandFailure("delete: name at least one entry id");
    if (!confirmed)
        throw CommandFailure("delete asks no question: add --yes to delete. Nothing was deleted");
    std::vector<LoadedList> loaded = Load(AvailableLists());
    const auto entries = Resolve(loaded, ids);
    for (const auto& [list, entry] : entries)
        RequireAdministratorFor(*list->list, *entry);
    int code = kExitDone;
    for (const auto& [list, entry] : entries) {
        try {
            if (!list->list->catalogue->DeleteRow(entry->row, *s_.backup, *s_.undo)) {
                ErrorLine("could not delete: " + entry->id);
                code = kExitError;
                continue;
            }
            std::string copy;
            if (s_.undo->CanUndo())
                copy = s_.undo->Latest().backupFile;
            Line("deleted: " + entry->id + (copy.empty() ? std::string() : " (copy: " + copy + ")"));
        } catch (const BackupError& error) {
            ErrorLine("no copy could be kept, so " + entry->id + " was not deleted: " + error.what());
            code = kExitError;
        }
    }
    return code;
}

int Runner::ProfileSave(const std::vector<std::string>& args)
{
    if (args.empty())
        throw CommandFailure("profile save: name the file to write");
    std::vector<const ConsoleList*> lists;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i].starts_with("--"))
            throw CommandFailure("profile save: unknown option " + args[i]);
        lists.push_back(&AvailableList(args[i]));
    }
    if (lists.empty())
        lists = AvailableLists();
    const std::vector<LoadedList> loaded = Load(lists);
    std::vector<ProfileList> profile;
    std::size_t count = 0;
    for (const LoadedList& list : loaded) {
        ProfileList& saved = profile.emplace_back(ProfileList{std::string(list.list->name), {}});
        for (const ConsoleEntry& entry : list.entries) {
            if (entry.on)
                continue;
            // Left out, it would be switched on by the profile: no profile rather than that.
            if (!FitsProfileLine(entry.id))
                throw CommandFailure("the id \"" + entry.id + "\" cannot be written as a profile line; " + args[0] +
                                     " was not written");
            saved.switchedOff.push_back(entry.id);
        }
        count += saved.switchedOff.size();
    }
    if (!s_.writeFile(args[0], FormatProfile(profile, s_.version)))
        throw CommandFailure("could not write " + args[0]);
    Line("saved " + std::to_string(count) + " switched-off entries of " + std::to_string(profile.size()) +
         " lists to " + args[0]);
    return kExitDone;
}

int Runner::ProfileApply(const std::vector<std::string>& args)
{
    std::string file;
    bool dryRun = false;
    for (const std::string& arg : args) {
        if (arg == "--dry-run")
            dryRun = true;
        else if (arg.starts_with("--"))
            throw CommandFailure("profile apply: unknown option " + arg);
        else if (!file.empty())
            throw CommandFailure("profile apply: name one file");
        else
            file = arg;
    }
    if (file.empty())
        throw CommandFailure("profile apply: name the profile file");
    std::string text;
    switch (s_.readFile(file, kMaxProfileSize, text)) {
    case ReadOutcome::Read:
        break;
    case ReadOutcome::Unreadable:
        throw CommandFailure("cannot read the profile " + file + "; nothing was changed");
    case ReadOutcome::TooLarge:
        throw CommandFailure("the profile " + file + " is larger than " + std::to_string(kMaxProfileSize / 1024) +
                             " KiB, so it is not a profile; nothing was changed");
    }
    const ProfileParse parsed = ParseProfile(text, [&](std::string_view name) { return FindList(name) != nullptr; });
    if (!parsed.error.empty())
        throw CommandFailure("the profile " + file + " is not a profile (" + parsed.error + "); nothing was changed");
    std::vector<const ConsoleList*> lists;
    for (const ProfileList& list : parsed.lists)
        lists.push_back(&AvailableList(list.name));
    std::vector<LoadedList> loaded = Load(lists);

    struct Change {
        LoadedList* list;
        ConsoleEntry* entry;
    };
    std::vector<Change> changes;
    for (LoadedList& list : loaded) {
        const std::vector<std::string>* ids = nullptr;
        for (const ProfileList& named : parsed.lists) {
            if (named.name == list.list->name)
                ids = &named.switchedOff;
        }
        for (const std::string& id : *ids) {
            bool present = false;
            for (const ConsoleEntry& entry : list.entries)
                present = present || IdNamesEntry(*list.list, id, entry);
            if (!present)
                Line("not on this machine, skipped: " + std::string(list.list->name) + " " + id);
        }
        for (ConsoleEntry& entry : list.entries) {
            bool wantOff = false;
            for (const std::string& id : *ids)
                wantOff = wantOff || IdNamesEntry(*list.list, id, entry);
            if (entry.on == wantOff)
                changes.push_back({&list, &entry});
        }
    }
    if (dryRun) {
        for (const Change& change : changes)
            Line("would switch " + OnOff(!change.entry->on) + ": " + change.entry->id);
        return changes.empty() ? kExitDone : kExitChanged;
    }
    for (const Change& change : changes)
        RequireAdministratorFor(*change.list->list, *change.entry);
    bool failed = false;
    for (const Change& change : changes) {
        EntryRow row = change.entry->row;
        row.checked = !change.entry->on;
        if (change.list->list->catalogue->SwitchRow(row)) {
            change.entry->on = row.checked;
            Line("switched " + OnOff(row.checked) + ": " + change.entry->id);
        } else {
            ErrorLine("could not switch " + OnOff(row.checked) + ": " + change.entry->id);
            failed = true;
        }
    }
    if (failed)
        return kExitError;
    return changes.empty() ? kExitDone : kExitChanged;
}

}  // namespace

int RunConsoleCommand(const std::vector<std::string>& args, ConsoleServices& services)
{
    return Runner(services).Run(args);
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string JsonString(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 15];
        } else {
            json += c;
        }
    }
    return json + "\"";
}

}  // namespace kestrova
