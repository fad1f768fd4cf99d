// The one gateway for every byte the converter reads or writes.
//
// Failures are thrown as cFileException / cFileOpenException by pointer.
// Reads and writes on a descriptor are buffered, so byte-sized calls cost no
// system call each; pending output is flushed by seek, tell, length, eof and
// close (a failed flush throws there).
//
// Only regular files are opened: a directory, FIFO, socket or device (also
// behind a symbolic link) is refused with "not a regular file", checked
// without blocking and before anything is read or written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "os.h"

class cFile {
  public:
    // Mode flags, combined with |.
    static constexpr int kRead = 0x1;
    static constexpr int kWrite = 0x2;   // with kRead: read and write
    static constexpr int kAppend = 0x8;  // write at the end; never truncates
    static constexpr int kNoCreate = 0x20;
    static constexpr int kExclusive = 0x40;   // fail if the file exists
    static constexpr int kWholeFile = 0x100;  // load the whole file into memory at open
    static constexpr int kNoTruncate = 0x200;
    // The mode while a whole-file buffer is held.
    static constexpr int kWholeFileHeld = 0x101;

    enum class Origin { Start, Current, End };

    cFile();
    cFile(const std::string& name, int mode, bool backup = false);
    ~cFile();
    cFile(const cFile&) = delete;
    cFile& operator=(const cFile&) = delete;

    // With `backup`, a write open (not append) replaces the file as a whole:
    // the output goes to a temporary file beside it, and close() syncs it and
    // then puts the previous content at name + ".back" (replacing an older
    // backup) and the new content at name, each in one rename, so the name
    // never holds a partial file. A symbolic link at name is replaced, not
    // written through. Until close() succeeds the file and its backup are
    // untouched; a failed write or close, an exception that leaves the
    // object's scope, SIGINT, SIGTERM or SIGHUP remove the temporary file.
    void open(const std::string& name, int mode, bool backup = false);
    // Opens `name` for reading relative to `directory`, as open(name, kRead).
    void openForReadingAt(const os::Dir& directory, const std::string& name);
    // Reads through a handle opened elsewhere, as if `name` had been
    // opened for reading; close() leaves the handle open.
    void borrowForReading(os::Handle handle, const std::string& name);
    void close();
    bool isOpen() const;

    // A backup write in steps, for writing many files and syncing them
    // together: close() is finishWriting(), syncData() and putInPlace().
    // finishWriting() writes out what is buffered; syncData() puts the
    // temporary file's content on the disk (it may run on another thread);
    // putInPlace() renames it into place as close() does. discard() removes
    // the temporary file instead, leaving the file and its backup untouched.
    void finishWriting();
    void syncData();
    void putInPlace();
    void discard();

    // Which file was opened (zero when none).
    using Identity = os::FileId;
    const Identity& identity() const { return m_identity; }

    // Reads up to n bytes (fewer only at the end of the file). A call that
    // transfers no byte throws cFileException. Small reads go through a
    // read-ahead buffer unless `readAhead` is false (a caller reading into a
    // buffer of its own gains nothing from it, and would pay for its pages).
    std::size_t read(void* destination, std::size_t n, bool readAhead = true);
    // Writes n bytes. A call that transfers no byte throws cFileException.
    std::size_t write(const void* source, std::size_t n);
    // Whole-file mode: like read. Otherwise reads when the mode has kRead,
    // writes when it does not.
    std::size_t serialize(void* memory, std::size_t n);
    // Reads up to and including the next NUL and returns the bytes before it;
    // when the file ends before a NUL, returns an empty string.
    std::string readString();

    std::int64_t tell();
    void seek(std::int64_t offset, Origin origin);
    bool eof();
    std::int64_t length();

    // True when the file is a regular file that can be opened for reading.
    static bool exists(const std::string& name);
    // The same for a name relative to `directory`.
    static bool existsAt(const os::Dir& directory, const std::string& name);

    const std::string& name() const { return m_name; }
    int mode() const { return m_mode; }

  private:
    struct Replacement;

    void openReplacement(const std::string& name, int mode);
    void openDescriptor(const os::Dir& directory, const std::string& name, int mode);
    void putReplacementInPlace(const Replacement& replacement);
    void flushWrite();
    int flushPending();  // 0 or the error number
    void dropReadAhead();
    [[noreturn]] void fail(int errorNumber);

    os::Handle m_handle = os::kNoHandle;
    int m_mode = 0;
    std::string m_name;
    // Whole-file mode.
    std::unique_ptr<char[]> m_buffer;
    std::int64_t m_position = 0;
    std::int64_t m_length = 0;
    // Descriptor mode: read-ahead and pending output.
    std::unique_ptr<char[]> m_io;
    std::size_t m_readPos = 0;
    std::size_t m_readEnd = 0;
    std::size_t m_writeEnd = 0;
    // A backup write in progress (the descriptor is its temporary file).
    std::unique_ptr<Replacement> m_replacement;
    bool m_borrowed = false;
    Identity m_identity;
};

// Gives `to` (which must not exist) the content of `from`: a hard link where
// the file system has them, else copyFileContent. Returns 0 or the error number.
int linkOrCopyFile(const std::string& from, const std::string& to);
// Copies the content of the regular file `from` into the new file `to` and
// syncs it. Returns 0 or the error number; on failure `to` is removed.
int copyFileContent(const std::string& from, const std::string& to);
