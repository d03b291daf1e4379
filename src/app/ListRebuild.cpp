#include "app/ListRebuild.h"

#include <string>

namespace kestrova {

namespace {

// Runs `action` when it goes out of scope, also while an error passes.
template <typename Action>
class AtScopeExit {
public:
    explicit AtScopeExit(Action action) : action_(action) {}
    ~AtScopeExit() { action_(); }
    AtScopeExit(const AtScopeExit&) = delete;
    AtScopeExit& operator=(const AtScopeExit&) = delete;

private:
    Action action_;
};

}  // namespace

void RebuildList(MainWindow& form, ListView& list, const std::function<void(RowSink&)>& fill)
{
    form.listRebuilding = true;
    AtScopeExit clearLoading([&form] { form.listRebuilding = false; });
    {
        BulkUpdate bulk(list);
        list.SetCheckHandlerAttached(false);
        AtScopeExit reattach([&list] { list.SetCheckHandlerAttached(true); });
        list.Clear();
        ListViewRowSink rows(list);
        fill(rows);
        form.SetStatusPanelText(form.StatusBarNameOf(list), 1, std::to_string(list.Count()));
    }
    if (list.Count() > 0)
        list.SelectAndFocusFirstRow();
}

}  // namespace kestrova
