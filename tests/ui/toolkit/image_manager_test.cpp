#include <gtest/gtest.h>

#include "base/application_name.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "recording_dialog.h"
#include "support/temp_dir.h"

namespace tessaly::DUI::test {
namespace {

std::string Png(uint32_t width, uint32_t height) {
    std::string bytes = "\x89PNG\r\n\x1a\n";
    bytes += std::string("\0\0\0\x0dIHDR", 8);
    for (uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes += static_cast<char>((v >> shift) & 0xFF);
        }
    }
    bytes += std::string(5, '\0');
    return bytes;
}

std::string Bmp(int32_t width, int32_t height) {
    std::string bytes = "BM";
    bytes += std::string(16, '\0');
    for (int32_t v : {width, height}) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>((static_cast<uint32_t>(v) >> shift) & 0xFF);
        }
    }
    return bytes;
}

std::string Jpeg(int width, int height) {
    // SOI, an APP0 segment to skip, then SOF0 with height and width.
    std::string bytes = "\xFF\xD8";
    bytes += std::string("\xFF\xE0\x00\x04\x00\x00", 6);
    bytes += std::string("\xFF\xC0\x00\x11\x08", 5);
    bytes += static_cast<char>(height >> 8);
    bytes += static_cast<char>(height & 0xFF);
    bytes += static_cast<char>(width >> 8);
    bytes += static_cast<char>(width & 0xFF);
    bytes += std::string(12, '\0');
    return bytes;
}

std::u16string PathOf(const tessaly::test::TempDir& dir, const char* name) {
    return dir.u16(true) + FromUtf8(name);
}

TEST(ImageSize, ReadsTheHeaderOfEachFormat) {
    tessaly::test::TempDir dir;
    dir.Write("a.png", Png(1300, 788));
    dir.Write("b.bmp", Bmp(40, -30));
    dir.Write("c.jpg", Jpeg(640, 480));
    dir.Write("d.png", "\x89PNG\r\n");
    dir.Write("e.txt", "hello world, not an image at all");
    EXPECT_EQ(ReadImageSize(PathOf(dir, "a.png")), (Size{1300, 788}));
    EXPECT_EQ(ReadImageSize(PathOf(dir, "b.bmp")), (Size{40, 30}));
    EXPECT_EQ(ReadImageSize(PathOf(dir, "c.jpg")), (Size{640, 480}));
    EXPECT_EQ(ReadImageSize(PathOf(dir, "d.png")), (Size{}));
    EXPECT_EQ(ReadImageSize(PathOf(dir, "e.txt")), (Size{}));
    EXPECT_EQ(ReadImageSize(PathOf(dir, "missing.png")), (Size{}));
}

TEST(ImageSize, ControlsResolveNamesInTheSkinFolder) {
    HeadlessSession session;
    tessaly::test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "icon");
    dir.Write("icon/logo.png", Png(120, 40));
    Manager::SetSkinFolder(dir.u16(false));
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open());
    auto* picture = dialog.CreateArea<MPicture>(34, {});
    picture->SetImage(u"icon\\logo.png", 1);
    EXPECT_EQ(picture->GetImageSize(), (Size{120, 40}));
    picture->SetImage(u"icon//logo.png", 1);
    EXPECT_EQ(picture->GetImageSize(), (Size{120, 40}));
    picture->SetImage(u"nothing.png", 1);
    EXPECT_EQ(picture->GetImageSize(), (Size{}));
    EXPECT_EQ(Manager::ResolveImage(u"/abs/pic.png"), u"/abs/pic.png");
    Manager::SetSkinFolder(u"");
    EXPECT_EQ(Manager::SkinFolder(), ProgramFolder() + u"skins/" + Manager::GetTheme() + u"/");
}

TEST(ManagerTest, DeviceNameIsTheApplicationName) {
    Manager::SetDeviceName(u"Mouse Center");
    EXPECT_EQ(ApplicationName(), u"Mouse Center");
    SetApplicationName(u"Tessaly");
    EXPECT_EQ(Manager::GetDeviceName(), u"Tessaly");
}

TEST(ManagerTest, IconsExistOnlyForFiles) {
    tessaly::test::TempDir dir;
    dir.Write("Tessaly.ico", "ico");
    EXPECT_TRUE(MRender::LoadIconFromFile(PathOf(dir, "Tessaly.ico")).IsValid());
    EXPECT_FALSE(MRender::LoadIconFromFile(PathOf(dir, "none.ico")).IsValid());
}

}  // namespace
}  // namespace tessaly::DUI::test
