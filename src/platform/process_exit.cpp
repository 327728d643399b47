#include "platform/process_exit.h"

#include <cstdlib>
#include <mutex>
#include <utility>

namespace tessaly {
namespace {

std::mutex& InterceptorMutex() {
    static std::mutex mutex;
    return mutex;
}

std::function<void(int)>& Interceptor() {
    static std::function<void(int)> interceptor;
    return interceptor;
}

}  // namespace

void ExitProcessNow(int code) {
    std::function<void(int)> interceptor;
    {
        std::lock_guard lock(InterceptorMutex());
        interceptor = Interceptor();
    }
    if (interceptor) {
        interceptor(code);
        return;
    }
    std::_Exit(code);
}

void SetProcessExitInterceptor(std::function<void(int)> interceptor) {
    std::lock_guard lock(InterceptorMutex());
    Interceptor() = std::move(interceptor);
}

}  // namespace tessaly
