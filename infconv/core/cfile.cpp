#include "cfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>

#include "exceptions.h"
#include "temp_file_cleanup.h"

namespace {

constexpr std::size_t kIoSize = std::size_t{64} * 1024;
constexpr std::size_t kDirectWrite = 4096;

[[noreturn]] void refuseNotRegular(const std::string& name) {
    throw new cFileOpenException(name, kNotRegularFileDetail,
                                 cFileException::Refusal::NotRegularFile);
}

[[noreturn]] void refuseOpen(const std::string& name, int errorNumber) {
    throw new cFileOpenException(name, cFileException::systemDetail(errorNumber));
}

// Opens a regular file; anything else is refused without being touched.
os::Handle openRegular(const std::string& name, int flags,
                       const os::Dir& directory = os::currentDir(),
                       cFile::Identity* identity = nullptr) {
    os::Handle handle = os::kNoHandle;
    switch (os::openRegular(directory, name, flags, handle, identity)) {
        case os::Opened::Yes:
            return handle;
        case os::Opened::NotRegular:
            refuseNotRegular(name);
        case os::Opened::Failed:
            break;
    }
    refuseOpen(name, errno);
}

// A new file beside `name` for its replacement: "<name>.XXXXXX.tmp", which
// the directory walk never takes for an INF file.
os::Handle createTempBeside(const std::string& name, std::string& tempName) {
    static std::atomic<unsigned> counter{0};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static const unsigned long long pid = os::processId();
    std::string base = name;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        const auto nanoseconds = static_cast<unsigned long long>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() % 1000000000);
        unsigned long long bits = nanoseconds * 2654435761u ^ pid << 20 ^ ++counter;
        std::string unique;
        for (int i = 0; i < 6; ++i, bits /= 36) unique += kLetters[bits % 36];
        tempName = base + "." + unique + ".tmp";
        const os::Handle handle = os::createNew(tempName);
        if (handle != os::kNoHandle) return handle;
        if (errno == EEXIST) continue;
        if (errno == ENAMETOOLONG && base == name) {
            // No room to add to the name: a shorter one in the same directory.
            std::size_t slash = name.find_last_of(os::kPathSeparator == '/' ? "/" : "/\\");
            base = (slash == std::string::npos ? std::string() : name.substr(0, slash + 1)) +
                   ".infconv";
            continue;
        }
        refuseOpen(name, errno);
    }
    refuseOpen(name, EEXIST);
}

}  // namespace

int linkOrCopyFile(const std::string& from, const std::string& to) {
    if (os::link(from, to) == 0) return 0;
    if (!os::linkUnsupported(errno)) return errno;
    return copyFileContent(from, to);
}

int copyFileContent(const std::string& from, const std::string& to) {
    os::Handle in = os::kNoHandle;
    switch (os::openRegular(os::currentDir(), from, os::kReadOnly, in)) {
        case os::Opened::Yes:
            break;
        case os::Opened::NotRegular:
            return EINVAL;
        case os::Opened::Failed:
            return errno;
    }
    const os::Handle out = os::createNew(to);
    if (out == os::kNoHandle) {
        int err = errno;
        os::close(in);
        return err;
    }
    int err = 0;
    std::unique_ptr<char[]> buffer(new char[kIoSize]);
    while (err == 0) {
        const std::int64_t got = os::read(in, buffer.get(), kIoSize);
        if (got < 0) err = errno;
        if (got <= 0) break;
        for (std::int64_t done = 0; err == 0 && done < got;) {
            const std::int64_t put =
                os::write(out, buffer.get() + done, static_cast<std::size_t>(got - done));
            if (put <= 0)
                err = put < 0 ? errno : EIO;
            else
                done += put;
        }
    }
    if (err == 0 && os::syncData(out) != 0) err = errno;
    if (os::close(out) != 0 && err == 0) err = errno;
    os::close(in);
    if (err != 0) os::remove(to);
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
    return m_handle != os::kNoHandle || m_buffer != nullptr;
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
        os::Handle fd = os::kNoHandle;
        try {
            fd = openRegular(name, os::kReadOnly);
        } catch (cException*) {
            m_mode = 0;
            throw;
        }
        const std::int64_t length = os::size(fd);
        if (length < 0) {
            int err = errno;
            os::close(fd);
            m_mode = 0;
            fail(err);
        }
        auto size = static_cast<std::size_t>(length);
        std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
        std::size_t done = 0;
        while (done < size) {
            const std::int64_t got = os::read(fd, buffer.get() + done, size - done);
            if (got <= 0) {
                int err = got < 0 ? errno : 0;
                os::close(fd);
                m_mode = 0;
                fail(err);
            }
            done += static_cast<std::size_t>(got);
        }
        os::close(fd);
        if (size == 0) {
            m_mode = 0;
            throw new cFileOpenException(name, "???");
        }
        m_buffer = std::move(buffer);
        m_length = static_cast<std::int64_t>(size);
        m_position = 0;
        return;
    }

    openDescriptor(os::currentDir(), name, mode);
}

