#include "cfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include "exceptions.h"
#include "temp_file_cleanup.h"

namespace {

constexpr std::size_t kIoSize = 64 * 1024;
constexpr std::size_t kDirectWrite = 4096;

// Files that open creates are readable and writable (the umask applies).
constexpr mode_t kCreatePermissions = 0666;

[[noreturn]] void refuseNotRegular(const std::string& name) {
    throw new cFileOpenException(name, kNotRegularFileDetail,
                                 cFileException::Refusal::NotRegularFile);
}

[[noreturn]] void refuseOpen(const std::string& name, int errorNumber) {
    throw new cFileOpenException(name, cFileException::systemDetail(errorNumber));
}

// Opens a regular file. A FIFO would block in open() and a device may be
// touched by it, so the name is looked at first, the open does not wait, and
// what was opened is checked again (the name may have changed meanwhile).
int openRegular(const std::string& name, int flags, int directoryFd = AT_FDCWD,
                cFile::Identity* identity = nullptr) {
    struct stat info {};
    if (::fstatat(directoryFd, name.c_str(), &info, 0) == 0 && !S_ISREG(info.st_mode))
        refuseNotRegular(name);
    int fd =
        ::openat(directoryFd, name.c_str(), flags | O_NONBLOCK | O_CLOEXEC, kCreatePermissions);
    if (fd < 0) refuseOpen(name, errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        refuseNotRegular(name);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (identity)
        *identity = {static_cast<std::uint64_t>(info.st_dev),
                     static_cast<std::uint64_t>(info.st_ino)};
    return fd;
}

// A new file beside `name` for its replacement: "<name>.XXXXXX.tmp", which
// the directory walk never takes for an INF file.
int createTempBeside(const std::string& name, std::string& tempName) {
    static std::atomic<unsigned> counter{0};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string base = name;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        struct timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        static const auto pid = static_cast<unsigned long long>(::getpid());
        unsigned long long bits =
            static_cast<unsigned long long>(now.tv_nsec) * 2654435761u ^ pid << 20 ^ ++counter;
        std::string unique;
        for (int i = 0; i < 6; ++i, bits /= 36) unique += kLetters[bits % 36];
        tempName = base + "." + unique + ".tmp";
        int fd =
            ::open(tempName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kCreatePermissions);
        if (fd >= 0) return fd;
        if (errno == EEXIST) continue;
        if (errno == ENAMETOOLONG && base == name) {
            // No room to add to the name: a shorter one in the same directory.
            std::size_t slash = name.find_last_of('/');
            base = (slash == std::string::npos ? std::string() : name.substr(0, slash + 1)) +
                   ".infconv";
            continue;
        }
        refuseOpen(name, errno);
    }
    refuseOpen(name, EEXIST);
}

bool linkUnsupported(int errorNumber) {
    return errorNumber == EPERM || errorNumber == EOPNOTSUPP || errorNumber == EMLINK ||
           errorNumber == ENOSYS || errorNumber == EXDEV;
}

}  // namespace

int linkOrCopyFile(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) == 0) return 0;
    if (!linkUnsupported(errno)) return errno;
    return copyFileContent(from, to);
}

int copyFileContent(const std::string& from, const std::string& to) {
    int in = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) return errno;
    struct stat info {};
    if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(in);
        return EINVAL;
    }
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kCreatePermissions);
    if (out < 0) {
        int err = errno;
        ::close(in);
        return err;
    }
    int err = 0;
    std::unique_ptr<char[]> buffer(new char[kIoSize]);
    while (err == 0) {
        ssize_t got = ::read(in, buffer.get(), kIoSize);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) err = errno;
        if (got <= 0) break;
        for (ssize_t done = 0; err == 0 && done < got;) {
            ssize_t put = ::write(out, buffer.get() + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0)
                err = put < 0 ? errno : EIO;
            else
                done += put;
        }
    }
    if (err == 0 && ::fsync(out) != 0) err = errno;
    if (::close(out) != 0 && err == 0) err = errno;
    ::close(in);
    if (err != 0) ::unlink(to.c_str());
    return err;
}

struct cFile::Replacement {
    explicit Replacement(std::string temp)
        : tempName(std::move(temp)),
          guard(tempName),
          exceptionsAtOpen(std::uncaught_exceptions()) {}

    std::string tempName;
    cTempFileGuard guard;
    int exceptionsAtOpen;
    bool writeFailed = false;
    int error = 0;  // of finishing the write or syncing, reported by putInPlace
};

cFile::cFile() = default;

cFile::cFile(const std::string& name, int mode, bool backup) {
    open(name, mode, backup);
}

