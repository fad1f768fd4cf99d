// The executable's two faces: the editor without arguments, the headless
// commands with one; neither crashes without a display.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace {

// Empty values count as unset: no display and no chosen Qt platform.
const std::map<std::string, std::string> kNoDisplay{
    {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};

TEST(EditorStart, WithoutADisplayTheEditorSaysSoAndTheCommandsStillRun) {
    const vk_test::RunResult editor = vk_test::runProgram(VK_MAPWRIGHT, {}, {}, kNoDisplay);
    EXPECT_EQ(editor.status, 1);
    EXPECT_NE(editor.err.find("the editor needs a display"), std::string::npos) << editor.err;

    const vk_test::RunResult help = vk_test::runProgram(VK_MAPWRIGHT, {"--help"}, {}, kNoDisplay);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Without a command the editor opens"), std::string::npos);
}

}  // namespace