void cFile::openForReadingAt(const os::Dir& directory, const std::string& name) {
    if (isOpen()) throw new cFileOpenException(name, "cFile was already open");
    m_name = name;
    m_mode = kRead;
    openDescriptor(directory, name, kRead);
}

void cFile::borrowForReading(os::Handle handle, const std::string& name) {
    if (isOpen()) throw new cFileOpenException(name, "cFile was already open");
    m_name = name;
    m_mode = kRead;
    m_handle = handle;
    m_borrowed = true;
    m_readPos = m_readEnd = m_writeEnd = 0;
}

void cFile::openDescriptor(const os::Dir& directory, const std::string& name, int mode) {
    int flags = os::kReadOnly;
    if (mode & kWrite) {
        flags = (mode & kRead) ? os::kReadWrite : os::kWriteOnly;
        if (!(mode & kNoCreate)) flags |= os::kCreate;
        // Append never truncates: it takes no backup, so truncating would
        // silently destroy the content it was asked to extend.
        if (!(mode & kNoTruncate) && !(mode & kAppend)) flags |= os::kTruncate;
        if (mode & kExclusive) flags |= os::kExclusive;
        if (mode & kAppend) flags |= os::kAppend;
    }
    m_handle = openRegular(name, flags, directory, &m_identity);
    m_readPos = m_readEnd = m_writeEnd = 0;
}

