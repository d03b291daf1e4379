// The toolkit-independent description of a window: its components in creation
// order, each with its name, kind, parent and translatable texts. The language
// engine reads and writes texts here; the Win32 realisation observes the changes.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Command.h"

namespace kestrova {

// The text attributes a translation can address, in the order they are visited.
enum class TextAttribute { Caption, Hint, Title, Text, TextHint };
inline constexpr std::array<TextAttribute, 5> kTextAttributes{
    TextAttribute::Caption, TextAttribute::Hint, TextAttribute::Title, TextAttribute::Text,
    TextAttribute::TextHint};
std::string_view AttributeName(TextAttribute attribute);

enum class ComponentKind {
    TabControl,
    SpeedButton,
    PageControl,
    TabSheet,
    GroupBox,
    ListView,
    StatusBar,
    ImageList,
    PopupMenu,
    MenuItem,
    Label,
    LinkLabel,
    Image,
    CheckBox,
    Button,
    ProgressBar,
    HttpClient,
    TaskbarProgress,
};

struct ListColumn {
    std::string caption;
    int width = 0;          // at 96 DPI
    int minWidth = 0;       // at 96 DPI; 0 = none
    bool fixedWidth = false;
    bool fillsRest = false;  // takes the list's remaining width, never below minWidth
};

struct StatusPanel {
    std::string text;
    int width = 0;  // at 96 DPI
    bool alignRight = false;
};

struct MenuItemTraits {
    std::string shortcut;     // "F5", "Ctrl+O"; empty for none
    bool radio = false;       // one of a group of which only one carries the mark
    bool checked = false;     // the mark at design time
    bool autoHotkeys = true;  // false: the toolkit must never add accelerator letters
    bool subMenu = false;     // opens a sub-menu even while it has no items
};

struct Component {
    std::string name;
    ComponentKind kind;
    std::string parent;  // empty: owned directly by the window
    // Only the attributes the component has are present; see DefaultAttributes.
    std::array<std::optional<std::string>, kTextAttributes.size()> texts;
    std::vector<ListColumn> columns;
    std::vector<std::string> tabs;
    std::vector<StatusPanel> panels;
    MenuItemTraits menu;
    // What choosing it does: a menu item, a button, a check box or a link.
    Command command = Command::None;

    bool Has(TextAttribute attribute) const;
    // The attribute's value; empty when the component lacks it.
    const std::string& Get(TextAttribute attribute) const;
};

// A component of `kind` with the text attributes such a component carries, all empty.
Component MakeComponent(ComponentKind kind, std::string name, std::string parent);
// The same with its Caption set; `kind` must be one that carries a caption.
Component MakeComponent(ComponentKind kind, std::string name, std::string parent, std::string caption);
// `component` carrying `command`.
Component WithCommand(Component component, Command command);

// Told after every change of a text, so that a realised window can show it.
class ModelObserver {
public:
    virtual ~ModelObserver() = default;
    virtual void CaptionChanged(const std::string& caption) = 0;
    virtual void ComponentChanged(const Component& component) = 0;
};

class WindowModel {
public:
    WindowModel(std::string name, std::string caption);

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    // Appends a component. Names are unique and a parent comes before its children;
    // a breach of either is a programming error reported as AppError.
    const Component& Add(Component component);

    const std::vector<Component>& Components() const { return components_; }
    const Component* Find(std::string_view name) const;
    const Component& Get(std::string_view name) const;  // AppError when absent
    std::vector<const Component*> Children(std::string_view parent) const;

    // Setters fail with AppError for an unknown component, a missing attribute or an
    // index out of range, and notify the observer after the change.
    void SetText(std::string_view name, TextAttribute attribute, std::string value);
    void SetColumnCaption(std::string_view name, std::size_t index, std::string caption);
    void SetTab(std::string_view name, std::size_t index, std::string text);
    void SetPanelText(std::string_view name, std::size_t index, std::string text);

    void SetObserver(ModelObserver* observer) { observer_ = observer; }

private:
    Component& Mutable(std::string_view name);
    void Notify(const Component& component);

    std::string name_;
    std::string caption_;
    std::vector<Component> components_;
    ModelObserver* observer_ = nullptr;
};

}  // namespace kestrova
