#pragma once
// The command table in the forms other tools read: the shell completions
// and a plain list, made at build time so none of them can fall behind.

#include <string>

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
// One command's usage a line.
std::string CommandList();

}  // namespace tessaly::cli