cFile::~cFile() {
    // A replacement is put in place only when the object goes out of scope
    // normally; unwinding from an exception drops it.
    if (m_replacement && std::uncaught_exceptions() > m_replacement->exceptionsAtOpen)
        m_replacement->writeFailed = true;
    try {
        close();
    } catch (cException* e) {
        delete e;
    }
}

void cFile::fail(int errorNumber) {
    if (m_replacement) m_replacement->writeFailed = true;
    throw new cFileException(m_name, cFileException::systemDetail(errorNumber));
}

bool cFile::isOpen() const {
    return m_handle >= 0 || m_buffer != nullptr;
}

void cFile::open(const std::string& name, int mode, bool backup) {
    if (isOpen()) throw new cFileOpenException(name, "cFile was already open");

    if (backup && (mode & kWrite) && !(mode & kAppend)) {
        openReplacement(name, mode);
        return;
    }

    m_name = name;
    m_mode = mode;

    if (mode & kWholeFile) {
        m_mode = kWholeFileHeld;
        int fd = -1;
        try {
            fd = openRegular(name, O_RDONLY);
        } catch (cException*) {
            m_mode = 0;
            throw;
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            int err = errno;
            ::close(fd);
            m_mode = 0;
            fail(err);
        }
        auto size = static_cast<std::size_t>(info.st_size);
        std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
        std::size_t done = 0;
        while (done < size) {
            ssize_t got = ::read(fd, buffer.get() + done, size - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                int err = got < 0 ? errno : 0;
                ::close(fd);
                m_mode = 0;
                fail(err);
            }
            done += static_cast<std::size_t>(got);
        }
        ::close(fd);
        if (size == 0) {
            m_mode = 0;
            throw new cFileOpenException(name, "???");
        }
        m_buffer = std::move(buffer);
        m_length = static_cast<std::int64_t>(size);
        m_position = 0;
        return;
    }

    openDescriptor(AT_FDCWD, name, mode);
}

void cFile::openForReadingAt(int directoryFd, const std::string& name) {
    if (isOpen()) throw new cFileOpenException(name, "cFile was already open");
    m_name = name;
    m_mode = kRead;
    openDescriptor(directoryFd, name, kRead);
}

void cFile::borrowForReading(int fd, const std::string& name) {
    if (isOpen()) throw new cFileOpenException(name, "cFile was already open");
    m_name = name;
    m_mode = kRead;
    m_handle = fd;
    m_borrowed = true;
    m_readPos = m_readEnd = m_writeEnd = 0;
}

void cFile::openDescriptor(int directoryFd, const std::string& name, int mode) {
    int flags = 0;
    if (!(mode & kWrite)) {
        flags |= O_RDONLY;
    } else {
        flags |= (mode & kRead) ? O_RDWR : O_WRONLY;
        if (!(mode & kNoCreate)) flags |= O_CREAT;
        // Append never truncates: it takes no backup, so truncating would
        // silently destroy the content it was asked to extend.
        if (!(mode & kNoTruncate) && !(mode & kAppend)) flags |= O_TRUNC;
        if (mode & kExclusive) flags |= O_EXCL;
        if (mode & kAppend) flags |= O_APPEND;
    }
    m_handle = openRegular(name, flags, directoryFd, &m_identity);
    m_readPos = m_readEnd = m_writeEnd = 0;
}

void cFile::openReplacement(const std::string& name, int mode) {
    struct stat info {};
    const bool present = ::stat(name.c_str(), &info) == 0;
    if (present && !S_ISREG(info.st_mode)) refuseNotRegular(name);
    if (present && (mode & kExclusive)) refuseOpen(name, EEXIST);
    if (!present && (mode & kNoCreate)) refuseOpen(name, ENOENT);
    std::string tempName;
    int fd = -1;
    {
        // A signal between creating the file and keeping its name for removal
        // would leave the file behind; it takes effect once the name is kept.
        cSignalHold hold;
        fd = createTempBeside(name, tempName);
        try {
            m_replacement = std::make_unique<Replacement>(tempName);
        } catch (...) {
            ::close(fd);
            ::unlink(tempName.c_str());
            throw;
        }
    }
    m_name = name;
    m_mode = mode;
    m_handle = fd;
    m_readPos = m_readEnd = m_writeEnd = 0;
}

