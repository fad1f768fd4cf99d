// The converter as a process under stress: killed at any moment, out of disk
// space, out of memory, run twice on one file, and given files that are not
// regular files. A file must always hold its complete old or complete new
// content, and nothing may hang (every run has a timeout).
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cli_process.h"

namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Text with nested sections and mixed values; a fixed vocabulary keeps the
// binary form within its string limit at any size.
std::string infText(std::size_t bytes) {
    std::string text;
    for (int s = 0; text.size() < bytes; ++s) {
        text += "[Fleet]\r\n{\r\n";
        for (int k = 0; k < 8; ++k) {
            text += "Key" + std::to_string(k) + " = \"Value " + std::to_string((s + k) % 977) +
                    "\", " + std::to_string(s % 4096) + "." + std::to_string(k * 125) + ", word" +
                    std::to_string(k) + "\r\n";
        }
        text += "\t[Inner]\r\n\t{\r\n\tx = 1, -2, 3.5\r\n\t}\r\n}\r\n";
    }
    return text;
}

std::vector<std::string> entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(vk_test::utf8(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::string fileError(const std::string& name, const std::string& detail) {
    return "File Error: " + name + "\nDetail: " + detail + "\n";
}

// Both forms of one tree: what converting the text to binary writes and what
// converting that back to text writes, with the wall time of each run.
struct Forms {
    std::string text, binary, canonicalText;
    double toBinarySeconds = 0, toTextSeconds = 0;
};

double timedRun(const CliTree& tree, const std::vector<std::string>& args) {
    const auto begin = std::chrono::steady_clock::now();
    CliResult r = tree.run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

Forms formsOf(const CliTree& tree, const std::string& text) {
    Forms forms;
    forms.text = text;
    tree.write("ref/f.inf", text);
    forms.toBinarySeconds = timedRun(tree, {"ref/f.inf"});
    forms.binary = tree.read("ref/f.inf");
    forms.toTextSeconds = timedRun(tree, {"-t", "ref/f.inf"});
    forms.canonicalText = tree.read("ref/f.inf");
    fs::remove_all(tree.root() / "ref");
    return forms;
}

// Where a run is stopped: `delay` seconds after the start, or after the
// temporary file appeared (the output is being written, synced and renamed).
struct KillPoint {
    bool afterTempFile;
    double delay;
    vk_test::Stop how;
};

bool hasTempFile(const fs::path& dir) {
    std::error_code ec;
    for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::end(it); it.increment(ec))
        if (it->path().extension() == ".tmp") return true;
    return false;
}

// Starts the conversion and stops it at the point (unless it ended before).
void stopAt(const CliTree& tree, const std::vector<std::string>& args, const KillPoint& point) {
    CliTree::Started started = tree.start(args);
    if (point.afterTempFile) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!hasTempFile(tree.root()) && !vk_test::hasEnded(started) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(point.delay));
    vk_test::stopProgram(started, point.how);
    CliTree::finish(started);
}

// Whatever moment a conversion is stopped at, the file holds its complete
// old or complete new content, and a backup beside the new content holds the
// old. Ctrl+C (SIGINT) and SIGTERM also take the temporary file away; a
// test can send them to one program on POSIX systems only.
void killAtManyPoints(const CliTree& tree, const std::vector<std::string>& args,
                      const std::string& before, const std::string& after, double seconds) {
    using vk_test::Stop;
    // Most points fall where the output is written, synced and renamed.
    std::vector<KillPoint> points = {
        {false, seconds / 2, Stop::Kill}, {true, 0.0, Stop::Kill},   {true, 0.001, Stop::Kill},
        {true, 0.004, Stop::Kill},        {true, 0.015, Stop::Kill}, {true, 0.001, Stop::Interrupt},
        {true, 0.0, Stop::Terminate}};
    // A longer soak on request: VK_KILL_SOAK=N adds N random points.
    if (const char* soak = std::getenv("VK_KILL_SOAK")) {
        std::mt19937 random(42);
        std::uniform_real_distribution<double> when(0.0, seconds * 1.1);
        for (int i = std::atoi(soak); i > 0; --i)
            points.push_back({i % 2 == 0, i % 2 == 0 ? when(random) / 20 : when(random),
                              i % 5 == 0 ? Stop::Interrupt : Stop::Kill});
    }
    for (const KillPoint& point : points) {
        if (!vk_test::canStop(point.how)) continue;
        SCOPED_TRACE(std::string(point.afterTempFile ? "after the temporary file, " : "after ") +
                     std::to_string(point.delay) + " s, stop " +
                     std::to_string(static_cast<int>(point.how)));
        for (const std::string& name : entries(tree.root())) fs::remove(tree.root() / name);
        tree.write("f.inf", before);
        stopAt(tree, args, point);
        const std::string now = tree.read("f.inf");
        ASSERT_TRUE(now == before || now == after)
            << "a partial file of " << now.size() << " bytes";
        if (now == after) {
            EXPECT_TRUE(tree.read("f.inf.back") == before);
        } else if (tree.exists("f.inf.back")) {
            EXPECT_TRUE(tree.read("f.inf.back") == before);
        }
        if (point.how != Stop::Kill) {
            for (const std::string& name : entries(tree.root()))
                EXPECT_TRUE(name == "f.inf" || name == "f.inf.back") << name << " was left behind";
        }
    }
}

TEST(CliSafety, KilledConversionNeverLeavesAPartialFile) {
    CliTree tree;
    const Forms forms = formsOf(tree, infText(kSanitized ? (1u << 20) : (20u << 20)));
    {
        SCOPED_TRACE("text to binary");
        killAtManyPoints(tree, {"f.inf"}, forms.text, forms.binary, forms.toBinarySeconds);
    }
    {
        SCOPED_TRACE("binary to text");
        killAtManyPoints(tree, {"-t", "f.inf"}, forms.binary, forms.canonicalText,
                         forms.toTextSeconds);
    }
}

TEST(CliSafety, FullDiskLeavesFileAndBackupAsTheyWere) {
    CliTree tree;
    const Forms forms = formsOf(tree, infText(150000));
    vk_test::SmallDisk disk(tree.root() / "disk");
    if (!disk.mounted()) {
        GTEST_SKIP() << "a small tmpfs cannot be mounted here (" << disk.why()
                     << "); the full-disk test needs root on Linux";
    }
    tree.write("disk/f.inf", forms.binary);
    tree.write("disk/f.inf.back", forms.text);
    disk.fill(tree.root() / "disk/filler");

    CliResult full = tree.run({"-t", "f.inf"}, "disk");
    EXPECT_EQ(full.status, 2);
    EXPECT_EQ(full.err, fileError("f.inf", std::strerror(ENOSPC)));
    EXPECT_TRUE(tree.read("disk/f.inf") == forms.binary);
    EXPECT_TRUE(tree.read("disk/f.inf.back") == forms.text);
    EXPECT_EQ(entries(tree.root() / "disk"),
              (std::vector<std::string>{"f.inf", "f.inf.back", "filler"}));

    fs::remove(tree.root() / "disk/filler");
    CliResult freed = tree.run({"-t", "f.inf"}, "disk");
    EXPECT_EQ(freed.status, 0) << freed.err;
    EXPECT_TRUE(tree.read("disk/f.inf") == forms.canonicalText);
    EXPECT_TRUE(tree.read("disk/f.inf.back") == forms.binary);
}

TEST(CliSafety, ConversionsOfOneFileTakeTurns) {
    CliTree tree;
    const Forms forms = formsOf(tree, infText(kSanitized ? 100000 : 1000000));
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        tree.write("f.inf", forms.canonicalText);
        CliTree::Started toBinary = tree.start({"f.inf"});
        CliTree::Started toText = tree.start({"-t", "f.inf"});
        EXPECT_EQ(CliTree::finish(toBinary).status, 0);
        EXPECT_EQ(CliTree::finish(toText).status, 0);
        for (const char* name : {"f.inf", "f.inf.back"}) {
            const std::string now = tree.read(name);
            EXPECT_TRUE(now == forms.binary || now == forms.canonicalText) << name;
        }
    }

    // Held by another process: a named file waits for it, the walk passes it by.
    tree.write("f.inf", forms.canonicalText);
    auto held = std::make_unique<HeldLock>(tree.path("f.inf"));
    ASSERT_TRUE(held->held());
    CliTree::Started waiting = tree.start({"f.inf"});
    CliResult walk = tree.run({"-b"});
    EXPECT_EQ(walk.status, 2);
    EXPECT_NE(walk.err.find(fileError(tree.walkPath("f.inf", false),
                                      "busy: another conversion of this file is running")),
              std::string::npos)
        << walk.err;
    // The named conversion says it waits, and does wait.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fs::file_size(vk_test::utf8Path(waiting.errFile)) == 0 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(tree.read("f.inf") == forms.canonicalText);
    held.reset();
    CliResult waited = CliTree::finish(waiting);
    EXPECT_EQ(waited.status, 0);
    EXPECT_EQ(waited.err,
              "infconv: another conversion of f.inf is running; waiting for it to end\n");
    EXPECT_TRUE(tree.read("f.inf") == forms.binary);
}

