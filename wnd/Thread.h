#pragma once
// Start-and-forget threads: the handle is closed at once and the thread is never joined.

#include <functional>

namespace wnd {

bool StartThread(std::function<void()> body);

}  // namespace wnd
