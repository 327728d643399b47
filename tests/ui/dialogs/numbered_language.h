#pragma once
// A language file in which every text number n reads "T<n>", so a test can
// tell from a control's text which number it was given.

#include <string>

#include "app/language_state.h"
#include "platform/folders.h"
#include "support/temp_dir.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly::test {

class NumberedLanguage {
  public:
    NumberedLanguage() {
        std::string content = "[LAN]\n";
        for (int id : text::kAllTextIds) {
            content += std::to_string(id) + "=T" + std::to_string(id) + "\n";
        }
        dir_.Write("language/1033.lan", content);
        SetProgramFolderOverride(dir_.u16(true));
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
    }
    ~NumberedLanguage() {
        SetProgramFolderOverride(u"");
        ReloadLanguageFiles();
    }
    NumberedLanguage(const NumberedLanguage&) = delete;
    NumberedLanguage& operator=(const NumberedLanguage&) = delete;

    static std::u16string T(int number) {
        std::string digits = "T" + std::to_string(number);
        return std::u16string(digits.begin(), digits.end());
    }

  private:
    TempDir dir_;
};

}  // namespace tessaly::test