TEST(CliSafety, OutOfMemoryNamesTheFileAndLeavesItUntouched) {
    if (kSanitized) GTEST_SKIP() << "an address space limit does not mix with AddressSanitizer";
    if (!vk_test::canLimitMemory())
        GTEST_SKIP() << "a test cannot limit one program's memory here (Wine has no such limit)";
    CliTree tree;
    // A directive: the scanner that expands it needs the whole text in memory
    // (a text without one is parsed as it is read, and would convert).
    tree.write("huge.inf", "#define A 1\r\n[A]\r\n");
    fs::resize_file(tree.root() / "huge.inf", 1ull << 30);  // sparse: costs no disk
    tree.write("small.inf", "[B]\r\n");
    const auto limitMemory = [] { vk_test::limitMemory(256u << 20); };
    for (const char* flag : {"", "-t"}) {
        std::vector<std::string> args = {"huge.inf"};
        if (*flag) args.insert(args.begin(), flag);
        CliResult r = CliTree::finish(tree.start(args, "", limitMemory));
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, fileError("huge.inf", "not enough memory to convert huge.inf"));
    }
    CliResult walk = CliTree::finish(tree.start({"-b"}, "", limitMemory));
    EXPECT_EQ(walk.status, 2);
    const std::string huge = tree.walkPath("huge.inf", false);
    EXPECT_EQ(walk.err, fileError(huge, "not enough memory to convert " + huge));
    EXPECT_TRUE(tree.isBinary("small.inf"));
    EXPECT_EQ(fs::file_size(tree.root() / "huge.inf"), 1ull << 30);
    EXPECT_FALSE(tree.exists("huge.inf.back"));
}

