#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>
#include <tuple>

#include "diag_test_env.h"
#include "log.h"
#include "os.h"
#include "test_support.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

struct Defaults {
    const char* name;
    cLog** channel;
    bool enabled, closeAfterEachLine, errorBox, warningBox;
};

const Defaults kDefaults[] = {
    {"ErrorLog", &ErrorLog, true, true, true, false},
    {"WarningLog", &WarningLog, true, true, false, true},
    {"ProgLog", &ProgLog, false, false, false, false},
    {"ServerLog", &ServerLog, true, false, false, false},
    {"ClientLog", &ClientLog, true, false, false, false},
    {"ReleaseLog", &ReleaseLog, true, false, false, false},
    {"MultiLog", &MultiLog, false, false, false, false},
    {"SystemLog", &SystemLog, false, true, false, false},
    {"ScriptLog", &ScriptLog, false, false, false, false},
    {"AILog", &AILog, false, false, false, false},
};

std::uint32_t fakeNow = 0;
std::uint32_t fakeClock() {
    return fakeNow;
}

class LogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fakeNow = 100000;
        setLogClock(fakeClock);
        createLogChannels();
    }
    DiagTestEnv env;
};

TEST_F(LogTest, ChannelsStartWithTheirDefaultsWithoutSettingsFile) {
    for (const Defaults& d : kDefaults) {
        SCOPED_TRACE(d.name);
        cLog* c = *d.channel;
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->channelName(), d.name);
        EXPECT_EQ(c->fileName(), (env.logDir() / (std::string(d.name) + ".!")).string());
        EXPECT_EQ(std::make_tuple(c->enabled, c->closeAfterEachLine, c->errorBox, c->warningBox),
                  std::make_tuple(d.enabled, d.closeAfterEachLine, d.errorBox, d.warningBox));
        EXPECT_FALSE(c->offerDebuggerBreak);
        EXPECT_EQ(c->closeInterval, 2000u);
        EXPECT_EQ(c->version(), "1.000");
    }
    EXPECT_STREQ(getVersionString(), "1.000");
}

TEST_F(LogTest, CreatingAgainKeepsTheExistingChannels) {
    cLog* before = ServerLog;
    ServerLog->enabled = false;
    createLogChannels();
    EXPECT_EQ(ServerLog, before);
    EXPECT_FALSE(ServerLog->enabled);
}

TEST_F(LogTest, LineIsAppendedWithNewlineAndCaptured) {
    std::string captured;
    setLogCapture(&captured);
    logPrintf(ServerLog, "a %d %s", 7, "x");
    logPrintf(ServerLog, "b%%");
    closeAllLogs();
    // The log directory did not exist before the first line.
    EXPECT_EQ(env.readLog("ServerLog"), "a 7 x\nb%\n");
    EXPECT_EQ(captured, "a 7 x\nb%\n");
}

TEST_F(LogTest, DisabledOrMissingChannelWritesNothing) {
    std::string captured;
    setLogCapture(&captured);
    logPrintf(ProgLog, "never");
    logPrintf(nullptr, "never");
    closeAllLogs();
    EXPECT_FALSE(std::filesystem::exists(env.logDir() / "ProgLog.!"));
    EXPECT_EQ(captured, "");
}

TEST_F(LogTest, LongMessageIsCutAt65535Characters) {
    const std::string big(70000, 'x');
    logPrintf(ServerLog, "%s", big.c_str());
    closeAllLogs();
    EXPECT_EQ(env.readLog("ServerLog"), std::string(65535, 'x') + "\n");
}

TEST_F(LogTest, CloseRuleKeepsFileOpenWithinIntervalAndClosesAllAfterPause) {
    // The first line comes long after the start-up close time 0: all files close.
    logPrintf(ServerLog, "first");
    EXPECT_FALSE(ServerLog->isOpen());
    EXPECT_EQ(ServerLog->lastCloseTime(), 100000u);

    fakeNow += 500;
    logPrintf(ServerLog, "second");
    fakeNow += 1500;  // exactly the interval: not more than it
    logPrintf(ServerLog, "third");
    EXPECT_TRUE(ServerLog->isOpen());
    logPrintf(ClientLog, "client");
    EXPECT_FALSE(ClientLog->isOpen());  // its own last close was at 0
    EXPECT_FALSE(ServerLog->isOpen());  // closed with all the others

    fakeNow += 100;
    logPrintf(ServerLog, "fourth");
    EXPECT_TRUE(ServerLog->isOpen());
    fakeNow += 2001;
    logPrintf(ServerLog, "fifth");
    EXPECT_FALSE(ServerLog->isOpen());
    EXPECT_EQ(env.readLog("ServerLog"), "first\nsecond\nthird\nfourth\nfifth\n");
}

TEST_F(LogTest, CloseAfterEachLineClosesTheChannelFile) {
    fakeNow = 0;  // no pause since start
    testing::internal::CaptureStderr();
    logPrintf(WarningLog, "w");
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(WarningLog->isOpen());
    logPrintf(ServerLog, "s");
    EXPECT_TRUE(ServerLog->isOpen());
}

