// Linking jump nodes both ways from the designer: the other system's file
// changes with the node, in one undo step that takes both back, and never
// over a file changed on disk meanwhile. The files are read back byte by byte
// here, without the design file code.
#include "system/two_way_link.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/errors.h"
#include "editor/editor_state.h"
#include "fault_points.h"
#include "model_test_support.h"
#include "names/name_lists.h"
#include "scripted_prompts.h"
#include "system_designer/designer_step.h"
#include "test_support.h"

using namespace mw;

namespace {

// The designer of system "Sol" with one jump node selected (id SolJumpnode1),
// and Alpha's design file: the header, a planet, AlphaJumpnode1 (leading to
// `first`) and AlphaJumpnode2 (leading to "0").
struct LinkWorld {
    explicit LinkWorld(const std::string& first = "0") {
        writeOndFile(scratch.path("main.ond"),
                     {model_test::ondRecord("Sol", "U", 0), model_test::ondRecord("Vega", "U", 1)});
        d().Create(prompts);
        d().ClickMap(Tool::JumpNode, {60, 90}, prompts);
        d().ClickMarker(Tool::JumpNode, {ObjectKind::JumpNode, 1}, prompts);
        model_test::writeDesignFile(
            alpha, {model_test::sunRecord("Alpha"), model_test::object("planet", "Rock", 1, 2, 3),
                    model_test::jumpNode("AlphaJumpnode1", first),
                    model_test::jumpNode("AlphaJumpnode2", "0")});
        original = vk_test::readFile(alpha);
        prompts.file(alpha);
        EXPECT_TRUE(d().LinkSystems(prompts));
    }
    SystemDesigner& d() { return state.designer(); }
    std::string leadsTo() const { return state.designer().tables().jumpNodes.at(1).leadsTo.str(); }
    // "Link systems" OK as the document makes it: the change and its step.
    std::shared_ptr<DesignerStep> choose(const std::string& node, bool bothWays = true) {
        const DesignerSnapshot before = d().TakeSnapshot();
        const std::optional<DesignerChange> change = d().ChooseLink(node, prompts, bothWays);
        if (!change) return nullptr;
        auto step =
            std::make_shared<DesignerStep>(DesignerStep::Between(before, d().TakeSnapshot()));
        step->addFileEdits(change->filesEdited);
        return step;
    }

    vk_test::ScratchDir scratch{"mw-two-way"};
    EditorState state{scratch.root(), 7};
    vk_test::ScriptedPrompts prompts;
    std::string alpha = scratch.path("alpha.sdf");
    std::string original;
};

}  // namespace

TEST(TwoWayLinkTest, ThePartnerLeadsBackAsItsLinkAllows) {
    const struct {
        const char* name;
        std::string partnerLeadsTo;  // AlphaJumpnode1's before
        std::optional<bool> answer;  // the question "replace?" asked, and its answer
        bool linked;
        std::string partnerAfter;
    } rows[] = {
        {"free", "0", std::nullopt, true, "SolJumpnode1"},
        {"already back here", "SolJumpnode1", std::nullopt, true, "SolJumpnode1"},
        {"elsewhere, kept", "BetaJumpnode3", false, false, "BetaJumpnode3"},
        {"elsewhere, replaced", "BetaJumpnode3", true, true, "SolJumpnode1"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        LinkWorld w(r.partnerLeadsTo);
        if (r.answer) w.prompts.answer(*r.answer);
        const auto step = w.choose("AlphaJumpnode1");
        EXPECT_EQ(step != nullptr, r.linked);
        EXPECT_EQ(w.prompts.questions.size(), r.answer ? 1u : 0u);
        if (r.answer) {
            EXPECT_NE(w.prompts.questions[0].find("leads to \"BetaJumpnode3\" - replace?"),
                      std::string::npos);
        }
        EXPECT_EQ(w.leadsTo(), r.linked ? "AlphaJumpnode1" : "0");
        const std::string after = vk_test::readFile(w.alpha);
        EXPECT_EQ(model_test::leadsToAt(after, 2), r.partnerAfter);
        // Only the leads-to field of that one record changed.
        ASSERT_EQ(after.size(), w.original.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (i < 2 * 568 + 46 || i >= 2 * 568 + 67) {
                ASSERT_EQ(after[i], w.original[i]) << i;
            }
        }
        EXPECT_TRUE(w.prompts.errors.empty());
        if (!step) continue;
        // One step takes both back, and makes both again.
        w.d().UndoStep(*step);
        EXPECT_EQ(w.leadsTo(), "0");
        EXPECT_EQ(vk_test::readFile(w.alpha), w.original);
        w.d().RedoStep(*step);
        EXPECT_EQ(w.leadsTo(), "AlphaJumpnode1");
        EXPECT_EQ(vk_test::readFile(w.alpha), after);
    }
}

TEST(TwoWayLinkTest, OneWayLinkLeavesThePartnerAlone) {
    LinkWorld w;
    ASSERT_TRUE(w.choose("AlphaJumpnode2", false));
    EXPECT_EQ(w.leadsTo(), "AlphaJumpnode2");
    EXPECT_EQ(vk_test::readFile(w.alpha), w.original);
}

TEST(TwoWayLinkTest, APartnerChangedOnDiskIsNotUndoneOrRedone) {
    LinkWorld w;
    const auto step = w.choose("AlphaJumpnode2");
    ASSERT_TRUE(step);
    EXPECT_EQ(model_test::leadsToAt(vk_test::readFile(w.alpha), 3), "SolJumpnode1");
    // Someone edits Alpha meanwhile: undo refuses, naming it, and changes nothing.
    std::string edited = vk_test::readFile(w.alpha);
    edited[1 * 568 + 30] ^= 1;  // the planet's Y
    vk_test::writeFile(w.alpha, edited);
    try {
        w.d().UndoStep(*step);
        ADD_FAILURE() << "undone over a changed file";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("alpha.sdf"), std::string::npos) << e.what();
    }
    EXPECT_EQ(vk_test::readFile(w.alpha), edited);
    EXPECT_EQ(w.leadsTo(), "AlphaJumpnode2");
    // Put back as the step left it, the undo goes through; a later change blocks the redo.
    std::string linked = edited;
    linked[1 * 568 + 30] ^= 1;
    vk_test::writeFile(w.alpha, linked);
    w.d().UndoStep(*step);
    EXPECT_EQ(vk_test::readFile(w.alpha), w.original);
    vk_test::writeFile(w.alpha, edited);
    EXPECT_THROW(w.d().RedoStep(*step), UserError);
    EXPECT_EQ(w.leadsTo(), "0");
}

