#pragma once
// The command set as data: per command its request length, sequence and
// length byte, how many answer bytes its decoder reads, and the trace written
// when it fails.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "device/report_framing.h"

namespace tessaly {

enum class Command : uint8_t {
    kWriteReportRate = 0x02,
    kWriteDpiStages = 0x03,
    kWriteDpiColours = 0x04,
    kWriteLighting = 0x05,
    kWriteLiftOffSensor = 0x06,
    kWriteSleepResponse = 0x07,
    kWriteMacro = 0x08,
    kWriteButtonTable = 0x09,
    kLightingControl = 0x0E,
    kRestoreFactory = 0x0F,
    kReadIdentity = 0x10,
    kReadUnused = 0x11,
    kReadReportRate = 0x12,
    kReadDpiStages = 0x13,
    kReadDpiColours = 0x14,
    kReadLighting = 0x15,
    kReadLiftOffSensor = 0x16,
    kReadSleepResponse = 0x17,
    kReadVersion = 0x20,
};

struct CommandSpec {
    Command command;
    RequestLength length;
    bool write;                 // sequence byte 0x01 (one packet) instead of 0x00
    uint8_t length_byte;        // R[4] as sent; commands whose R[4] varies set it themselves
    size_t answer_bytes;        // A[0 .. answer_bytes - 1] are read by the decoder; 0: none
    bool failure_handling;      // a failure calls for the command failure handling
    const char* failure_trace;  // null when a failure is not traced
};

const CommandSpec* FindCommand(uint8_t code);
const CommandSpec& SpecOf(Command command);

// A request with R[1], R[3] and R[4] set from the table, payload all zero.
CommandRequest NewRequest(Command command);

}  // namespace tessaly
