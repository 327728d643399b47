#include "update/http_client.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include <chrono>
#include <string>
#include <vector>

#include "base/unicode.h"
#include "support/scoped_env.h"
#include "update/test_http_server.h"

namespace tessaly::test {
namespace {

using Clock = std::chrono::steady_clock;

class HttpClientTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.Running()); }
    std::u16string At(const std::string& path) const { return FromUtf8(server.Address() + path); }

    // No proxy of the machine may come between the test and its server.
    ScopedEnv no_http_proxy{"http_proxy", std::nullopt};
    ScopedEnv no_https_proxy{"https_proxy", std::nullopt};
    ScopedEnv no_all_proxy{"all_proxy", std::nullopt};
    TestHttpServer server;
};

TEST_F(HttpClientTest, FetchesTheTextWithTheExpectedHeaders) {
    server.Root().Write("version", "1.0.2");
    const FetchResult result = FetchText(At("version"));
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.text, u"1.0.2");

    const std::string log = server.Requests();
    EXPECT_NE(log.find("\"GET /version HTTP/1.1\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"User-Agent\": \"IIC2.0/PC 5.5.0000\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"Accept\": \"*/*\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"Cache-Control\": \"no-cache\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"Pragma\": \"no-cache\""), std::string::npos) << log;
}

TEST_F(HttpClientTest, OnlyA2xxAnswerCounts) {
    for (const char* path :
         {"missing/version", "status/404/999", "status/500/1.0.9", "status/302/1.0"}) {
        const FetchResult result = FetchText(At(path));
        EXPECT_EQ(result.code, -1) << path;
        EXPECT_TRUE(result.text.empty()) << path;
        TempDir target;
        const std::string file = (target.path() / "archive.zip").string();
        EXPECT_EQ(DownloadToFile(At(path), file, {}, 1 << 20), -1) << path;
        EXPECT_FALSE(std::filesystem::exists(file)) << path;
    }
    EXPECT_EQ(FetchText(At("status/200/1.0.9")).text, u"1.0.9");
    EXPECT_EQ(FetchText(At("status/203/1.0.9")).code, 1);
}

TEST_F(HttpClientTest, ADownloadOverItsCapOrThatCannotBeWrittenLeavesNothing) {
    server.Root().Write("big.zip", std::string(50000, 'b'));
    TempDir target;
    const std::string file = (target.path() / "big.zip").string();
    // A length that says too much, and a body without a length that grows past it.
    EXPECT_EQ(DownloadToFile(At("big.zip"), file, {}, 20000), -1);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(DownloadToFile(At("unsized/50000"), file, {}, 20000), -1);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(DownloadToFile(At("unsized/5000"), file, {}, 20000), 1);
    EXPECT_EQ(target.Read("big.zip"), std::string(5000, 'u'));
    std::filesystem::remove(file);

    // A file system that takes only 12,000 bytes: the write fails, the
    // transfer ends and the partial file goes.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{12000, 12000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const int result = DownloadToFile(At("big.zip"), file, {}, 1 << 20);
        ::_exit(result == -1 && !std::filesystem::exists(file) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(HttpClientTest, DeadAndUnknownServersFailWithinTheTimeOuts) {
    // A port nobody listens on: the server's, after it is gone.
    int dead_port = 0;
    {
        TestHttpServer gone;
        ASSERT_TRUE(gone.Running());
        dead_port = gone.Port();
    }
    const auto limit = std::chrono::seconds(kConnectTimeoutSeconds + 2);
    for (const std::string& address : {"http://127.0.0.1:" + std::to_string(dead_port) + "/version",
                                       std::string("http://update.tessaly.invalid/version")}) {
        const auto start = Clock::now();
        const FetchResult result = FetchText(FromUtf8(address));
        EXPECT_EQ(result.code, -1) << address;
        EXPECT_TRUE(result.text.empty());
        EXPECT_LT(Clock::now() - start, limit) << address;
        EXPECT_EQ(
            DownloadToFile(FromUtf8(address), (server.Root().path() / "x").string(), {}, 1000), -1);
        EXPECT_FALSE(std::filesystem::exists(server.Root().path() / "x"));
    }
}

TEST_F(HttpClientTest, DownloadSavesTheBytesWithRisingProgressEndingAt100) {
    std::string bytes;
    for (int i = 0; i < 10240 * 7 + 1234; ++i) {
        bytes.push_back(static_cast<char>((i * 31) & 0xFF));
    }
    server.Root().Write("archive.zip", bytes);
    TempDir target;
    const std::string path = (target.path() / "archive.zip").string();
    target.Write("archive.zip", "old content");

    std::vector<int> percents;
    EXPECT_EQ(DownloadToFile(
                  At("archive.zip"), path, [&](int p) { percents.push_back(p); }, 1 << 20),
              1);
    EXPECT_EQ(target.Read("archive.zip"), bytes);
    ASSERT_GE(percents.size(), 5u);
    EXPECT_EQ(std::vector<int>(percents.begin(), percents.begin() + 4),
              (std::vector<int>{0, 2, 8, 10}));
    for (size_t i = 1; i < percents.size(); ++i) {
        EXPECT_LT(percents[i - 1], percents[i]) << "step " << i;  // posted only when it changes
    }
    EXPECT_LE(*std::max_element(percents.begin(), percents.end()), 100);
    EXPECT_EQ(percents.back(), 100);
    // Seven full pieces of 10240 bytes, each 90 / 7 further.
    EXPECT_NE(std::find(percents.begin(), percents.end(), 10 + 90 / 7), percents.end());
}

TEST_F(HttpClientTest, TheProxyOfTheEnvironmentIsUsed) {
    TestHttpServer proxy(true);
    ASSERT_TRUE(proxy.Running());
    ScopedEnv via{"http_proxy", "http://127.0.0.1:" + std::to_string(proxy.Port())};
    ScopedEnv none{"no_proxy", std::nullopt};
    const FetchResult result = FetchText(u"http://update.tessaly.invalid/mouse/version");
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.text, u"proxied");
    EXPECT_NE(proxy.Requests().find("GET http://update.tessaly.invalid/mouse/version"),
              std::string::npos);
}

}  // namespace
}  // namespace tessaly::test
