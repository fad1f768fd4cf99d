#include "record_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <mutex>

#include "errors.h"

namespace mw {

namespace {

constexpr const char* kNotRegular = "not a regular file";

// A name with a NUL byte (read from a file) would open a shorter name.
void requireWholeName(const std::string& path, const std::string& operation) {
    if (path.find('\0') != std::string::npos)
        throw IoError(path, operation, "the name holds a NUL byte");
}

// Opens a regular file. A FIFO would block in open() and a device may be
// touched by it, so the name is looked at first, the open does not wait, and
// what was opened is checked again.
std::FILE* openRegular(const std::string& path, int flags, const char* mode) {
    requireWholeName(path, "open");
    requireRegularOrMissing(path, "open");
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw IoError(path, "open", errnoText());
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw IoError(path, "open", kNotRegular);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, mode);
    if (!f) {
        const std::string why = errnoText();
        ::close(fd);
        throw IoError(path, "open", why);
    }
    return f;
}

// Temporary names for the signal handler, which may only touch lock-free
// state: fixed slots, each armed once its name is complete.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct TempSlot {
    enum : int { kFree, kFilling, kArmed };
    std::atomic<int> state{kFree};
    char path[4096];
};
TempSlot tempSlots[16];

void removeTempFilesAndEnd(int signal) {
    for (TempSlot& slot : tempSlots)
        if (slot.state.load() == TempSlot::kArmed) ::unlink(slot.path);
    // SA_RESETHAND restored the default action: raised again, the signal
    // ends the process as soon as this handler returns.
    ::raise(signal);
}

void installTempFileHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : kSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = removeTempFilesAndEnd;
            sigemptyset(&action.sa_mask);
            for (const int other : kSignals) sigaddset(&action.sa_mask, other);
            action.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &action, nullptr);
        }
    });
}

}  // namespace

std::string errnoText() { return std::strerror(errno); }

TempFileGuard::TempFileGuard(const std::string& path) : slot_(-1) {
    installTempFileHandlers();
    if (path.size() >= sizeof(TempSlot::path)) return;
    for (int i = 0; i < static_cast<int>(std::size(tempSlots)); ++i) {
        int expected = TempSlot::kFree;
        if (!tempSlots[i].state.compare_exchange_strong(expected, TempSlot::kFilling)) continue;
        std::memcpy(tempSlots[i].path, path.c_str(), path.size() + 1);
        tempSlots[i].state.store(TempSlot::kArmed);
        slot_ = i;
        return;
    }
}

TempFileGuard::~TempFileGuard() {
    if (slot_ >= 0) tempSlots[slot_].state.store(TempSlot::kFree);
}

void requireRegularOrMissing(const std::string& path, const std::string& operation) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw IoError(path, operation, kNotRegular);
}

RecordReader::RecordReader(std::string path, std::size_t recordSize)
    : path_(std::move(path)), size_(recordSize), f_(openRegular(path_, O_RDONLY, "rb")) {}

RecordReader::~RecordReader() {
    if (f_) std::fclose(f_);
}

std::size_t RecordReader::readRaw(std::uint8_t* out) {
    const std::size_t got = std::fread(out, 1, size_, f_);
    if (got < size_ && std::ferror(f_)) throw IoError(path_, "read", errnoText());
    return got;
}

bool RecordReader::next(std::uint8_t* out) {
    const std::size_t got = readRaw(out);
    if (got == 0) return false;
    if (got < size_)
        throw IoError(path_, "read",
                      "partial record at the end of the file (" + std::to_string(got) + " of " +
                          std::to_string(size_) + " bytes)");
    return true;
}

void RecordReader::require(std::uint8_t* out) {
    if (!next(out)) throw IoError(path_, "read", "unexpected end of file");
}

bool RecordReader::nextWhole(std::uint8_t* out) { return readRaw(out) == size_; }

RecordWriter::RecordWriter(std::string path, std::size_t recordSize)
    : path_(std::move(path)), size_(recordSize) {
    requireWholeName(path_, "create");
    requireRegularOrMissing(path_, "create");
    std::string templ = path_ + ".tmp-XXXXXX";
    const int fd = mkstemp(templ.data());
    if (fd < 0) throw IoError(path_, "create", errnoText());
    tempPath_ = templ;
    guard_ = std::make_unique<TempFileGuard>(tempPath_);
    f_ = fdopen(fd, "wb");
    if (!f_) {
        const std::string why = errnoText();
        ::close(fd);
        std::remove(tempPath_.c_str());
        throw IoError(path_, "create", why);
    }
}

RecordWriter::~RecordWriter() {
    if (f_) {
        std::fclose(f_);
        std::remove(tempPath_.c_str());
    }
}

void RecordWriter::write(const std::uint8_t* record) {
    if (!f_) throw IoError(path_, "write", "file already closed");
    if (std::fwrite(record, 1, size_, f_) != size_) throw IoError(path_, "write", errnoText());
}

void RecordWriter::commit() {
    if (!f_) throw IoError(path_, "write", "file already closed");
    const bool ok = std::fflush(f_) == 0 && ::fsync(fileno(f_)) == 0;
    const std::string why = ok ? "" : errnoText();
    const bool closed = std::fclose(f_) == 0;
    f_ = nullptr;
    if (!ok || !closed) {
        std::remove(tempPath_.c_str());
        throw IoError(path_, "write", ok ? errnoText() : why);
    }
    // mkstemp makes the file private (0600); a saved file gets the usual mode.
    ::chmod(tempPath_.c_str(), 0666 & ~[] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }());
    if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        const std::string why2 = errnoText();
        std::remove(tempPath_.c_str());
        throw IoError(path_, "replace", why2);
    }
    guard_.reset();
}

void appendRecord(const std::string& path, const std::uint8_t* record, std::size_t recordSize) {
    std::FILE* f = openRegular(path, O_RDWR, "r+b");
    const bool ok = std::fseek(f, 0, SEEK_END) == 0 &&
                    std::fwrite(record, 1, recordSize, f) == recordSize && std::fflush(f) == 0;
    const std::string why = ok ? "" : errnoText();
    std::fclose(f);
    if (!ok) throw IoError(path, "write", why);
}

std::size_t countRecords(const std::string& path, std::size_t recordSize) {
    requireWholeName(path, "open");
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) throw IoError(path, "open", errnoText());
    if (!S_ISREG(info.st_mode)) throw IoError(path, "open", kNotRegular);
    return static_cast<std::size_t>(info.st_size) / recordSize;
}

void writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (bytes.empty()) {
        RecordWriter w(path, 1);
        w.commit();
        return;
    }
    RecordWriter w(path, bytes.size());
    w.write(reinterpret_cast<const std::uint8_t*>(bytes.data()));
    w.commit();
}

void replaceFile(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw IoError(to, "replace (from " + from + ")", errnoText());
}

}  // namespace mw
