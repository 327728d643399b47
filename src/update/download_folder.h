#pragma once
// A folder of a download's own: made fresh (mkdtemp) under the user data
// folder for one download, and the only thing the download removes again.

#include <string>

namespace tessaly {

// "temp-" and six random characters under the user data folder.
inline constexpr char kDownloadFolderPrefix[] = "temp-";

class DownloadFolder {
  public:
    DownloadFolder();
    // Removes the folder with what is in it, unless kept.
    ~DownloadFolder();
    DownloadFolder(const DownloadFolder&) = delete;
    DownloadFolder& operator=(const DownloadFolder&) = delete;

    // False when no folder could be made; the path is then empty.
    bool Made() const { return !path_.empty(); }
    // With a trailing separator.
    const std::u16string& Path() const { return path_; }
    // What is in it is still needed (a setup that was started from it).
    void Keep() { kept_ = true; }

  private:
    std::u16string path_;
    bool kept_ = false;
};

}  // namespace tessaly
