#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <vector>

#include "buttons/key_capture.h"
#include "platform/raw_keyboard_input.h"

namespace tessaly {
namespace {

// Keys typed while a capture is open, each routed under a mode.
class RawInputRoutingTest : public ::testing::Test {
  protected:
    RawInputRoutingTest() {
        RegisterKeyboardInput([this](intptr_t handle) { handles_.push_back(handle); });
        for (int mode : {kCaptureRecording, kCaptureCustomKey, kCaptureMacroKey}) {
            SetCaptureConsumer(mode, [this, mode](const RawKeyEvent& key) -> intptr_t {
                seen_.push_back({mode, key.code});
                return 7;
            });
        }
    }
    ~RawInputRoutingTest() override {
        RegisterKeyboardInput({});
        for (int mode : {kCaptureRecording, kCaptureCustomKey, kCaptureMacroKey}) {
            SetCaptureConsumer(mode, {});
        }
    }
    intptr_t Typed(int linux_code, int mode) {
        KeyboardCapture capture(KeyboardSource::kWindow);
        DeliverWindowKey(linux_code, true, true);
        EXPECT_EQ(handles_.size(), 1u);
        const intptr_t handle = handles_.empty() ? 0 : handles_.back();
        handles_.clear();
        return RouteRawInput(mode, handle);
    }

    std::vector<intptr_t> handles_;
    std::vector<std::pair<int, int>> seen_;
};

TEST_F(RawInputRoutingTest, EachModeHasItsConsumer) {
    EXPECT_EQ(Typed(KEY_A, kCaptureCustomKey), 7);
    EXPECT_EQ(Typed(KEY_B, kCaptureMacroKey), 7);
    EXPECT_EQ(Typed(KEY_C, kCaptureRecording), 7);
    EXPECT_EQ(seen_, (std::vector<std::pair<int, int>>{{10, 'A'}, {12, 'B'}, {1, 'C'}}));
}

TEST_F(RawInputRoutingTest, OtherModesAndReadHandlesDoNothing) {
    EXPECT_EQ(Typed(KEY_A, 5), 1);
    EXPECT_EQ(RouteRawInput(kCaptureCustomKey, 123456), 1);
    SetCaptureConsumer(kCaptureCustomKey, {});
    EXPECT_EQ(Typed(KEY_A, kCaptureCustomKey), 1);
    EXPECT_TRUE(seen_.empty());
}

}  // namespace
}  // namespace tessaly
