#include "Thread.h"

#include <windows.h>
#include <process.h>

#include <memory>

namespace wnd {

namespace {

unsigned __stdcall ThreadEntry(void* parameter)
{
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    (*body)();
    return 0;
}

}  // namespace

bool StartThread(std::function<void()> body)
{
    auto* owned = new std::function<void()>(std::move(body));
    // _beginthreadex rather than CreateThread: the body may use the C runtime.
    const uintptr_t handle = _beginthreadex(nullptr, 0, ThreadEntry, owned, 0, nullptr);
    if (!handle) {
        delete owned;
        return false;
    }
    ::CloseHandle(reinterpret_cast<HANDLE>(handle));
    return true;
}

}  // namespace wnd
