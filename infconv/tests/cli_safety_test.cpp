// The converter as a process under stress: killed at any moment, out of disk
// space, out of memory, run twice on one file, and given files that are not
// regular files. A file must always hold its complete old or complete new
// content, and nothing may hang (every run has a timeout).
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

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
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
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
    int signal;
};

// Starts the conversion and stops it at the point (unless it ended before).
void stopAt(const CliTree& tree, const std::vector<std::string>& args, const KillPoint& point) {
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ::inotify_add_watch(watch, tree.root().c_str(), IN_CREATE);
    CliTree::Started started = tree.start(args);
    if (point.afterTempFile) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        bool seen = false;
        while (!seen && std::chrono::steady_clock::now() < deadline) {
            pollfd p{watch, POLLIN, 0};
            if (::poll(&p, 1, 5) <= 0) {
                int raw;
                if (::waitpid(started.pid, &raw, WNOHANG) == started.pid) {
                    started.pid = -1;  // ended before writing: nothing to stop
                    break;
                }
                continue;
            }
            alignas(inotify_event) char buffer[4096];
            const ssize_t got = ::read(watch, buffer, sizeof buffer);
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                const std::string name = event->len ? event->name : "";
                if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) seen = true;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }
    ::close(watch);
    if (started.pid < 0) return;
    std::this_thread::sleep_for(std::chrono::duration<double>(point.delay));
    ::kill(started.pid, point.signal);
    CliTree::finish(started);
}

