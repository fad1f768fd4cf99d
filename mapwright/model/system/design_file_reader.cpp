#include "system/design_file_reader.h"

namespace mw {

DesignFileReader::DesignFileReader(const std::string& path) : reader_(path, kSdfRecordSize) {}

SdfRecord DesignFileReader::readHeader() {
    reader_.require(bytes_.data());
    ++recordNumber_;
    return SdfRecord::decode(bytes_.data());
}

bool DesignFileReader::next(SdfRecord& record) {
    if (!reader_.next(bytes_.data())) return false;
    ++recordNumber_;
    record = SdfRecord::decode(bytes_.data());
    return true;
}

DesignFile ReadDesignFile(const std::string& path) {
    DesignFileReader in(path);
    DesignFile file;
    file.header = in.readHeader();
    SdfRecord r;
    while (in.next(r)) file.records.push_back(r);
    return file;
}

}  // namespace mw
