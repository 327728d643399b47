#include "update/archive_extract.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "update/test_http_server.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

// Every regular file below the folder, relative, with its content.
std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            std::ifstream file(entry.path(), std::ios::binary);
            std::stringstream text;
            text << file.rdbuf();
            files[fs::relative(entry.path(), folder).string()] = text.str();
        }
    }
    return files;
}

TEST(ArchiveExtractTest, ExtractsEveryEntryAsZipfileWroteIt) {
    TempDir work;
    const std::string archive = (work.path() / "a.zip").string();
    ASSERT_TRUE(MakeZip(archive, {{"Mouse-Setup-1.0.2.exe", "setup bytes"},
                                  {"docs/", ""},
                                  {"docs/read me.txt", "hello"},
                                  {"deep/er/file.bin", "x"}}));
    TempDir out;
    EXPECT_TRUE(ExtractArchive(archive, out.path().string()));
    EXPECT_EQ(FilesBelow(out.path()),
              (std::map<std::string, std::string>{{"Mouse-Setup-1.0.2.exe", "setup bytes"},
                                                  {"docs/read me.txt", "hello"},
                                                  {"deep/er/file.bin", "x"}}));
    EXPECT_TRUE(fs::is_directory(out.path() / "docs"));
}

TEST(ArchiveExtractTest, AnEntryFailingItsCrcIsNotKept) {
    TempDir work;
    const std::string archive = (work.path() / "damaged.zip").string();
    // Stored entries: their bytes stand in the archive as they are.
    ASSERT_TRUE(MakeZip(
        archive, {{"firmware     -10B.bin", "IMAGE-BYTES-0123456789"}, {"readme.txt", "intact"}}));
    std::string bytes;
    {
        std::ifstream in(archive, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t at = bytes.find("IMAGE-BYTES");
    ASSERT_NE(at, std::string::npos);
    bytes[at] = 'X';
    std::ofstream(archive, std::ios::binary | std::ios::trunc) << bytes;

    TempDir out;
    EXPECT_TRUE(ExtractArchive(archive, out.path().string()));
    EXPECT_EQ(FilesBelow(out.path()),
              (std::map<std::string, std::string>{{"readme.txt", "intact"}}));
}

TEST(ArchiveExtractTest, EntriesLeadingOutOfTheFolderAreRefused) {
    TempDir work;
    const fs::path inside = work.path() / "out" / "temp";
    fs::create_directories(inside);
    const std::string outside_name = "escaped-" + std::to_string(::getpid());
    const std::string archive = (work.path() / "evil.zip").string();
    ASSERT_TRUE(MakeZip(archive, {{"../" + outside_name, "1"},
                                  {"/tmp/" + outside_name, "2"},
                                  {"a/../../" + outside_name, "3"},
                                  {"..\\" + outside_name, "4"},
                                  {"C:/" + outside_name, "5"},
                                  {"good.txt", "kept"}}));
    EXPECT_TRUE(ExtractArchive(archive, inside.string()));
    EXPECT_EQ(FilesBelow(work.path() / "out"),
              (std::map<std::string, std::string>{{"temp/good.txt", "kept"}}));
    EXPECT_FALSE(fs::exists("/tmp/" + outside_name));
    EXPECT_FALSE(fs::exists(work.path() / outside_name));
}

TEST(ArchiveExtractTest, AFolderLinkInsideDoesNotLeadOut) {
    TempDir work;
    TempDir elsewhere;
    const fs::path inside = work.path() / "temp";
    fs::create_directories(inside);
    fs::create_directory_symlink(elsewhere.path(), inside / "link");
    const std::string archive = (work.path() / "link.zip").string();
    ASSERT_TRUE(MakeZip(archive, {{"link/planted.txt", "no"}}));
    EXPECT_TRUE(ExtractArchive(archive, inside.string()));
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

TEST(ArchiveExtractTest, NotAnArchiveIsNotOpenedAndWritingIsBounded) {
    TempDir work;
    work.Write("plain.zip", "this is no zip archive");
    EXPECT_FALSE(ExtractArchive((work.path() / "plain.zip").string(), work.path().string()));

    const std::string archive = (work.path() / "big.zip").string();
    ASSERT_TRUE(MakeZip(
        archive, {{"first.bin", std::string(600, 'a')}, {"second.bin", std::string(600, 'b')}}));
    TempDir out;
    EXPECT_TRUE(ExtractArchive(archive, out.path().string(), 1000));
    // The entry that crosses the bound is not left half written.
    EXPECT_EQ(FilesBelow(out.path()),
              (std::map<std::string, std::string>{{"first.bin", std::string(600, 'a')}}));
}

TEST(ArchiveExtractTest, EntryNamesAreJudgedByTheirComponents) {
    EXPECT_TRUE(IsSafeEntryName("a/b.txt"));
    EXPECT_TRUE(IsSafeEntryName("..hidden/x"));
    EXPECT_TRUE(IsSafeEntryName("a..b"));
    EXPECT_FALSE(IsSafeEntryName(""));
    EXPECT_FALSE(IsSafeEntryName(".."));
    EXPECT_FALSE(IsSafeEntryName("a/.."));
    EXPECT_FALSE(IsSafeEntryName("\\x"));
    EXPECT_FALSE(IsSafeEntryName("d:x"));
}

}  // namespace
}  // namespace tessaly::test
