// One software version: the build's, which names the package and the manual
// pages, is the one config.xml gives the window and the update check.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "base/unicode.h"
#include "catalogue/catalogue_file.h"

namespace tessaly {
namespace {

std::string FirstLine(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

TEST(SoftwareVersion, ConfigXmlAndTheManualPagesGiveTheBuildsVersion) {
    const std::string version = TESSALY_PROJECT_VERSION;
    const std::filesystem::path config =
        std::filesystem::path(TESSALY_SOURCE_DIR) / "data/config.xml";
    const CatalogueFile file = ReadCatalogueFile(FromUtf8(config.string()), u"");
    ASSERT_TRUE(file.loaded);
    ASSERT_TRUE(file.software.has_value());
    EXPECT_EQ(ToUtf8(file.software->version), version);

    const std::filesystem::path man = std::filesystem::path(TESSALY_BINARY_DIR) / "man";
    for (const char* page : {"tessaly.1", "tessalyctl.1"}) {
        const std::string heading = FirstLine(man / page);
        EXPECT_NE(heading.find("\"Tessaly " + version + "\""), std::string::npos)
            << page << ": " << heading;
    }
}

}  // namespace
}  // namespace tessaly
