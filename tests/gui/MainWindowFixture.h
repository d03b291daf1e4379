// A shown main window on the test display, with its message boxes captured.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

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
