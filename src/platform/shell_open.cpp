#include "platform/shell_open.h"

#include <spawn.h>
#include <sys/wait.h>

#include <mutex>
#include <thread>

#include "base/unicode.h"

extern char** environ;

namespace tessaly {
namespace {

std::mutex g_mutex;
std::function<void(const std::vector<std::string>&)> g_interceptor;

std::vector<std::string> SplitParameters(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool have_word = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            have_word = true;
        } else if (c == ' ' && !quoted) {
            if (have_word) {
                words.push_back(std::move(word));
                word.clear();
                have_word = false;
            }
        } else {
            word.push_back(c);
            have_word = true;
        }
    }
    if (have_word) {
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace

std::vector<std::string> ShellOpenCommand(std::u16string_view target,
                                          std::u16string_view parameters) {
    const std::string parameter_text = ToUtf8(parameters);
    std::vector<std::string> words = SplitParameters(parameter_text);
    if (words.empty()) {
        return {"xdg-open", ToUtf8(target)};
    }
    words.insert(words.begin(), ToUtf8(target));
    return words;
}

bool ShellOpen(std::u16string_view target, std::u16string_view parameters) {
    if (target.empty()) {
        return false;
    }
    return StartProgram(ShellOpenCommand(target, parameters));
}

bool StartProgram(const std::vector<std::string>& command) {
    if (command.empty()) {
        return false;
    }
    {
        std::lock_guard lock(g_mutex);
        if (g_interceptor) {
            g_interceptor(command);
            return true;
        }
    }
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    // Reaped on a short-lived thread so no zombie stays behind.
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

void SetShellOpenInterceptor(std::function<void(const std::vector<std::string>&)> interceptor) {
    std::lock_guard lock(g_mutex);
    g_interceptor = std::move(interceptor);
}

}  // namespace tessaly
