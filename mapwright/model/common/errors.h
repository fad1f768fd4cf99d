#pragma once
// The model's error types. Every error a user can meet (a file that cannot be
// read or written, a text that is not a number, a full table) is a UserError:
// windows show what() in their error box, headless commands print it. Any
// other exception is a programming error.
//
// Two styles of reporting one, by caller. The designer's operations
// (SystemDesigner) never throw a UserError: one user action may have changed
// the tables part way, so it shows the failure through Prompts::error and
// returns what changed before it. The map creator wizard's operations
// (project/), the readers and the writers throw it; the window shows it
// through its Prompts, a headless command prints it.

#include <stdexcept>
#include <string>
#include <string_view>

namespace mw {

/// Text taken from a file or a file name, made safe for a message: control
/// bytes and broken UTF-8 escaped (message_text.h says which); characters of
/// any script in UTF-8 (file names), Latin-1 letters (the files' texts) and
/// backslashes (Windows paths) stay readable.
std::string printableBytes(std::string_view bytes);

/// Base of every error the user is shown; the message names the file it is about.
class UserError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// A failed create, open, read, write, rename or delete of a file. The file
/// name and the detail may quote bytes of a file; the message shows them safely.
class IoError : public UserError {
  public:
    IoError(const std::string& file, const std::string& operation, const std::string& detail)
        : UserError(printableBytes(file) + ": " + operation + " failed: " + printableBytes(detail)),
          file_(file) {}
    const std::string& file() const { return file_; }

  private:
    std::string file_;
};

/// A text field that should hold a whole number does not ("'%s' is not a valid integer value").
class ConversionError : public UserError {
  public:
    using UserError::UserError;
};

/// A table of 1000 records has no free index left, or a file holds more records of one kind.
class TableFullError : public UserError {
  public:
    using UserError::UserError;
};

}  // namespace mw
