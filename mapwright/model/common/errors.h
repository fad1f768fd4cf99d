#pragma once
// The model's error types. Windows show what() in their error box; headless
// commands print it. Every message names the file it is about.

#include <stdexcept>
#include <string>

namespace mw {

/// A failed create, open, read, write, rename or delete of a file.
class IoError : public std::runtime_error {
public:
    IoError(const std::string& file, const std::string& operation, const std::string& detail)
        : std::runtime_error(file + ": " + operation + " failed: " + detail), file_(file) {}
    const std::string& file() const { return file_; }

private:
    std::string file_;
};

/// A text field that should hold a whole number does not ("'%s' is not a valid integer value").
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A table of 1000 records has no free index left, or a file holds more records of one kind.
class TableFullError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace mw
