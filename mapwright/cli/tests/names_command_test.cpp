#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "name_records.h"

using namespace mw;
namespace fs = std::filesystem;

namespace {

struct NamesRun {
    int status;
    std::string out;
};

NamesRun runNames(const std::string& args) {
    const std::string cmd = std::string(VK_MAPWRIGHT) + " names " + args + " 2>&1";
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return {-1, ""};
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int st = ::pclose(p);
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, out};
}

class NamesCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "mw-namescli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(templ.data()), nullptr);
        root = templ;
        ond = (root / "db.ond").string();
        auto rec = [](const char* n, const char* s, std::uint8_t p) {
            return TOndRecord{FixedString<125>(n), FixedString<1>(s), p};
        };
        writeOndFile(ond, {rec("vega", "U", 0), rec("Kesh", "K", 0), rec("Altair", "u", 0),
                           rec("Zhaar", "D", 1), rec("beta", "K", 1), rec("Deneb", "U", 0),
                           rec("Alpha", "K", 3)});
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
    std::string ond;
};

}  // namespace

TEST_F(NamesCommandTest, ListsNamesInListOrder) {
    const struct {
        std::string args;
        std::string out;
    } cases[] = {
        {"", "Altair\nDeneb\nKesh\nvega\n"},
        {"--systems", "Altair\nDeneb\nKesh\nvega\n"},
        {"--planets", "Alpha\nbeta\nZhaar\n"},
        {"--planets --style k", "Alpha\nbeta\n"},
        {"--style U", "Altair\nDeneb\nvega\n"},
        {"--style H", ""},
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

    for (const std::string& args : {std::string(""), ond + " --style X", ond + " --style",
                                    ond + " --bogus", ond + " " + ond,
                                    ond + " --systems --planets"}) {
        const NamesRun r = runNames(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.out.find("usage"), std::string::npos) << args;
    }
}
