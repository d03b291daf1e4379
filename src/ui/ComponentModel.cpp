#include "ui/ComponentModel.h"

#include <algorithm>

#include "platform/AppError.h"

namespace kestrova {

namespace {

std::size_t Slot(TextAttribute attribute) { return static_cast<std::size_t>(attribute); }

const std::string& EmptyText()
{
    static const std::string empty;
    return empty;
}

template <typename T>
T& At(std::vector<T>& items, std::size_t index, const std::string& owner, const char* what)
{
    if (index >= items.size())
        throw AppError(owner + ": no " + what + " " + std::to_string(index));
    return items[index];
}

}  // namespace

std::string_view AttributeName(TextAttribute attribute)
{
    switch (attribute) {
    case TextAttribute::Caption: return "Caption";
    case TextAttribute::Hint: return "Hint";
    case TextAttribute::Title: return "Title";
    case TextAttribute::Text: return "Text";
    case TextAttribute::TextHint: return "TextHint";
    }
    return {};
}

bool Component::Has(TextAttribute attribute) const { return texts[Slot(attribute)].has_value(); }

const std::string& Component::Get(TextAttribute attribute) const
{
    const auto& text = texts[Slot(attribute)];
    return text ? *text : EmptyText();
}

Component MakeComponent(ComponentKind kind, std::string name, std::string parent)
{
    Component component{std::move(name), kind, std::move(parent), {}, {}, {}, {}, {}};
    auto give = [&component](TextAttribute attribute) { component.texts[Slot(attribute)] = ""; };
    switch (kind) {
    case ComponentKind::SpeedButton:
    case ComponentKind::TabSheet:
    case ComponentKind::GroupBox:
    case ComponentKind::MenuItem:
    case ComponentKind::Label:
    case ComponentKind::LinkLabel:
    case ComponentKind::CheckBox:
    case ComponentKind::Button:
        give(TextAttribute::Caption);
        give(TextAttribute::Hint);
        break;
    case ComponentKind::TabControl:
    case ComponentKind::PageControl:
    case ComponentKind::ListView:
    case ComponentKind::StatusBar:
    case ComponentKind::Image:
    case ComponentKind::ProgressBar:
        give(TextAttribute::Hint);
        break;
    case ComponentKind::ImageList:
    case ComponentKind::PopupMenu:
    case ComponentKind::HttpClient:
    case ComponentKind::TaskbarProgress:
        break;
    }
    return component;
}

Component MakeComponent(ComponentKind kind, std::string name, std::string parent, std::string caption)
{
    Component component = MakeComponent(kind, std::move(name), std::move(parent));
    if (!component.Has(TextAttribute::Caption))
        throw AppError(component.name + ": no caption to set");
    component.texts[Slot(TextAttribute::Caption)] = std::move(caption);
    return component;
}

Component WithCommand(Component component, Command command)
{
    component.command = command;
    return component;
}

WindowModel::WindowModel(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption))
{
}

void WindowModel::SetCaption(std::string caption)
{
    caption_ = std::move(caption);
    if (observer_)
        observer_->CaptionChanged(caption_);
}

const Component& WindowModel::Add(Component component)
{
    if (component.name.empty() || Find(component.name))
        throw AppError(name_ + ": component name '" + component.name + "' is empty or taken");
    if (!component.parent.empty() && !Find(component.parent))
        throw AppError(name_ + ": parent '" + component.parent + "' of '" + component.name +
                       "' does not come before it");
    components_.push_back(std::move(component));
    return components_.back();
}

const Component* WindowModel::Find(std::string_view name) const
{
    auto found = std::find_if(components_.begin(), components_.end(),
                              [name](const Component& c) { return c.name == name; });
    return found == components_.end() ? nullptr : &*found;
}

const Component& WindowModel::Get(std::string_view name) const
{
    if (const Component* component = Find(name))
        return *component;
    throw AppError(name_ + ": no component '" + std::string(name) + "'");
}

std::vector<const Component*> WindowModel::Children(std::string_view parent) const
{
    std::vector<const Component*> children;
    for (const Component& component : components_)
        if (component.parent == parent)
            children.push_back(&component);
    return children;
}

Component& WindowModel::Mutable(std::string_view name)
{
    return const_cast<Component&>(Get(name));
}

void WindowModel::Notify(const Component& component)
{
    if (observer_)
        observer_->ComponentChanged(component);
}

void WindowModel::SetText(std::string_view name, TextAttribute attribute, std::string value)
{
    Component& component = Mutable(name);
    auto& text = component.texts[Slot(attribute)];
    if (!text)
        throw AppError(component.name + " has no attribute " + std::string(AttributeName(attribute)));
    *text = std::move(value);
    Notify(component);
}

void WindowModel::SetColumnCaption(std::string_view name, std::size_t index, std::string caption)
{
    Component& component = Mutable(name);
    At(component.columns, index, component.name, "column").caption = std::move(caption);
    Notify(component);
}

void WindowModel::SetTab(std::string_view name, std::size_t index, std::string text)
{
    Component& component = Mutable(name);
    At(component.tabs, index, component.name, "tab") = std::move(text);
    Notify(component);
}

void WindowModel::SetPanelText(std::string_view name, std::size_t index, std::string text)
{
    Component& component = Mutable(name);
    At(component.panels, index, component.name, "panel").text = std::move(text);
    Notify(component);
}

}  // namespace kestrova
