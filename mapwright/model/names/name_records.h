#pragma once
// The name files: name databases (".ond", 129-byte TOndRecord) and name lists
// ("p_names.dat", "list.dat", 121-byte TPoolEntry).
// Every read and write of these formats goes through this header.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/fixed_string.h"
#include "common/record_file.h"
#include "common/safe_save.h"

namespace mw {

/// One record of a name database.
struct TOndRecord {
    static constexpr std::size_t kSize = 129;

    FixedString<125> name;
    FixedString<1> style;         // "U", "H", "K" or "D"; any case
    std::uint8_t planetFlag = 0;  // 0 = system name, anything else = planet name

    bool isPlanet() const { return planetFlag != 0; }
    /// Style equal to the letter after upper-casing both.
    bool hasStyle(char letter) const;

    void encode(std::uint8_t* out) const;
    static TOndRecord decode(const std::uint8_t* in);
};

/// One record of a name list: a name of up to 120 characters.
struct TPoolEntry {
    static constexpr std::size_t kSize = 121;

    FixedString<120> name;

    void encode(std::uint8_t* out) const { name.store(out); }
    static TPoolEntry decode(const std::uint8_t* in) { return {FixedString<120>::load(in)}; }
};

/// Reads a name database record by record; a trailing partial record is not read.
class OndReader {
  public:
    explicit OndReader(std::string path) : reader_(std::move(path), TOndRecord::kSize) {}
    bool next(TOndRecord& out);
    const std::string& path() const { return reader_.path(); }

  private:
    RecordReader reader_;
};

/// Writes a whole name database (replacing the file only when complete).
void writeOndFile(const std::string& path, const std::vector<TOndRecord>& records);
/// Every record of a name database, in file order.
std::vector<TOndRecord> readOndFile(const std::string& path);

/// Reads a name list record by record; a trailing partial record is not read.
class NameListReader {
  public:
    explicit NameListReader(std::string path) : reader_(std::move(path), TPoolEntry::kSize) {}
    bool next(std::string& name);
    const std::string& path() const { return reader_.path(); }

  private:
    RecordReader reader_;
};

/// Writes a name list whole through SafeSave: until commit() the list is
/// untouched, and a temporary file left without it is removed.
class NameListRewriter {
  public:
    explicit NameListRewriter(std::string target) : out_(std::move(target)) {}

    /// Writes the name cut to 120 characters.
    void write(std::string_view name);
    void commit() { out_.commit(); }

  private:
    SafeSave out_;
};

/// The record of a name list holding the name cut to 120 characters.
std::string nameRecord(std::string_view name);
/// Number of whole records in a name list.
std::size_t countNameRecords(const std::string& path);
/// Every name of a name list, in file order.
std::vector<std::string> readNameList(const std::string& path);

}  // namespace mw