// Directories, FIFOs, pipes and devices, given by name or met in the walk,
// directly or through a symbolic link, are refused at once; the walk goes
// on. Windows has no FIFOs or devices in its file system, and Wine makes no
// links: there the device and pipe names stand in, and the walk meets only
// a directory that is not plain.
TEST(CliSafety, RefusesWhatIsNotARegularFile) {
    CliTree tree;
    const bool links = vk_test::canMakeSymlinks(tree.root());
    std::vector<std::string> named = {vk_test::nullDevice(), "dir"};
    std::vector<std::string> met = {"ro.inf"};
    std::vector<std::string> left = {"dir", "good.inf", "good.inf.back", "ro.inf"};
    fs::create_directory(tree.root() / "dir");
    fs::create_directory(tree.root() / "ro.inf");
    if (!vk_test::makeReadOnly(tree.root() / "ro.inf")) met.clear();
    if (vk_test::makeFifo(tree.root() / "pipe.inf")) {
        named.push_back("pipe.inf");
        met.push_back("pipe.inf");
        left.push_back("pipe.inf");
    }
    if (links) {
        fs::create_directory_symlink(tree.root() / "dir", tree.root() / "dirlink.inf");
        fs::create_symlink(vk_test::nullDevice(), tree.root() / "null.inf");
        named.push_back("null.inf");
        met.insert(met.end(), {"dirlink.inf", "null.inf"});
        left.insert(left.end(), {"dirlink.inf", "null.inf"});
    }
    if (vk_test::kOnWindows) named.insert(named.end(), {"CON", "\\\\.\\pipe\\vk-no-server"});
    tree.write("good.inf", "[G]\r\n");

    for (const std::string& name : named) {
        for (const bool toText : {false, true}) {
            SCOPED_TRACE(name + (toText ? " to text" : " to binary"));
            std::vector<std::string> args = {name};
            if (toText) args.insert(args.begin(), "-t");
            CliResult r = tree.run(args, "", 10);
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.err, fileError(name, "not a regular file"));
        }
    }

    CliResult walk = tree.run({"-b"}, "", 10);
    EXPECT_EQ(walk.status, met.empty() ? 0 : 2);
    for (const std::string& name : met) {
        EXPECT_NE(walk.err.find(fileError(tree.walkPath(name, false), "not a regular file")),
                  std::string::npos)
            << name << " in " << walk.err;
    }
    EXPECT_TRUE(tree.isBinary("good.inf"));
    EXPECT_NE(walk.out.find(" bytes in 1 files, BAD: 0 files"), std::string::npos) << walk.out;
    std::sort(left.begin(), left.end());
    EXPECT_EQ(entries(tree.root()), left);
}

}  // namespace
