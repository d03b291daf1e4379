// The main window's stored options on the real window and the program's state: loaded as
// the last step of the window's creation, saved each time it closes. The rules live in
// settings/WindowSettings; this is the window as they see it.
#pragma once

#include "app/MainWindow.h"
#include "settings/SettingsFile.h"
#include "settings/WindowSettings.h"


namespace kestrova {

class MainWindowSettings : public SettingsWindow {
public:
    MainWindowSettings(MainWindow& form, ProgramState& state, const SettingsFile& file)
        : form_(form), state_(state), file_(file)
    {
    }

    // Reads the stored options into the state and the window's size.
    void Load();
    // Writes the state's and the window's options now, as the window's closing does.
    void Save();

    // The command for the window's first showing: maximised when the stored options asked
    // for it while the window was still hidden, else `requested`.
    int ShowCommand(int requested) const;

    bool IsMaximized() const override;
    void Maximize() override;
    int OuterHeight() const override;
    int OuterWidth() const override;
    void SetOuterHeight(int height) override;
    void SetOuterWidth(int width) override;
    int MinimumOuterHeight() const override;
    int MinimumOuterWidth() const override;

private:
    // Resizes the window about its centre, so a window centred on the desktop stays so.
    void Resize(int width, int height);
    POINT MinimumOuterSize() const;

    MainWindow& form_;
    ProgramState& state_;
    const SettingsFile& file_;
    bool maximizeOnShow_ = false;
};

}  // namespace kestrova