void cFile::putReplacementInPlace(const Replacement& replacement) {
    const std::string backupName = m_name + ".back";
    auto refuseBackup = [&](int err) {
        throw new cFileException(m_name, "cannot keep the previous content as " + backupName +
                                             ": " + cFileException::systemDetail(err));
    };
    auto putNewInPlace = [&] {
        if (std::rename(replacement.tempName.c_str(), m_name.c_str()) != 0) {
            int err = errno;
            ::unlink(replacement.tempName.c_str());
            throw new cFileException(m_name, cFileException::systemDetail(err));
        }
    };
    struct stat info {};
    if (::stat(m_name.c_str(), &info) != 0) {
        cSignalHold hold;
        putNewInPlace();
        return;
    }
    {
        // No backup yet (the usual first conversion): the previous content
        // gets its second name at once, so the name itself is never missing.
        cSignalHold hold;
        if (::link(m_name.c_str(), backupName.c_str()) == 0) {
            putNewInPlace();
            return;
        }
    }
    // A backup to replace: the previous content gets a temporary second name
    // first (a hard link costs neither time nor space) and replaces the old
    // backup in one rename.
    const std::string backupTemp = replacement.tempName + ".back";
    cTempFileGuard backupGuard(backupTemp);
    if (int err = linkOrCopyFile(m_name, backupTemp)) {
        ::unlink(replacement.tempName.c_str());
        refuseBackup(err);
    }
    cSignalHold hold;
    if (std::rename(backupTemp.c_str(), backupName.c_str()) != 0) {
        int err = errno;
        ::unlink(backupTemp.c_str());
        ::unlink(replacement.tempName.c_str());
        refuseBackup(err);
    }
    putNewInPlace();
}

void cFile::close() {
    m_mode = 0;
    if (m_buffer) {
        m_buffer.reset();
        m_position = 0;
        m_length = 0;
        return;
    }
    if (m_handle < 0) return;
    if (m_borrowed) {
        m_handle = -1;
        m_borrowed = false;
        m_readPos = m_readEnd = m_writeEnd = 0;
        return;
    }
    if (m_replacement) {
        finishWriting();
        syncData();
        putInPlace();
        return;
    }
    int error = flushPending();
    m_writeEnd = 0;
    const int fd = m_handle;
    m_handle = -1;
    m_readPos = m_readEnd = 0;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) fail(error);
}

void cFile::finishWriting() {
    if (m_replacement && !m_replacement->writeFailed && m_replacement->error == 0) {
        m_replacement->error = flushPending();
    }
}

void cFile::syncData() {
    // The content must be on the disk before a rename can make it the file.
    if (m_replacement && !m_replacement->writeFailed && m_replacement->error == 0 &&
        ::fdatasync(m_handle) != 0) {
        m_replacement->error = errno;
    }
}

void cFile::putInPlace() {
    if (!m_replacement) return;
    std::unique_ptr<Replacement> replacement = std::move(m_replacement);
    m_mode = 0;
    m_writeEnd = 0;
    const int fd = m_handle;
    m_handle = -1;
    m_readPos = m_readEnd = 0;
    int error = replacement->error;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0 || replacement->writeFailed) {
        ::unlink(replacement->tempName.c_str());
        if (error == 0) {
            throw new cFileException(m_name, "an earlier write failed; the file was not replaced");
        }
        fail(error);
    }
    putReplacementInPlace(*replacement);
}

void cFile::discard() {
    if (!m_replacement) return;
    std::unique_ptr<Replacement> replacement = std::move(m_replacement);
    m_mode = 0;
    m_writeEnd = 0;
    ::close(m_handle);
    m_handle = -1;
    ::unlink(replacement->tempName.c_str());
}

int cFile::flushPending() {
    std::size_t done = 0;
    int err = 0;
    while (done < m_writeEnd) {
        ssize_t put = ::write(m_handle, m_io.get() + done, m_writeEnd - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            err = put < 0 ? errno : EIO;
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    // On failure the output is lost either way; it is not retried on close.
    m_writeEnd = 0;
    return err;
}

void cFile::flushWrite() {
    if (int err = flushPending()) fail(err);
}

void cFile::dropReadAhead() {
    if (m_readEnd > m_readPos) {
        ::lseek(m_handle, -static_cast<off_t>(m_readEnd - m_readPos), SEEK_CUR);
    }
    m_readPos = m_readEnd = 0;
}

std::size_t cFile::read(void* destination, std::size_t n) {
    auto* out = static_cast<char*>(destination);
    if (m_buffer) {
        auto count = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(n), m_length - m_position));
        if (count == 0) fail(0);
        std::memcpy(out, m_buffer.get() + m_position, count);
        m_position += static_cast<std::int64_t>(count);
        return count;
    }
    if (m_handle < 0) fail(EBADF);
    flushWrite();
    if (!m_io) m_io.reset(new char[kIoSize]);

    std::size_t done = 0;
    errno = 0;
    while (done < n) {
        if (m_readPos < m_readEnd) {
            std::size_t take = std::min(n - done, m_readEnd - m_readPos);
            std::memcpy(out + done, m_io.get() + m_readPos, take);
            m_readPos += take;
            done += take;
            continue;
        }
        // Large reads go straight to the caller's memory.
        bool direct = n - done >= kIoSize;
        char* target = direct ? out + done : m_io.get();
        std::size_t want = direct ? n - done : kIoSize;
        ssize_t got = ::read(m_handle, target, want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            int err = errno;
            m_readPos = m_readEnd = 0;
            fail(err);
        }
        if (got == 0) break;
        if (direct) {
            done += static_cast<std::size_t>(got);
        } else {
            m_readPos = 0;
            m_readEnd = static_cast<std::size_t>(got);
        }
    }
    if (done == 0) fail(errno);
    return done;
}

