#include "i18n/Translation.h"

#include <array>
#include <utility>

#include "product/ProductNames.h"
#include "platform/TextCase.h"
#include "settings/IniDocument.h"

namespace kestrova {

namespace {

// Window names as language files spell them.
constexpr std::string_view kMainWindow = "Form1";
constexpr std::string_view kUpdateWindow = "Form10";

struct ComponentName {
    std::string_view window;
    std::string_view component;
};

// The About window's copyright line and the update window's two version numbers.
constexpr std::array<ComponentName, 3> kNeverTranslated{{
    {"Form8", "LabelCopyright"},
    {"Form10", "LabelLocalVersion"},
    {"Form10", "LabelServerVersion"},
}};

std::string KeyOf(const Translation& translation, std::string_view component, std::string_view rest)
{
    std::string key = translation.Form->Name();
    key += '.';
    key += component;
    key += rest;
    return key;
}

}  // namespace

bool IsNeverLookedUp(std::string_view text)
{
    return text.empty() || text == "-" || ParseIniInteger(text).has_value();
}

bool IsNeverTranslated(std::string_view window, std::string_view component)
{
    for (const ComponentName& name : kNeverTranslated)
        if (name.window == window && name.component == component)
            return true;
    return false;
}

int FindTranslationLine(const Translation& translation, std::string_view key)
{
    for (std::size_t i = 0; i < translation.Values.size(); ++i) {
        const std::string_view line = translation.Values[i];
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && EqualsIgnoringCase(line.substr(0, equals), key))
            return static_cast<int>(i);
    }
    return -1;
}

std::string LookupTranslation(Translation& translation, std::string_view key, const std::string& defaultText)
{
    const int index = FindTranslationLine(translation, key);
    if (index < 0) {
        translation.Missing.push_back(std::string(key) + "=" + defaultText);
        return defaultText;
    }
    const auto line = translation.Values.begin() + index;
    // The value starts after the line's own "=": a key matched in another letter case
    // may not have the length of the key asked for.
    std::string value = line->substr(line->find('=') + 1);
    translation.Values.erase(line);
    return value;
}

void TranslateProperty(Translation& translation, TextAttribute attribute, const Component& component)
{
    if (!component.Has(attribute))
        return;
    const std::string& current = component.Get(attribute);
    if (IsNeverLookedUp(current))
        return;
    std::string key = KeyOf(translation, component.name, ".");
    key += AttributeName(attribute);
    std::string translated = LookupTranslation(translation, key, current);
    if (!translated.empty() && translated != current)
        translation.Form->SetText(component.name, attribute, std::move(translated));
}

void TranslateText(Translation& translation, std::string& text, std::string_view key)
{
    if (IsNeverLookedUp(text))
        return;
    std::string translated = LookupTranslation(translation, key, text);
    if (!translated.empty())
        text = std::move(translated);
}

void TranslateStrings(Translation& translation, std::vector<std::string>& lines, std::string_view prefix)
{
    const std::vector<std::string> original = lines;
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (IsNeverLookedUp(original[i]))
            continue;
        const std::string key = std::string(prefix) + "[" + std::to_string(i) + "]";
        std::string translated = LookupTranslation(translation, key, original[i]);
        if (!translated.empty())
            lines[i] = std::move(translated);
    }
}

void TranslateWindowTexts(Translation& translation)
{
    WindowModel& window = *translation.Form;
    if (window.Name() != kMainWindow)
        window.SetCaption(LookupTranslation(translation, window.Name() + ".Caption", window.Caption()));
    if (window.Name() == kUpdateWindow)
        window.SetCaption(window.Caption() + " " + kApplicationTitle);

    // Setters change texts only, never the list of components, so indexing stays valid.
    for (std::size_t c = 0; c < window.Components().size(); ++c) {
        const Component& component = window.Components()[c];
        if (IsNeverTranslated(window.Name(), component.name))
            continue;
        for (const TextAttribute attribute : kTextAttributes)
            TranslateProperty(translation, attribute, component);

        switch (component.kind) {
        case ComponentKind::ListView:
            for (std::size_t i = 0; i < component.columns.size(); ++i) {
                std::string caption = component.columns[i].caption;
                TranslateText(translation, caption,
                              KeyOf(translation, component.name, ".Columns[" + std::to_string(i) + "].Caption"));
                if (caption != component.columns[i].caption)
                    window.SetColumnCaption(component.name, i, std::move(caption));
            }
            break;
        case ComponentKind::TabControl: {
            std::vector<std::string> tabs = component.tabs;
            TranslateStrings(translation, tabs, KeyOf(translation, component.name, ".Tabs "));
            for (std::size_t i = 0; i < tabs.size(); ++i)
                if (tabs[i] != component.tabs[i])
                    window.SetTab(component.name, i, std::move(tabs[i]));
            break;
        }
        case ComponentKind::StatusBar:
            // Only the first panel holds text; the others are counters.
            if (!component.panels.empty()) {
                std::string text = component.panels.front().text;
                TranslateText(translation, text, KeyOf(translation, component.name, ".Text"));
                if (text != component.panels.front().text)
                    window.SetPanelText(component.name, 0, std::move(text));
            }
            break;
        default:
            break;
        }
    }
}

}  // namespace kestrova
