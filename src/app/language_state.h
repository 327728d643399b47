#pragma once
// The language in use and the languages config.xml offers. Process-wide:
// every text lookup, on any thread, reads the current language.

#include <vector>

namespace tessaly {

int CurrentLcid();
void SetCurrentLcid(int lcid);

// Languages in the order config.xml lists them, each once.
std::vector<int> LanguageSet();
void ClearLanguageSet();
void AddToLanguageSet(int lcid);
bool InLanguageSet(int lcid);

}  // namespace tessaly