TEST(TwoWayLinkTest, IdsALeadsToCannotHoldAreRefusedNeverCut) {
    // The partner's id is too long for this node's leads-to, in either mode.
    for (const bool bothWays : {true, false}) {
        LinkWorld w;
        model_test::writeDesignFile(w.alpha,
                                    {model_test::sunRecord("Alpha_Centauri"),
                                     model_test::jumpNode("Alpha_CentauriJumpnode12", "0")});
        const std::string before = vk_test::readFile(w.alpha);
        EXPECT_FALSE(w.choose("Alpha_CentauriJumpnode12", bothWays));
        ASSERT_EQ(w.prompts.errors.size(), 1u);
        EXPECT_NE(w.prompts.errors[0].find("24 characters"), std::string::npos);
        EXPECT_EQ(w.leadsTo(), "0");
        EXPECT_EQ(vk_test::readFile(w.alpha), before);
    }
    // This node's id is too long for the partner's: both ways is refused, one way is not.
    LinkWorld w;
    w.d().SetSunName("Alpha Centauri B");
    w.d().ClickMap(Tool::JumpNode, {80, 90}, w.prompts);
    w.d().ClickMarker(Tool::JumpNode, {ObjectKind::JumpNode, 2}, w.prompts);
    ASSERT_EQ(w.d().tables().jumpNodes.at(2).nodeId, "Alpha_Centauri_BJumpnode2");
    EXPECT_FALSE(w.choose("AlphaJumpnode1"));
    ASSERT_EQ(w.prompts.errors.size(), 1u);
    EXPECT_NE(w.prompts.errors[0].find("Alpha_Centauri_BJumpnode2"), std::string::npos);
    EXPECT_EQ(vk_test::readFile(w.alpha), w.original);
    EXPECT_TRUE(w.choose("AlphaJumpnode1", false));
}

TEST(TwoWayLinkTest, AFailedWriteOfThePartnerLeavesBothAsTheyWere) {
    // Count the writes of one link, then fail each in turn.
    FileCounts counts;
    {
        LinkWorld w;
        file_faults::ResetCounts();
        ASSERT_TRUE(w.choose("AlphaJumpnode1"));
        counts = file_faults::Counts();
    }
    ASSERT_GT(counts.of(FileStep::Write), 0);
    for (const FileFault& fault : model_test::faultPoints(counts)) {
        SCOPED_TRACE(model_test::describe(fault));
        LinkWorld w;
        {
            const ScopedFileFault armed(fault);
            EXPECT_FALSE(w.choose("AlphaJumpnode1"));
            EXPECT_TRUE(armed.fired());
        }
        ASSERT_EQ(w.prompts.errors.size(), 1u);
        EXPECT_NE(w.prompts.errors[0].find("alpha.sdf"), std::string::npos);
        EXPECT_EQ(w.leadsTo(), "0");
        EXPECT_EQ(vk_test::readFile(w.alpha), w.original);
    }
}

