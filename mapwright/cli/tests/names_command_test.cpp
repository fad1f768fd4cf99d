#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "names/name_records.h"
#include "test_support.h"

using namespace mw;
namespace fs = std::filesystem;

namespace {

struct NamesRun {
    int status;
    std::string out;  // standard output, then standard error
};

// The arguments are separated by blanks (the scratch paths hold none).
NamesRun runNames(const std::string& args) {
    std::vector<std::string> argv{"names"};
    std::istringstream words(args);
    for (std::string w; words >> w;) argv.push_back(w);
    const vk_test::RunResult r = vk_test::runProgram(VK_MAPWRIGHT, argv);
    return {r.status, r.out + r.err};
}

class NamesCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ond = (root / "db.ond").string();
        auto rec = [](const char* n, const char* s, std::uint8_t p) {
            return TOndRecord{FixedString<125>(n), FixedString<1>(s), p};
        };
        writeOndFile(ond, {rec("vega", "U", 0), rec("Kesh", "K", 0), rec("Altair", "u", 0),
                           rec("Zhaar", "D", 1), rec("beta", "K", 1), rec("Deneb", "U", 0),
                           rec("Alpha", "K", 3)});
    }
    vk_test::ScratchDir scratch{"mw-namescli"};
    fs::path root = scratch.root();
    std::string ond;
};

}  // namespace

TEST_F(NamesCommandTest, ListsNamesInListOrder) {
    const struct {
        std::string args;
        std::string out;
    } cases[] = {
        {"", "Altair\nDeneb\nKesh\nvega\n"},    {"--systems", "Altair\nDeneb\nKesh\nvega\n"},
        {"--planets", "Alpha\nbeta\nZhaar\n"},  {"--planets --style k", "Alpha\nbeta\n"},
        {"--style U", "Altair\nDeneb\nvega\n"}, {"--style H", ""},
    };
    for (const auto& c : cases) {
        const NamesRun r = runNames(ond + " " + c.args);
        EXPECT_EQ(r.status, 0) << c.args << ": " << r.out;
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

TEST_F(NamesCommandTest, RefusesBadInput) {
    const NamesRun missing = runNames((root / "none.ond").string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("none.ond"), std::string::npos) << missing.out;

    for (const std::string& args :
         {std::string(""), ond + " --style X", ond + " --style", ond + " --bogus", ond + " " + ond,
          ond + " --systems --planets"}) {
        const NamesRun r = runNames(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.out.find("usage"), std::string::npos) << args;
    }
}
