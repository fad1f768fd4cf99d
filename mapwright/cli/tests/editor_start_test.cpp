// The executable's two faces: the editor without arguments, the headless
// commands with one; neither crashes without a display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"
#include "test_support.h"

namespace {

// Empty values count as unset: no display and no chosen Qt platform.
const std::map<std::string, std::string> kNoDisplay{
    {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};

// What opens the editor needs a display, or says the build has no editor;
// the commands run either way.
TEST(EditorStart, WithoutADisplayTheEditorSaysSoAndTheCommandsStillRun) {
    const bool withEditor = VK_WITH_EDITOR;
    const int status = withEditor ? 1 : 2;
    const std::string says =
        withEditor ? "the editor needs a display" : "this mapwright has no editor";
    std::vector<std::vector<std::string>> editorLines{{}, {"vega.sdf"}};
    if (!withEditor) editorLines.push_back({"--check-install"});
    for (const auto& args : editorLines) {
        const vk_test::RunResult editor = vk_test::runProgram(VK_MAPWRIGHT, args, {}, kNoDisplay);
        EXPECT_EQ(editor.status, status) << editor.err;
        EXPECT_NE(editor.err.find(says), std::string::npos) << editor.err;
    }

    const vk_test::RunResult help = vk_test::runProgram(VK_MAPWRIGHT, {"--help"}, {}, kNoDisplay);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find(withEditor ? "Without a command the editor opens"
                                       : "This mapwright has no editor"),
              std::string::npos);
    EXPECT_NE(help.out.find("generate PROJECT.vmpf OUTPUT.txt"), std::string::npos);
}

TEST(EditorStart, OneFileNameOpensTheEditorEveryCommandStaysHeadless) {
    vk_test::ScratchDir scratch("mw-start");
    const std::string existing = scratch.write("notes.txt", "x");
    struct Case {
        std::vector<std::string> args;
        bool editor;
    };
    for (const Case& c :
         {Case{{"/maps/vega.sdf"}, true}, Case{{"Map.VMPF"}, true}, Case{{existing}, true},
          Case{{scratch.root().string()}, false}, Case{{"missing.txt"}, false},
          Case{{"show"}, false}, Case{{"help"}, false}, Case{{"--help"}, false},
          Case{{"-x.sdf"}, false}, Case{{"show", "a.sdf"}, false}, Case{{}, false}}) {
        std::vector<const char*> argv{"mapwright"};
        for (const std::string& a : c.args) argv.push_back(a.c_str());
        const auto file = mw::cli::fileForEditor(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(file.has_value(), c.editor) << (c.args.empty() ? "" : c.args[0]);
        if (file) {
            EXPECT_EQ(*file, c.args[0]);
        }
    }
}

}  // namespace
