// The program until the GUI arrives: start-up as the GUI will run it, then a
// headless main window that answers the requests of other processes.

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "app/startup.h"
#include "base/application_name.h"
#include "base/unicode.h"

namespace {

class HeadlessHost : public tessaly::MainWindowHost {
  public:
    int Run(bool start_hidden, tessaly::SingleInstance& instance) override {
        std::printf("%s running%s; no window yet (stop it with: tessaly --send exit)\n",
                    tessaly::ToUtf8(tessaly::ApplicationName()).c_str(),
                    start_hidden ? ", hidden" : "");
        std::fflush(stdout);
        if (!instance.Listen([this](tessaly::InstanceRequest request) { Receive(request); })) {
            std::fprintf(stderr, "tessaly: cannot open the instance socket\n");
        }
        std::unique_lock lock(mutex_);
        exit_requested_.wait(lock, [this] { return exiting_; });
        return 0;
    }

  private:
    void Receive(tessaly::InstanceRequest request) {
        std::printf("%s\n", std::string(tessaly::InstanceRequestWord(request)).c_str());
        std::fflush(stdout);
        if (request == tessaly::InstanceRequest::kExit) {
            std::lock_guard lock(mutex_);
            exiting_ = true;
            exit_requested_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable exit_requested_;
    bool exiting_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    HeadlessHost host;
    return tessaly::RunApplication(tessaly::ParseCommandLine(arguments), host);
}
