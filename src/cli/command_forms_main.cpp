// Prints the command table as a shell completion, the manual page or a
// list, and docs/cli.md's command table; the build writes the installed
// files with it.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/command_forms.h"

namespace {

int Usage() {
    std::fputs("usage: tessalyctl_forms bash|zsh|list|man TEMPLATE|markdown DOCUMENT\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view form = argc >= 2 ? argv[1] : "";
    std::string text;
    if (form == "bash" && argc == 2) {
        text = tessaly::cli::BashCompletion();
    } else if (form == "zsh" && argc == 2) {
        text = tessaly::cli::ZshCompletion();
    } else if (form == "list" && argc == 2) {
        text = tessaly::cli::CommandList();
    } else if (form == "man" && argc == 3) {
        std::ifstream file(argv[2], std::ios::binary);
        std::stringstream content;
        content << file.rdbuf();
        text = tessaly::cli::ManualPage(content.str());
        if (!file || text.empty()) {
            std::fprintf(stderr, "tessalyctl_forms: %s is no manual template\n", argv[2]);
            return 1;
        }
    } else if (form == "markdown" && argc == 3) {
        std::ifstream file(argv[2], std::ios::binary);
        std::stringstream content;
        content << file.rdbuf();
        std::string error = file ? "" : "cannot be read";
        if (file)
            text = tessaly::cli::MarkdownCommands(content.str(), &error);
        if (text.empty()) {
            std::fprintf(stderr, "tessalyctl_forms: %s: %s\n", argv[2], error.c_str());
            return 1;
        }
    } else {
        return Usage();
    }
    std::fputs(text.c_str(), stdout);
    return 0;
}
