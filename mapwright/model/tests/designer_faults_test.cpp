// The designer's steps that write the name lists, failed by the file layer at
// each point: the system, its markers and both lists stay exactly as they
// were (the pool even when the disk refuses to put "list.dat" back, which the
// message then says), the message names the list the user knows; without the
// fault the step happens whole. The lists are read here byte by byte as the format
// describes them, not through the model's reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/file_faults.h"
#include "editor/editor_state.h"
#include "fault_points.h"
#include "model_test_support.h"
#include "names/name_records.h"
#include "scripted_prompts.h"
#include "system_designer/designer_step.h"
#include "system_designer/object_dialogs.h"
#include "test_support.h"

using namespace mw;
using model_test::ondRecord;
namespace fs = std::filesystem;

namespace {

// Names of a list file: 121-byte records, a length byte and the characters.
std::vector<std::string> namesIn(const std::string& bytes) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at + 121 <= bytes.size(); at += 121)
        names.push_back(bytes.substr(at + 1, static_cast<unsigned char>(bytes[at])));
    return names;
}

// A designer with two planets (Vega, Rigel) and a jump node on its map.
struct World {
    World() {
        writeOndFile(scratch.path("main.ond"),
                     {ondRecord("Sol", "U", 0), ondRecord("Vega", "U", 1),
                      ondRecord("Rigel", "U", 1), ondRecord("Deneb", "U", 1)});
        d().Create(prompts);
        d().ClickMap(Tool::Planet, {10, 10}, prompts);
        d().ClickMap(Tool::Planet, {30, 30}, prompts);
        d().ClickMap(Tool::JumpNode, {50, 50}, prompts);
    }
    SystemDesigner& d() { return state.designer(); }
    std::string list(const char* name) const { return scratch.read(name); }
    // The system apart from the pointer values that follow the user's hand.
    TablesSnapshot system() const {
        TablesSnapshot t = state.designer().tables().Snapshot();
        t.currentObjectIndex = 0;
        t.lastCursorPixel = {};
        return t;
    }
    std::vector<std::string> liveNames() const {
        std::vector<std::string> names;
        const SystemModel& t = state.designer().tables();
        for (int i = 1; i <= t.planets.count(); ++i)
            if (t.planets.at(i).deleted == 0) names.push_back(t.planets.at(i).name.str());
        return names;
    }

    vk_test::ScratchDir scratch{"mw-designer-faults"};
    EditorState state{scratch.root(), 7};
    vk_test::ScriptedPrompts prompts;
};

// Runs the step; the message of its failure, shown or raised.
std::string failureOf(World& w, const std::function<void()>& step) {
    const std::size_t shown = w.prompts.errors.size();
    try {
        step();
    } catch (const UserError& e) {
        return e.what();
    }
    return w.prompts.errors.size() > shown ? w.prompts.errors.back() : std::string();
}

// The lists agree with the map: "list.dat" names the planets on it, and no
// name is in the pool twice or both in the pool and on the map.
void expectListsInStep(const World& w) {
    const std::vector<std::string> used = namesIn(w.list("list.dat"));
    EXPECT_EQ(used, w.liveNames());
    std::vector<std::string> all = namesIn(w.list("p_names.dat"));
    all.insert(all.end(), used.begin(), used.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end()) << "a name twice";
}

