// A shown main window on the test display, with its message boxes captured.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"

namespace kestrova {

struct ShownMessage {
    std::wstring text;
    std::wstring title;
    UINT type;
};

// Stands in for the program behind the window: records what the window forwards.
class RecordingActions : public MainWindowActions {
public:
    struct Ran {
        Command command;
        const ListView* list;
        bool operator==(const Ran&) const = default;
    };
    std::vector<Ran> ran;
    std::vector<std::pair<std::size_t, bool>> switches;
    // What a switch answers; it may throw.
    std::function<bool(std::size_t index, bool checked)> switchResult = [](std::size_t, bool) { return true; };
    // Runs as each command arrives.
    std::function<void(Command)> onCommand;

    void Run(Command command, const ListView* list) override
    {
        ran.push_back({command, list});
        if (onCommand)
            onCommand(command);
    }
    bool SwitchRow(const ListView&, std::size_t index, bool checked) override
    {
        switches.push_back({index, checked});
        return switchResult(index, checked);
    }
    void ChooseLanguage(std::size_t) override {}
    void SystemSettingChanged() override {}
    void Closing() override {}
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Lets the window handle what is queued for it.
    static void Pump();
    // Adds rows with the given captions to a list, as a rebuild does.
    static void Fill(ListView& list, std::vector<std::string> captions);
    static void Select(ListView& list, int index);

    std::unique_ptr<MainWindow> form;
    std::vector<ShownMessage> messages;
    int messageBoxAnswer = IDYES;
};

}  // namespace kestrova
