// The converter's error family. Errors are allocated for the throw and thrown
// by pointer (`throw new cFileException(...)`); whoever catches a cException*
// owns it and deletes it (typically by wrapping it in a std::unique_ptr).
#pragma once

#include <string>

class cException {
  public:
    cException(std::string title, std::string message);
    virtual ~cException();

    const std::string& title() const { return m_title; }
    const std::string& message() const { return m_message; }

  protected:
    std::string m_title;
    std::string m_message;
};

// A failed file operation. Message: "File Error: <name>\nDetail: <detail>",
// with control bytes of both shown as escapes (names and details may quote
// bytes read from a file, such as an #include name).
class cFileException : public cException {
  public:
    // Files refused as a whole before anything was written: the directory
    // walk reports them and goes on with the next file.
    enum class Refusal { None, NotRegularFile, OutOfMemory };

    cFileException(const std::string& fileName, const std::string& detail,
                   Refusal refusal = Refusal::None);

    const std::string& fileName() const { return m_fileName; }
    const std::string& detail() const { return m_detail; }
    Refusal refusal() const { return m_refusal; }

    // The C library's text for an error number, "Unknown error" for 0.
    static std::string systemDetail(int errorNumber);

  private:
    std::string m_fileName;
    std::string m_detail;
    Refusal m_refusal;
};

// Thrown by cFile::open.
class cFileOpenException : public cFileException {
  public:
    cFileOpenException(const std::string& fileName, const std::string& detail,
                       Refusal refusal = Refusal::None);
};

// The detail of a file refused because it is a directory, FIFO, socket or device.
inline constexpr const char* kNotRegularFileDetail = "not a regular file";

// The file error of a conversion that ran out of memory.
cFileException* newOutOfMemoryException(const std::string& fileName);

// A HashMap lookup that found nothing. Message: "Item '<key>' not found int HashMap".
class cItemNotFoundException : public cException {
  public:
    explicit cItemNotFoundException(const std::string& key);
};

// A HashMap key asked for by a position that does not exist.
// Message: "Key '<key>' not found int HashMap".
class cKeyNotFoundException : public cException {
  public:
    explicit cKeyNotFoundException(const std::string& key);
};
