#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "diag_test_env.h"
#include "log.h"

namespace {

cLog* const* const kAll[] = {&ErrorLog,   &WarningLog, &ProgLog,   &ServerLog, &ClientLog,
                             &ReleaseLog, &MultiLog,   &SystemLog, &ScriptLog, &AILog};

class SettingsTest : public ::testing::Test {
  protected:
    DiagTestEnv env;
};

TEST_F(SettingsTest, ReleaseKeysSwitchChannelsInAnyLetterCase) {
    struct Case {
        const char* text;
        bool errorLog, aiLog;
    };
    const Case cases[] = {
        {"[Log]\r\n{\r\nErrorLogRelease = 0\r\nAILogRelease = 1\r\n}\r\n", false, true},
        {"[log]\r\n{\r\nerrorlogrelease = 0\r\nailogrelease = 1\r\n}\r\n", false, true},
        {"[LOG]\r\n{\r\nERRORLOGRELEASE = 0.9\r\nAILOGRELEASE = -2\r\n}\r\n", false, true},
        {"[Other]\r\n{\r\nErrorLogRelease = 0\r\n}\r\n", true, false},
        {"[Log]\r\nErrorLogRelease =", true, false},
        {"; only a comment\r\n", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        env.writeSettings(c.text);
        createLogChannels();
        EXPECT_EQ(ErrorLog->enabled, c.errorLog);
        EXPECT_EQ(AILog->enabled, c.aiLog);
        EXPECT_TRUE(WarningLog->enabled);
        destroyLogChannels();
    }
}

TEST_F(SettingsTest, DisabledErrorChannelWritesNothingAndDoesNotEndTheRun) {
    env.writeSettings("[Log]\r\n{\r\nErrorLogRelease = 0\r\n}\r\n");
    createLogChannels();
    std::string captured;
    setLogCapture(&captured);
    testing::internal::CaptureStderr();
    logPrintf(ErrorLog, "Error at line: %d\nIn file: %s\n\n\n%s", 115, "x", "y");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(captured, "");
    EXPECT_FALSE(std::filesystem::exists(env.logDir() / "ErrorLog.!"));
}

TEST_F(SettingsTest, DebuggerQuestionAppliesToEveryChannel) {
    env.writeSettings("[log]\r\n{\r\nwanttodebuginreleasemode = 1\r\n}\r\n");
    createLogChannels();
    for (cLog* const* c : kAll) EXPECT_TRUE((*c)->offerDebuggerBreak) << (*c)->channelName();
}

TEST_F(SettingsTest, DebugValueIsKeptWithTheChannel) {
    env.writeSettings("[Log]\r\n{\r\nServerLogDebug = 3\r\nClientLogDebug = verbose\r\n}\r\n");
    createLogChannels();
    EXPECT_EQ(ServerLog->debugSetting(), "3");
    EXPECT_EQ(ClientLog->debugSetting(), "verbose");
    EXPECT_EQ(AILog->debugSetting(), "");
    EXPECT_TRUE(ServerLog->enabled);
}

TEST_F(SettingsTest, UnreadableSettingsFileKeepsTheDefaults) {
    // An empty file cannot be read, and a directory or a FIFO (which must not
    // block the start-up) in its place cannot either.
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        std::filesystem::remove_all(env.root() / "inf");
        if (variant == 0) {
            env.writeSettings("");
        } else if (variant == 1) {
            std::filesystem::create_directories(env.root() / "inf" / "program.inf");
        } else {
            std::filesystem::create_directories(env.root() / "inf");
            if (!vk_test::makeFifo(env.root() / "inf" / "program.inf")) continue;  // no FIFOs here
        }
        createLogChannels();
        EXPECT_TRUE(ErrorLog->enabled);
        EXPECT_TRUE(ErrorLog->errorBox);
        EXPECT_FALSE(ProgLog->enabled);
        EXPECT_FALSE(ErrorLog->offerDebuggerBreak);
        destroyLogChannels();
    }
}

TEST_F(SettingsTest, SettingsAreReadFromTheStartDirectoryEachTime) {
    env.writeSettings("[Log]\r\n{\r\nProgLogRelease = 1\r\n}\r\n");
    createLogChannels();
    EXPECT_TRUE(ProgLog->enabled);
    // The analyzer changes directory while loading; it must come back.
    EXPECT_EQ(std::filesystem::current_path(), env.root());
}

using SettingsDeathTest = SettingsTest;

TEST_F(SettingsDeathTest, SyntaxErrorInSettingsIsReportedThroughTheErrorChannel) {
    env.writeSettings("}\r\n");
    // GoogleTest's regular expressions on Windows know no groups.
    EXPECT_EXIT(createLogChannels(), testing::ExitedWithCode(1),
                vk_test::kOnWindows ? "More BlockEnd" : "ERROR\n(.|\n|\r)*More BlockEnd");
}

}  // namespace
