// Runs an action when the scope it guards ends, also while an error passes.
#pragma once

namespace kestrova {

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

}  // namespace kestrova
