#include "device/commands/command_table.h"

#include <algorithm>
#include <iterator>

namespace tessaly {
namespace {

using enum Command;
constexpr auto kShort = RequestLength::kShort;
constexpr auto kLong = RequestLength::kLong;

constexpr CommandSpec kCommands[] = {
    // command, length, write, R[4], answer bytes, failure handling, failure trace
    {kWriteReportRate, kLong, true, 0x01, 0, true, "0x02: 设置回报率失败"},
    // 0x25 although 25 bytes follow: the mouse expects it so.
    {kWriteDpiStages, kShort, true, 0x25, 0, true, nullptr},
    {kWriteDpiColours, kShort, true, 0x12, 0, true, "0x04: 设置鼠标DPI颜色数据失败"},
    {kWriteLighting, kLong, true, 0x00, 0, true, "0x05: 设置灯光模式失败"},
    {kWriteLiftOffSensor, kLong, true, 0x05, 0, true, nullptr},
    {kWriteSleepResponse, kLong, true, 0x04, 0, true, "0x07: 设置睡眠时间、移动关闭灯效使能"},
    {kWriteMacro, kShort, true, 0x00, 0, false, "0x08: 设置按键宏数据失败!"},
    // 0x0F although 27 bytes follow.
    {kWriteButtonTable, kShort, true, 0x0F, 0, true, "0x09: 设置按键功能失败"},
    {kLightingControl, kShort, true, 0x01, 0, false, nullptr},
    {kRestoreFactory, kShort, true, 0x01, 0, false, nullptr},
    {kReadIdentity, kShort, false, 0x00, 15, false, nullptr},
    {kReadUnused, kShort, false, 0x00, 0, false, nullptr},
    {kReadReportRate, kShort, false, 0x00, 5, false, nullptr},
    {kReadDpiStages, kShort, false, 0x00, 29, false, nullptr},
    {kReadDpiColours, kShort, false, 0x00, 22, false, nullptr},
    {kReadLighting, kShort, false, 0x00, 6, false, nullptr},
    {kReadLiftOffSensor, kShort, false, 0x00, 7, false, nullptr},
    {kReadSleepResponse, kShort, false, 0x00, 8, false, nullptr},
    {kReadVersion, kShort, false, 0x00, 6, false, nullptr},
};

}  // namespace

const CommandSpec* FindCommand(uint8_t code) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands), [code](const auto& row) {
        return static_cast<uint8_t>(row.command) == code;
    });
    return it == std::end(kCommands) ? nullptr : &*it;
}

const CommandSpec& SpecOf(Command command) {
    // Every enumerator has a row.
    return *FindCommand(static_cast<uint8_t>(command));
}

CommandRequest NewRequest(Command command) {
    const CommandSpec& row = SpecOf(command);
    CommandRequest request(static_cast<uint8_t>(command), row.length);
    request[3] = row.write ? 0x01 : 0x00;
    request[4] = row.length_byte;
    return request;
}

}  // namespace tessaly
