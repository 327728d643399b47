#include "base/trace.h"

#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tessaly {
namespace {

using test::TempDir;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(Trace, OffUntilAFileIsSet) {
    TempDir dir;
    SetTraceFile("");
    EXPECT_FALSE(TraceEnabled());
    Trace(kTraceDevice, "dropped");
    ASSERT_TRUE(SetTraceFile((dir.path() / "t.log").string()));
    EXPECT_TRUE(TraceEnabled());
    Trace(kTraceDevice, "kept %d", 1);
    SetTraceFile("");
    EXPECT_EQ(Lines(dir.Read("t.log")).size(), 1u);
    EXPECT_FALSE(SetTraceFile((dir.path() / "missing" / "t.log").string()));
}

TEST(Trace, WritesTimestampedLinesByteForByte) {
    TempDir dir;
    ASSERT_TRUE(SetTraceFile((dir.path() / "t.log").string()));
    // A device text in Chinese, as the traces quote it.
    Trace(kTraceDevice, "\xe8\xae\xbe\xe5\xa4\x87 %s vid=%04X", "ok", 0x1234);
    SetTraceFile("");
    const auto lines = Lines(dir.Read("t.log"));
    ASSERT_EQ(lines.size(), 1u);
    const std::regex form(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[2\] (.*))");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[0], match, form)) << lines[0];
    EXPECT_EQ(match[1].str(), "\xe8\xae\xbe\xe5\xa4\x87 ok vid=1234");
}

TEST(TraceConcurrency, LinesFromManyThreadsNeverInterleave) {
    TempDir dir;
    ASSERT_TRUE(SetTraceFile((dir.path() / "t.log").string()));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i)
                Trace(kTraceDevice, "thread %d line %d end", t, i);
        });
    }
    for (auto& t : threads)
        t.join();
    SetTraceFile("");
    const auto lines = Lines(dir.Read("t.log"));
    ASSERT_EQ(lines.size(), 800u);
    const std::regex form(R"(.* \[2\] thread \d line \d+ end)");
    for (const auto& line : lines)
        EXPECT_TRUE(std::regex_match(line, form)) << line;
}

}  // namespace
}  // namespace tessaly