TEST_F(LogTest, LastErrorSurvivesTheCall) {
    errno = EACCES;
    logPrintf(ServerLog, "x");
    EXPECT_EQ(errno, EACCES);
}

TEST_F(LogTest, UnwritableLogFileStillReachesCaptureAndBoxes) {
    std::filesystem::create_directories(env.logDir() / "ServerLog.!");  // a directory: open fails
    // A FIFO without a reader must not block the line; it is not written
    // either. Where there are no FIFOs, a second directory stands in.
    if (!vk_test::makeFifo(env.logDir() / "ClientLog.!"))
        std::filesystem::create_directories(env.logDir() / "ClientLog.!");
    std::string captured;
    setLogCapture(&captured);
    logPrintf(ServerLog, "kept");
    logPrintf(ClientLog, "too");
    EXPECT_EQ(captured, "kept\ntoo\n");
    EXPECT_FALSE(ServerLog->isOpen());
    EXPECT_FALSE(ClientLog->isOpen());
}

TEST_F(LogTest, WarningBoxShowsCaptionTextAndVersionAndContinues) {
    testing::internal::CaptureStderr();
    logPrintf(WarningLog, "careful %d", 3);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "WARNING\ncareful 3\r\n\nVersion: 1.000\n");
    EXPECT_EQ(env.readLog("WarningLog"), "careful 3\n");
}

using LogDeathTest = LogTest;

TEST_F(LogDeathTest, ErrorBoxReportsAndEndsWithFailureStatus) {
    EXPECT_EXIT(
        { logPrintf(ErrorLog, "Error at line: %d\nIn file: %s\n\n\n%s", 115, "src", "bad"); },
        testing::ExitedWithCode(1),
        "ERROR\nError at line: 115\nIn file: src\n\n\nbad\r\n\nVersion: 1\\.000");
    // On Windows the dying part is a fresh start of the test program, with a
    // scratch folder (and log) of its own.
    if (!vk_test::kOnWindows) {
        EXPECT_EQ(env.readLog("ErrorLog"), "Error at line: 115\nIn file: src\n\n\nbad\n");
    }
}

TEST_F(LogDeathTest, DebuggerQuestionIsAppendedAndAnsweredNoWithoutTerminal) {
    ErrorLog->offerDebuggerBreak = true;
    EXPECT_EXIT({ logPrintf(ErrorLog, "oops"); }, testing::ExitedWithCode(1),
                "oops\r\n\nVersion: 1\\.000\r\n\nGenerate exception\\?");
}

TEST_F(LogTest, ErrorChannelWithBoxOffOnlyLogs) {
    ErrorLog->errorBox = false;
    logPrintf(ErrorLog, "logged");
    EXPECT_EQ(env.readLog("ErrorLog"), "logged\n");
}

#ifndef _WIN32
// Started without HOME (as some service managers start programs), the log
// directory still lies in the user's home, as the user database names it.
TEST(LogDirectoryTest, WithoutHomeTheUserDatabaseNamesTheHome) {
    const passwd* user = ::getpwuid(::getuid());
    if (!user || !user->pw_dir || !*user->pw_dir) GTEST_SKIP() << "no user database entry";
    const std::string expected = std::string(user->pw_dir) + "/.local/state";
    std::optional<std::string> saved[2];
    const char* names[2] = {"HOME", "XDG_STATE_HOME"};
    for (int i = 0; i < 2; ++i) {
        saved[i] = os::environment(names[i]);
        ::unsetenv(names[i]);
    }
    const std::string found = os::userStateDirectory();
    for (int i = 0; i < 2; ++i)
        if (saved[i]) ::setenv(names[i], saved[i]->c_str(), 1);
    EXPECT_EQ(found, expected);
}
#else
// Windows programs start without HOME or XDG variables: the logs go to the
// user's local application data folder, or to its usual place in the
// profile when the variable is missing too.
TEST(LogDirectoryTest, WindowsUsesTheLocalApplicationDataFolder) {
    const std::optional<std::string> local = os::environment("LOCALAPPDATA");
    const std::optional<std::string> profile = os::environment("USERPROFILE");
    ASSERT_TRUE(local && profile);
    const std::optional<std::string> logs = os::environment("INFCONV_LOG_DIR");
    vk_test::setEnvironment("INFCONV_LOG_DIR", "");
    const std::string found = logDirectory();
    vk_test::setEnvironment("LOCALAPPDATA", "");
    const std::string withoutLocal = logDirectory();
    vk_test::setEnvironment("LOCALAPPDATA", *local);
    vk_test::setEnvironment("INFCONV_LOG_DIR", logs.value_or(""));
    EXPECT_EQ(found, *local + "\\infconv\\log");
    EXPECT_EQ(withoutLocal, *profile + "\\AppData\\Local\\infconv\\log");
}
#endif

}  // namespace
