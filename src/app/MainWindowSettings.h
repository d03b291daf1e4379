// The main window's stored options wired to the real window: loaded as the last step of
// its creation, saved each time it closes. The rules live in settings/WindowSettings;
// this is the window as they see it.
#pragma once

#include "app/MainWindow.h"
#include "settings/SettingsFile.h"
#include "settings/WindowSettings.h"

#include <functional>
#include <optional>

namespace kestrova {

class MainWindowSettings : public SettingsWindow {
public:
    MainWindowSettings(MainWindow& form, const SettingsFile& file) : form_(form), file_(file) {}

    // Sets the window's LoadSettings and FormClose hooks.
    void Wire();
    // Writes the window's options now, as its closing does.
    void Save();

    // The update window's quick-update check box, read when the main window closes; none
    // (the default) while there is no update window, so its stored value stays as it is.
    std::function<std::optional<bool>()> QuickUpdateOption = [] { return std::optional<bool>(); };

    // The command for the window's first showing: maximised when the stored options asked
    // for it while the window was still hidden, else `requested`.
    int ShowCommand(int requested) const;

    bool MenuItemChecked(std::string_view item) const override { return form_.MenuItemChecked(item); }
    void SetMenuItemChecked(std::string_view item, bool checked) override { form_.SetMenuItemChecked(item, checked); }
    void ClickMenuItem(std::string_view item) override { form_.ClickMenuItem(item); }
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
    const SettingsFile& file_;
    bool maximizeOnShow_ = false;
};

}  // namespace kestrova