// Whatever moment a conversion is stopped at, the file holds its complete
// old or complete new content, and a backup beside the new content holds the
// old. SIGINT and SIGTERM also take the temporary file away.
void killAtManyPoints(const CliTree& tree, const std::vector<std::string>& args,
                      const std::string& before, const std::string& after, double seconds) {
    // Most points fall where the output is written, synced and renamed.
    std::vector<KillPoint> points = {{false, seconds / 2, SIGKILL}, {true, 0.0, SIGKILL},
                                     {true, 0.001, SIGKILL},        {true, 0.004, SIGKILL},
                                     {true, 0.015, SIGKILL},        {true, 0.001, SIGINT},
                                     {true, 0.0, SIGTERM}};
    // A longer soak on request: VK_KILL_SOAK=N adds N random points.
    if (const char* soak = std::getenv("VK_KILL_SOAK")) {
        std::mt19937 random(42);
        std::uniform_real_distribution<double> when(0.0, seconds * 1.1);
        for (int i = std::atoi(soak); i > 0; --i)
            points.push_back({i % 2 == 0, i % 2 == 0 ? when(random) / 20 : when(random),
                              i % 5 == 0 ? SIGINT : SIGKILL});
    }
    for (const KillPoint& point : points) {
        SCOPED_TRACE(std::string(point.afterTempFile ? "after the temporary file, " : "after ") +
                     std::to_string(point.delay) + " s, signal " + std::to_string(point.signal));
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
        if (point.signal != SIGKILL) {
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

// A scratch directory on a small file system of its own, so it can be filled.
class SmallDisk {
  public:
    explicit SmallDisk(const fs::path& at) : at_(at) {
        fs::create_directories(at_);
        mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, "size=1m") == 0;
        why_ = mounted_ ? "" : std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }

    // Writes until the file system is full.
    void fill(const fs::path& file) const {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const std::string block(4096, 'x');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
    }

  private:
    fs::path at_;
    bool mounted_ = false;
    std::string why_;
};

TEST(CliSafety, FullDiskLeavesFileAndBackupAsTheyWere) {
    CliTree tree;
    const Forms forms = formsOf(tree, infText(150000));
    SmallDisk disk(tree.root() / "disk");
    if (!disk.mounted()) {
        GTEST_SKIP() << "a small tmpfs cannot be mounted here (" << disk.why()
                     << "); the full-disk test needs root";
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
    // Close-on-exec, or the started converters would share (and keep) the lock.
    const int held = ::open((tree.root() / "f.inf").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    CliTree::Started waiting = tree.start({"f.inf"});
    CliResult walk = tree.run({"-b"});
    EXPECT_EQ(walk.status, 2);
    EXPECT_NE(walk.err.find(fileError(tree.root().string() + "/f.inf",
                                      "busy: another conversion of this file is running")),
              std::string::npos)
        << walk.err;
    // The named conversion says it waits, and does wait.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fs::file_size(waiting.errFile) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(tree.read("f.inf") == forms.canonicalText);
    ::close(held);
    CliResult waited = CliTree::finish(waiting);
    EXPECT_EQ(waited.status, 0);
    EXPECT_EQ(waited.err,
              "infconv: another conversion of f.inf is running; waiting for it to end\n");
    EXPECT_TRUE(tree.read("f.inf") == forms.binary);
}

TEST(CliSafety, OutOfMemoryNamesTheFileAndLeavesItUntouched) {
    if (kSanitized) GTEST_SKIP() << "an address space limit does not mix with AddressSanitizer";
    CliTree tree;
    tree.write("huge.inf", "[A]\r\n");
    fs::resize_file(tree.root() / "huge.inf", 1ull << 30);  // sparse: costs no disk
    tree.write("small.inf", "[B]\r\n");
    const auto limitMemory = [] {
        const rlimit limit{256u << 20, 256u << 20};
        ::setrlimit(RLIMIT_AS, &limit);
    };
    for (const char* flag : {"", "-t"}) {
        std::vector<std::string> args = {"huge.inf"};
        if (*flag) args.insert(args.begin(), flag);
        CliResult r = CliTree::finish(tree.start(args, "", limitMemory));
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, fileError("huge.inf", "not enough memory to convert huge.inf"));
    }
    CliResult walk = CliTree::finish(tree.start({"-b"}, "", limitMemory));
    EXPECT_EQ(walk.status, 2);
    const std::string huge = tree.root().string() + "/huge.inf";
    EXPECT_EQ(walk.err, fileError(huge, "not enough memory to convert " + huge));
    EXPECT_TRUE(tree.isBinary("small.inf"));
    EXPECT_EQ(fs::file_size(tree.root() / "huge.inf"), 1ull << 30);
    EXPECT_FALSE(tree.exists("huge.inf.back"));
}

// Directories, FIFOs and devices, given by name or met in the walk, directly
// or through a symbolic link, are refused at once; the walk goes on.
TEST(CliSafety, RefusesWhatIsNotARegularFile) {
    CliTree tree;
    ASSERT_EQ(::mkfifo((tree.root() / "pipe.inf").c_str(), 0600), 0);
    fs::create_directory(tree.root() / "dir");
    fs::create_directory_symlink(tree.root() / "dir", tree.root() / "dirlink.inf");
    fs::create_symlink("/dev/zero", tree.root() / "zero.inf");
    fs::create_symlink("/dev/null", tree.root() / "null.inf");
    tree.write("good.inf", "[G]\r\n");

    for (const std::string name : {"pipe.inf", "/dev/null", "dir", "zero.inf"}) {
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
    EXPECT_EQ(walk.status, 2);
    for (const char* name : {"pipe.inf", "dirlink.inf", "zero.inf", "null.inf"}) {
        EXPECT_NE(walk.err.find(fileError(tree.root().string() + "/" + name, "not a regular file")),
                  std::string::npos)
            << name << " in " << walk.err;
    }
    EXPECT_TRUE(tree.isBinary("good.inf"));
    EXPECT_NE(walk.out.find(" bytes in 1 files, BAD: 0 files"), std::string::npos) << walk.out;
    EXPECT_EQ(entries(tree.root()),
              (std::vector<std::string>{"dir", "dirlink.inf", "good.inf", "good.inf.back",
                                        "null.inf", "pipe.inf", "zero.inf"}));
}

}  // namespace
