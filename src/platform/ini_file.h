#pragma once
// A small INI document: ordered sections of ordered name=value pairs.
// Section and value names compare case-insensitively (ASCII), so a file
// edited by hand need not match the program's spelling.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

class IniFile {
  public:
    struct Entry {
        std::u16string name;
        std::u16string value;
    };
    struct Section {
        std::u16string name;
        std::vector<Entry> entries;
    };

    // Parses UTF-8 (with or without a mark) or UTF-16LE with its mark.
    static IniFile Parse(std::string_view bytes);
    // Written as UTF-8, LF line ends.
    std::string Serialise() const;

    bool HasSection(std::u16string_view section) const;
    void AddSection(std::u16string_view section);
    std::optional<std::u16string> Get(std::u16string_view section, std::u16string_view name) const;
    // Adds the section when missing.
    void Set(std::u16string_view section, std::u16string_view name, std::u16string_view value);

    const std::vector<Section>& sections() const { return sections_; }

  private:
    Section* Find(std::u16string_view section);
    const Section* Find(std::u16string_view section) const;

    std::vector<Section> sections_;
};

}  // namespace tessaly
