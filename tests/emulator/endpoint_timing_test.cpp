// The virtual mouse's timing: answers and upgrade reports move at the polls
// of a 1000 Hz interrupt endpoint, and the floors follow the same polls.

#include <gtest/gtest.h>

#include "device/commands/command_builders.h"
#include "device/report_framing.h"
#include "emulator/endpoint_timing.h"
#include "virtual_mouse_fixture.h"

namespace tessaly::emulator::test {
namespace {

using namespace std::chrono_literals;
using TimePoint = EndpointTiming::TimePoint;

TimePoint At(std::chrono::microseconds t) {
    return TimePoint(std::chrono::duration_cast<TimePoint::duration>(t));
}

TEST(EndpointTiming, PollsFallOnWholeIntervalsStrictlyAfter) {
    const EndpointTiming timing(1ms);
    EXPECT_EQ(timing.NextPoll(At(0us)), At(1000us));
    EXPECT_EQ(timing.NextPoll(At(300us)), At(1000us));
    EXPECT_EQ(timing.NextPoll(At(1000us)), At(2000us)) << "a poll at the request is missed";
    EXPECT_EQ(timing.AnswerReady(At(300us), 95ms), At(96000us));
    EXPECT_EQ(EndpointTiming(0ms).NextPoll(At(300us)), At(300us));
}

TEST(EndpointTiming, FloorOfAChainIsOnePollEachAfterTheFirst) {
    const EndpointTiming timing(1ms);
    EXPECT_EQ(PollFloor(timing, At(300us), 7), 6700us);
    EXPECT_EQ(PollFloor(timing, At(0us), 7), 7ms);
    EXPECT_EQ(PollFloor(timing, At(0us), 0), 0ms);
}

class VirtualMouseTiming : public ::testing::Test {
  protected:
    // The manual clock at 0.3 ms past a poll.
    void SetUp() override {
        const auto past_poll = rig.clock->Now().time_since_epoch() % 1ms;
        rig.clock->Advance(past_poll <= 300us ? 300us - past_poll : 1300us - past_poll);
    }
    std::chrono::nanoseconds Since(TimePoint start) const { return rig.clock->Now() - start; }

    VirtualMouseRig rig;
};

TEST_F(VirtualMouseTiming, AnAnswerIsReadAtTheNextPoll) {
    auto cable = rig.Open(MouseLink::kCable);
    ASSERT_TRUE(cable);
    const TimePoint start = rig.clock->Now();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(CommandExchange(cable.get(), BuildReadRequest(Command::kReadIdentity)).ok());
    }
    EXPECT_EQ(Since(start), PollFloor(EndpointTiming(1ms), start, 3));
    EXPECT_EQ(Since(start), 2700us);
}

TEST_F(VirtualMouseTiming, UpgradeReportsAreTakenOnePerPoll) {
    auto upgrade = rig.Open(MouseLink::kCable, kUpgradeInterface);
    ASSERT_TRUE(upgrade);
    std::vector<uint8_t> report(64, 0xFF);
    report[0] = 0x05;
    const TimePoint start = rig.clock->Now();
    for (int i = 0; i < 4; ++i) {
        ASSERT_GT(upgrade->Write(report), 0);
    }
    EXPECT_EQ(Since(start), 3700us);
}

}  // namespace
}  // namespace tessaly::emulator::test
