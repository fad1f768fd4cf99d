#pragma once
// The one reader of system design files: whoever reads a *.sdf file (the
// designer's open, the jump-node links, the wizard's insert, the mission
// generator) goes through it. Failures raise IoError naming the file.

#include <cstddef>
#include <string>
#include <vector>

#include "common/record_file.h"
#include "system/sdf_record.h"

namespace mw {

class DesignFileReader {
  public:
    explicit DesignFileReader(const std::string& path);

    /// The first record, the system header whatever its tag says. A file
    /// without one (0 bytes, or a partial record) is an IoError.
    SdfRecord readHeader();
    /// The next record; false at the end of the file. A partial last record
    /// is an IoError.
    bool next(SdfRecord& record);

    /// The number of the record read last (the header is record 1).
    std::size_t recordNumber() const { return recordNumber_; }
    const std::string& path() const { return reader_.path(); }

  private:
    RecordReader reader_;
    SdfRecord::Bytes bytes_{};
    std::size_t recordNumber_ = 0;
};

/// A whole design file: its header and every record after it, in file order.
struct DesignFile {
    SdfRecord header;
    std::vector<SdfRecord> records;
};
DesignFile ReadDesignFile(const std::string& path);

}  // namespace mw