TEST(DesignerFaultsTest, StepsWritingTheNameListsHappenWholeOrNotAtAll) {
    using Prepare = std::function<std::function<void()>(World&)>;
    // An undoable placement: the step, once made.
    const auto placed = [](World& w) {
        const DesignerSnapshot before = w.d().TakeSnapshot();
        w.d().ClickMap(Tool::Planet, {100, 300}, w.prompts);
        return std::make_shared<DesignerStep>(DesignerStep::Between(before, w.d().TakeSnapshot()));
    };
    const struct {
        const char* what;
        Prepare prepare;
        // Clear map and an open leave "list.dat" to the next placement.
        bool rewritesUsedList = true;
    } steps[] = {
        {"place planet",
         [](World& w) { return [&w] {
                            w.d().ClickMap(Tool::Planet, {100, 300}, w.prompts);
                        }; }},
        {"delete planet",
         [](World& w) {
             return [&w] { w.d().ClickMarker(Tool::Delete, {ObjectKind::Planet, 1}, w.prompts); };
         }},
        {"rename planet",
         [](World& w) {
             w.d().ClickMarker(Tool::Planet, {ObjectKind::Planet, 1}, w.prompts);
             return [&w] {
                 PlanetDialogValues v = planetDialogOpening(w.d().tables(), 1).values;
                 v.name = "Altair";
                 w.d().ConfirmDialog(v, w.prompts);
             };
         }},
        {"clear map", [](World& w) { return [&w] { w.d().ClearMap(w.prompts.answer(true)); }; },
         false},
        // The pool refilled for a system opened: the open system stays when it cannot be.
        {"open a system",
         [](World& w) {
             const std::string file = w.scratch.path("saved.sdf");
             w.d().SaveTo(file, w.prompts);
             w.d().ClickMarker(Tool::Delete, {ObjectKind::Planet, 1}, w.prompts);
             return [&w, file] { w.d().OpenFile(file, w.prompts); };
         },
         false},
        {"undo place",
         [placed](World& w) {
             const auto step = placed(w);
             return [&w, step] { w.d().UndoStep(*step); };
         }},
        {"redo place",
         [placed](World& w) {
             const auto step = placed(w);
             w.d().UndoStep(*step);
             return [&w, step] { w.d().RedoStep(*step); };
         }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        FileCounts counts;
        {
            World w;
            const auto step = s.prepare(w);
            const TablesSnapshot before = w.system();
            file_faults::ResetCounts();
            EXPECT_EQ(failureOf(w, step), "");
            counts = file_faults::Counts();
            EXPECT_NE(w.system(), before);
            if (s.rewritesUsedList) expectListsInStep(w);
        }
        std::vector<FileFault> faults = model_test::faultPoints(counts);
        // A disk that refuses every rename from the Nth on: the list moved
        // before cannot be put back either.
        for (std::int64_t call = 1; call <= counts.of(FileStep::Rename); ++call)
            faults.push_back({FileStep::Rename, call, 0, ENOSPC, true});
        for (const FileFault& fault : faults) {
            SCOPED_TRACE(model_test::describe(fault));
            World w;
            const auto step = s.prepare(w);
            const TablesSnapshot system = w.system();
            const SystemHeader header = w.d().header();
            const std::vector<MarkerView> markers = w.d().markers();
            const std::string pool = w.list("p_names.dat");
            const std::string used = w.list("list.dat");
            std::string message;
            {
                const ScopedFileFault armed(fault);
                message = failureOf(w, step);
                EXPECT_TRUE(armed.fired());
            }
            EXPECT_TRUE(message.find(w.scratch.path("p_names.dat")) != std::string::npos ||
                        message.find(w.scratch.path("list.dat")) != std::string::npos)
                << message;
            EXPECT_EQ(message.find("temp.dat"), std::string::npos) << message;
            EXPECT_EQ(message.find(".tmp-"), std::string::npos) << message;
            EXPECT_EQ(w.system(), system);
            EXPECT_EQ(w.d().header(), header);
            EXPECT_EQ(w.d().markers(), markers);
            // No name leaves the pool for nowhere; "list.dat" stays unless the
            // user is told it could not be put back.
            EXPECT_EQ(w.list("p_names.dat"), pool);
            if (!fault.lasting ||
                message.find("list.dat could not be put back") == std::string::npos) {
                EXPECT_EQ(w.list("list.dat"), used);
            }
            for (const auto& e : fs::directory_iterator(w.scratch.root()))
                EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos);
            // The next steps find the lists in step: a placement and a deletion
            // after the failed step give no name back twice.
            w.d().ClickMap(Tool::Planet, {200, 200}, w.prompts);
            w.d().ClickMarker(Tool::Delete, {ObjectKind::Planet, w.d().tables().planets.count()},
                              w.prompts);
            expectListsInStep(w);
        }
    }
}

}  // namespace