// Linked elsewhere both ways, a node no longer leads to the node that leads
// back to it: that node (found beside the chosen file) leads to "0" in the
// same step, after a question that says so. Only a node that leads back here
// is touched, and only when one file holds it.
TEST(TwoWayLinkTest, TheOldPartnerLeadingBackIsSetToZeroInTheSameStep) {
    const struct {
        const char* name;
        std::string betaLeadsTo;  // BetaJumpnode1's, the node Sol's leads to before
        bool twoBetas;            // a second file holds a BetaJumpnode1 leading here
        std::string chosen;       // the new partner
        std::optional<bool> answer;
        std::string betaAfter;
    } rows[] = {
        {"led back, Yes", "SolJumpnode1", false, "AlphaJumpnode2", true, "0"},
        {"led back, No", "SolJumpnode1", false, "AlphaJumpnode2", false, "SolJumpnode1"},
        {"led elsewhere", "VegaJumpnode1", false, "AlphaJumpnode2", std::nullopt, "VegaJumpnode1"},
        {"two files lead back", "SolJumpnode1", true, "AlphaJumpnode2", std::nullopt,
         "SolJumpnode1"},
        {"relinked to the same node", "SolJumpnode1", false, "BetaJumpnode1", std::nullopt,
         "SolJumpnode1"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        LinkWorld w;
        const std::string beta = w.scratch.path("beta.sdf");
        const std::vector<SdfRecord> betaRecords{
            model_test::sunRecord("Beta"), model_test::jumpNode("BetaJumpnode1", r.betaLeadsTo)};
        model_test::writeDesignFile(beta, betaRecords);
        if (r.twoBetas) model_test::writeDesignFile(w.scratch.path("beta2.sdf"), betaRecords);
        const std::string betaBefore = vk_test::readFile(beta);
        w.prompts.file(beta);
        ASSERT_TRUE(w.d().LinkSystems(w.prompts));
        ASSERT_TRUE(w.choose("BetaJumpnode1", false));  // Sol's node leads to Beta's, one way
        if (r.chosen != "BetaJumpnode1") {
            w.prompts.file(w.alpha);
            ASSERT_TRUE(w.d().LinkSystems(w.prompts));
        }
        if (r.answer) w.prompts.answer(*r.answer);
        const auto step = w.choose(r.chosen);
        ASSERT_EQ(w.prompts.questions.size(), r.answer ? 1u : 0u);
        if (r.answer) {
            EXPECT_NE(w.prompts.questions[0].find("\"BetaJumpnode1\" of " + beta),
                      std::string::npos)
                << w.prompts.questions[0];
            EXPECT_NE(w.prompts.questions[0].find("lead to \"0\""), std::string::npos);
        }
        EXPECT_EQ(step != nullptr, r.answer.value_or(true));
        EXPECT_EQ(model_test::leadsToAt(vk_test::readFile(beta), 1), r.betaAfter);
        EXPECT_TRUE(w.prompts.errors.empty());
        if (!step || r.betaAfter == r.betaLeadsTo) continue;
        // One step takes Sol's node, Alpha's and Beta's back, and makes them again.
        const std::string alphaAfter = vk_test::readFile(w.alpha);
        const std::string betaAfter = vk_test::readFile(beta);
        w.d().UndoStep(*step);
        EXPECT_EQ(w.leadsTo(), "BetaJumpnode1");
        EXPECT_EQ(vk_test::readFile(w.alpha), w.original);
        EXPECT_EQ(vk_test::readFile(beta), betaBefore);
        w.d().RedoStep(*step);
        EXPECT_EQ(vk_test::readFile(w.alpha), alphaAfter);
        EXPECT_EQ(vk_test::readFile(beta), betaAfter);
    }
}

// Both nodes in one file (re-linked to another node of the same system): one edit holds both.
TEST(TwoWayLinkTest, AnOldPartnerInTheChosenFileChangesWithIt) {
    LinkWorld w("SolJumpnode1");  // AlphaJumpnode1 leads here
    ASSERT_TRUE(w.choose("AlphaJumpnode1"));
    w.prompts.answer(true);
    const auto step = w.choose("AlphaJumpnode2");
    ASSERT_TRUE(step);
    const std::string after = vk_test::readFile(w.alpha);
    EXPECT_EQ(model_test::leadsToAt(after, 2), "0");
    EXPECT_EQ(model_test::leadsToAt(after, 3), "SolJumpnode1");
    w.d().UndoStep(*step);
    EXPECT_EQ(vk_test::readFile(w.alpha), w.original);
}