std::size_t cFile::write(const void* source, std::size_t n) {
    if (m_handle < 0 || !(m_mode & kWrite)) fail(EBADF);
    if (n == 0) fail(0);
    dropReadAhead();
    const auto* in = static_cast<const char*>(source);
    std::size_t done = 0;
    while (done < n) {
        // A whole page or more with nothing pending goes out directly (a
        // converted file is written in one call), without the buffer.
        if (m_writeEnd == 0 && n - done >= kDirectWrite) {
            ssize_t put = ::write(m_handle, in + done, n - done);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) fail(put < 0 ? errno : 0);
            done += static_cast<std::size_t>(put);
            continue;
        }
        if (!m_io) m_io.reset(new char[kIoSize]);
        std::size_t take = std::min(n - done, kIoSize - m_writeEnd);
        std::memcpy(m_io.get() + m_writeEnd, in + done, take);
        m_writeEnd += take;
        done += take;
        if (m_writeEnd == kIoSize) flushWrite();
    }
    return done;
}

std::size_t cFile::serialize(void* memory, std::size_t n) {
    if (m_buffer || (m_mode & kRead)) return read(memory, n);
    return write(memory, n);
}

std::string cFile::readString() {
    std::string text;
    if (m_buffer) {
        const char* begin = m_buffer.get() + m_position;
        const char* end = m_buffer.get() + m_length;
        const char* nul = std::find(begin, end, '\0');
        if (nul == end) {
            m_position = m_length;
            return std::string();
        }
        text.assign(begin, nul);
        m_position = (nul - m_buffer.get()) + 1;
        return text;
    }
    if (m_handle < 0) fail(EBADF);
    flushWrite();
    if (!m_io) m_io.reset(new char[kIoSize]);
    for (;;) {
        if (m_readPos == m_readEnd) {
            ssize_t got = ::read(m_handle, m_io.get(), kIoSize);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) fail(errno);
            if (got == 0) return std::string();  // no NUL before the end
            m_readPos = 0;
            m_readEnd = static_cast<std::size_t>(got);
        }
        const char* begin = m_io.get() + m_readPos;
        const char* end = m_io.get() + m_readEnd;
        const char* nul = std::find(begin, end, '\0');
        text.append(begin, nul);
        m_readPos = static_cast<std::size_t>(nul - m_io.get());
        if (nul != end) {
            ++m_readPos;
            return text;
        }
    }
}

std::int64_t cFile::tell() {
    if (m_buffer) return m_position;
    if (m_handle < 0) fail(EBADF);
    flushWrite();
    off_t at = ::lseek(m_handle, 0, SEEK_CUR);
    if (at < 0) fail(errno);
    return static_cast<std::int64_t>(at) - static_cast<std::int64_t>(m_readEnd - m_readPos);
}

void cFile::seek(std::int64_t offset, Origin origin) {
    if (m_buffer) {
        std::int64_t base = origin == Origin::Start     ? 0
                            : origin == Origin::Current ? m_position
                                                        : m_length;
        m_position = std::clamp<std::int64_t>(base + offset, 0, m_length - 1);
        return;
    }
    if (m_handle < 0) fail(EBADF);
    flushWrite();
    int whence = origin == Origin::Start     ? SEEK_SET
                 : origin == Origin::Current ? SEEK_CUR
                                             : SEEK_END;
    if (origin == Origin::Current) offset -= static_cast<std::int64_t>(m_readEnd - m_readPos);
    m_readPos = m_readEnd = 0;
    if (::lseek(m_handle, static_cast<off_t>(offset), whence) < 0) fail(errno);
}

bool cFile::eof() {
    if (m_buffer) return m_position >= m_length;
    return tell() >= length();
}

std::int64_t cFile::length() {
    if (m_buffer) return m_length;
    if (m_handle < 0) fail(EBADF);
    flushWrite();
    struct stat info {};
    if (::fstat(m_handle, &info) != 0) fail(errno);
    return static_cast<std::int64_t>(info.st_size);
}

bool cFile::exists(const std::string& name) {
    return existsAt(AT_FDCWD, name);
}

bool cFile::existsAt(int directoryFd, const std::string& name) {
    try {
        ::close(openRegular(name, O_RDONLY, directoryFd));
        return true;
    } catch (cException* e) {
        delete e;
        return false;
    }
}