void cFile::openReplacement(const std::string& name, int mode) {
    const os::Status status = os::status(name);
    const bool present = status.kind != os::Status::Kind::Missing;
    if (present && status.kind != os::Status::Kind::Regular) refuseNotRegular(name);
    if (present && (mode & kExclusive)) refuseOpen(name, EEXIST);
    if (!present && (mode & kNoCreate)) refuseOpen(name, ENOENT);
    std::string tempName;
    os::Handle fd = os::kNoHandle;
    {
        // A signal between creating the file and keeping its name for removal
        // would leave the file behind; it takes effect once the name is kept.
        cSignalHold hold;
        fd = createTempBeside(name, tempName);
        try {
            m_replacement = std::make_unique<Replacement>(tempName);
        } catch (...) {
            os::close(fd);
            os::remove(tempName);
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
        if (os::rename(replacement.tempName, m_name) != 0) {
            int err = errno;
            os::remove(replacement.tempName);
            throw new cFileException(m_name, cFileException::systemDetail(err));
        }
    };
    if (os::status(m_name).kind == os::Status::Kind::Missing) {
        cSignalHold hold;
        putNewInPlace();
        return;
    }
    {
        // No backup yet (the usual first conversion): the previous content
        // gets its second name at once, so the name itself is never missing.
        cSignalHold hold;
        if (os::link(m_name, backupName) == 0) {
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
        os::remove(replacement.tempName);
        refuseBackup(err);
    }
    cSignalHold hold;
    if (os::rename(backupTemp, backupName) != 0) {
        int err = errno;
        os::remove(backupTemp);
        os::remove(replacement.tempName);
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
    if (m_handle == os::kNoHandle) return;
    if (m_borrowed) {
        m_handle = os::kNoHandle;
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
    const os::Handle fd = m_handle;
    m_handle = os::kNoHandle;
    m_readPos = m_readEnd = 0;
    if (os::close(fd) != 0 && error == 0) error = errno;
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
        os::syncData(m_handle) != 0) {
        m_replacement->error = errno;
    }
}

void cFile::putInPlace() {
    if (!m_replacement) return;
    std::unique_ptr<Replacement> replacement = std::move(m_replacement);
    m_mode = 0;
    m_writeEnd = 0;
    const os::Handle fd = m_handle;
    m_handle = os::kNoHandle;
    m_readPos = m_readEnd = 0;
    int error = replacement->error;
    if (os::close(fd) != 0 && error == 0) error = errno;
    if (error != 0 || replacement->writeFailed) {
        os::remove(replacement->tempName);
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
    os::close(m_handle);
    m_handle = os::kNoHandle;
    os::remove(replacement->tempName);
}

int cFile::flushPending() {
    std::size_t done = 0;
    int err = 0;
    while (done < m_writeEnd) {
        const std::int64_t put = os::write(m_handle, m_io.get() + done, m_writeEnd - done);
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
        os::seek(m_handle, -static_cast<std::int64_t>(m_readEnd - m_readPos), os::Origin::Current);
    }
    m_readPos = m_readEnd = 0;
}

std::size_t cFile::read(void* destination, std::size_t n, bool readAhead) {
    auto* out = static_cast<char*>(destination);
    if (m_buffer) {
        auto count = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(n), m_length - m_position));
        if (count == 0) fail(0);
        std::memcpy(out, m_buffer.get() + m_position, count);
        m_position += static_cast<std::int64_t>(count);
        return count;
    }
    if (m_handle == os::kNoHandle) fail(EBADF);
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
        const bool direct = !readAhead || n - done >= kIoSize;
        char* target = direct ? out + done : m_io.get();
        std::size_t want = direct ? n - done : kIoSize;
        const std::int64_t got = os::read(m_handle, target, want);
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
    if (m_handle == os::kNoHandle || !(m_mode & kWrite)) fail(EBADF);
    if (n == 0) fail(0);
    dropReadAhead();
    const auto* in = static_cast<const char*>(source);
    std::size_t done = 0;
    while (done < n) {
        // A whole page or more with nothing pending goes out directly (a
        // converted file is written in one call), without the buffer.
        if (m_writeEnd == 0 && n - done >= kDirectWrite) {
            const std::int64_t put = os::write(m_handle, in + done, n - done);
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
    if (m_handle == os::kNoHandle) fail(EBADF);
    flushWrite();
    if (!m_io) m_io.reset(new char[kIoSize]);
    for (;;) {
        if (m_readPos == m_readEnd) {
            const std::int64_t got = os::read(m_handle, m_io.get(), kIoSize);
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
    if (m_handle == os::kNoHandle) fail(EBADF);
    flushWrite();
    const std::int64_t at = os::seek(m_handle, 0, os::Origin::Current);
    if (at < 0) fail(errno);
    return at - static_cast<std::int64_t>(m_readEnd - m_readPos);
}

void cFile::seek(std::int64_t offset, Origin origin) {
    if (m_buffer) {
        std::int64_t base = origin == Origin::Start     ? 0
                            : origin == Origin::Current ? m_position
                                                        : m_length;
        m_position = std::clamp<std::int64_t>(base + offset, 0, m_length - 1);
        return;
    }
    if (m_handle == os::kNoHandle) fail(EBADF);
    flushWrite();
    const os::Origin whence = origin == Origin::Start     ? os::Origin::Start
                              : origin == Origin::Current ? os::Origin::Current
                                                          : os::Origin::End;
    if (origin == Origin::Current) offset -= static_cast<std::int64_t>(m_readEnd - m_readPos);
    m_readPos = m_readEnd = 0;
    if (os::seek(m_handle, offset, whence) < 0) fail(errno);
}

bool cFile::eof() {
    if (m_buffer) return m_position >= m_length;
    return tell() >= length();
}

std::int64_t cFile::length() {
    if (m_buffer) return m_length;
    if (m_handle == os::kNoHandle) fail(EBADF);
    flushWrite();
    const std::int64_t length = os::size(m_handle);
    if (length < 0) fail(errno);
    return length;
}

bool cFile::exists(const std::string& name) {
    return existsAt(os::currentDir(), name);
}

// No exception for a missing file: this is asked ten times at every start
// (the settings file) and once per include line, and a throw costs more
// than the two system calls.
bool cFile::existsAt(const os::Dir& directory, const std::string& name) {
    os::Handle handle = os::kNoHandle;
    if (os::openRegular(directory, name, os::kReadOnly, handle) != os::Opened::Yes) return false;
    os::close(handle);
    return true;
}
