#pragma once
// The one XML class through which every XML file is read and written. The
// document is kept as one UTF-16 text plus an index of its elements; reading
// navigates the index, writing edits the text in place.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The declaration the files the system writes start with.
inline constexpr std::u16string_view kXmlDeclaration =
    u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

class XmlTextDocument {
  public:
    XmlTextDocument();
    ~XmlTextDocument();
    XmlTextDocument(const XmlTextDocument&) = delete;
    XmlTextDocument& operator=(const XmlTextDocument&) = delete;

    // Paths are UTF-16 in memory, UTF-8 on the file system.
    bool LoadFile(std::u16string_view path);
    bool SaveFile(std::u16string_view path);
    bool SetText(std::u16string_view text);

    bool FindElement(std::u16string_view name);
    bool EnterElement();
    bool LeaveElement();
    std::u16string GetAttribute(std::u16string_view name) const;
    bool SetAttribute(std::u16string_view name, std::u16string_view value);
    bool AddElement(std::u16string_view name);

    // The whole text as it stands (for tests and diagnostics).
    const std::u16string& GetText() const;
    // What the last load, save or parse found, as a sequence of empty elements.
    const std::u16string& GetResult() const;
    // True when the last parse found the document well-formed.
    bool IsWellFormed() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tessaly
