#pragma once
// The command table in the forms other tools read: the shell completions
// and a plain list, made at build time so none of them can fall behind.

#include <string>
#include <string_view>

namespace tessaly::cli {

// Every global option of the tool, blank-separated.
std::string OptionWords();

// Sourced by bash-completion for `tessalyctl`.
std::string BashCompletion();
// A zsh completion function file (#compdef tessalyctl).
std::string ZshCompletion();
// The manual page: the template's line "@COMMANDS@" replaced by one entry
// per command; empty when the template has no such line.
std::string ManualPage(const std::string& manual_template);
// The document with the part between the lines kMarkdownBegin and
// kMarkdownEnd replaced by the command table in markdown. Empty, with the
// reason in `error`, when the markers are missing or a command has no
// documentation row (or a row names no command).
inline constexpr std::string_view kMarkdownBegin =
    "<!-- commands: written by `tessalyctl_forms markdown docs/cli.md`; edit "
    "src/cli/command_documentation.cpp -->";
inline constexpr std::string_view kMarkdownEnd = "<!-- end of commands -->";
std::string MarkdownCommands(const std::string& document, std::string* error);
// One command's usage a line.
std::string CommandList();

}  // namespace tessaly::cli
