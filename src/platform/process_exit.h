#pragma once
// Ending the process at once (no destructors, no flushing), through one
// function that tests can intercept.

#include <functional>

namespace tessaly {

// Ends the process with the code, or, while an interceptor is set, calls it
// and returns.
void ExitProcessNow(int code);
// An empty function restores the real exit.
void SetProcessExitInterceptor(std::function<void(int)> interceptor);

}  // namespace tessaly
