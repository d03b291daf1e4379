// A named mutex held for the lifetime of this object, shared across sessions.
#pragma once

#include <string>

namespace kestrova {

class NamedMutexLock {
public:
    // Waits up to `timeoutMs` for the mutex `name`, creating it when absent; raises
    // AppError when it cannot be had. One abandoned by a process that ended counts as had.
    NamedMutexLock(const std::string& name, unsigned long timeoutMs);
    ~NamedMutexLock();
    NamedMutexLock(const NamedMutexLock&) = delete;
    NamedMutexLock& operator=(const NamedMutexLock&) = delete;

private:
    void* handle_ = nullptr;
};

}  // namespace kestrova
