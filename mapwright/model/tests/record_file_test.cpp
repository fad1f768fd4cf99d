#include "common/record_file.h"
#include "common/safe_save.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "common/errors.h"
#include "names/name_records.h"

using namespace mw;
namespace fs = std::filesystem;

namespace {

class RecordFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "mw-records-XXXXXX").string();
        ASSERT_NE(::mkdtemp(templ.data()), nullptr);
        root = templ;
    }
    void TearDown() override { fs::remove_all(root); }

    std::string path(const std::string& name) const { return (root / name).string(); }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(root)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string bytes(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path root;
};

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const IoError& e) {
        return e.what();
    }
    return "nothing thrown";
}

// Directories, FIFOs and devices, also behind a symbolic link, are refused by
// every reader and writer without blocking (a FIFO would block a plain open)
// and are left as they are.
TEST_F(RecordFileTest, OnlyRegularFilesAreReadOrWritten) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    fs::create_directory(path("folder"));
    fs::create_symlink("/dev/zero", path("zero"));
    const std::uint8_t record[4] = {1, 2, 3, 4};
    for (const std::string& name :
         {path("pipe"), path("folder"), path("zero"), std::string("/dev/null")}) {
        SCOPED_TRACE(name);
        const std::string open = name + ": open failed: not a regular file";
        EXPECT_EQ(errorOf([&] { RecordReader r(name, 4); }), open);
        EXPECT_EQ(errorOf([&] { countRecords(name, 4); }), open);
        EXPECT_EQ(errorOf([&] { appendRecord(name, record, 4); }), open);
        const std::string create = name + ": create failed: not a regular file";
        EXPECT_EQ(errorOf([&] { SafeSave w(name); }), create);
        EXPECT_EQ(errorOf([&] { SafeSave w(name, path("scratch")); }), create);
    }
    EXPECT_EQ(entries(), (std::vector<std::string>{"folder", "pipe", "zero"}));
    EXPECT_TRUE(fs::is_fifo(path("pipe")));
}

// A save cut short by SIGINT or SIGTERM leaves the old file and no scratch or
// temporary file, and the process still ends by that signal.
TEST_F(RecordFileTest, InterruptedWritersRemoveTheirTemporaryFiles) {
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        fs::remove_all(root);
        fs::create_directories(root);
        std::ofstream(path("list.dat"), std::ios::binary) << "old list";
        std::ofstream(path("out.txt"), std::ios::binary) << "old text";
        const pid_t child = ::fork();
        if (child == 0) {
            SafeSave out(path("out.txt"));
            out.write("new", 3);
            NameListRewriter list(path("list.dat"), path("temp.dat"));
            list.write("name");
            ::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_EQ(entries(), (std::vector<std::string>{"list.dat", "out.txt"}));
        EXPECT_EQ(bytes("out.txt"), "old text");
        EXPECT_EQ(bytes("list.dat"), "old list");
    }
}

TEST_F(RecordFileTest, MessagesShowControlBytesAsEscapes) {
    const std::string name = path(std::string("bad\x1B[2J\tname", 12));
    EXPECT_EQ(errorOf([&] { RecordReader r(name, 4); }),
              path("bad\\x1B[2J\\tname") + ": open failed: No such file or directory");
    EXPECT_EQ(errorOf([&] { RecordReader r(std::string("a\0b", 3), 4); }),
              "a\\x00b: open failed: the name holds a NUL byte");
}

}  // namespace
