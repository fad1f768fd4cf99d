#include "inf_analyzer.h"

#include "binary_inf.h"
#include "exceptions.h"
#include "text_inf_writer.h"

InfAnalyzer::InfAnalyzer() = default;

InfAnalyzer::~InfAnalyzer() = default;

void InfAnalyzer::resetTree() {
    m_root = std::make_unique<cInfNode>("Root", nullptr, this);
    m_strings.clear();
}

void InfAnalyzer::writeBinaryInf(const std::string& path, bool backup) {
    binary_inf::cEncoder encoder(*m_root, m_strings, path);
    encoder.check();
    cFile file(path, cFile::kWrite, backup);
    encoder.write([&file](const char* data, std::size_t n) { file.write(data, n); });
    file.close();
}

void InfAnalyzer::writeTextInf(const std::string& path, bool backup) {
    writeText(path, text_inf_writer::render(*m_root, path), backup);
}

void InfAnalyzer::writeText(const std::string& path, const std::string& text, bool backup) {
    cFile file(path, cFile::kWrite, backup);
    file.write(text.data(), text.size());
    file.close();
}

std::string InfAnalyzer::readBinaryContent(cFile& file) {
    std::int64_t size = file.length();
    if (size < 0 || static_cast<std::uint64_t>(size) > SIZE_MAX / 2) {
        throw new cFileException(file.name(), "the file is too large to load");
    }
    std::string content(static_cast<std::size_t>(size), '\0');
    file.seek(0, cFile::Origin::Start);
    std::size_t done = 0;
    while (done < content.size()) done += file.read(content.data() + done, content.size() - done);
    return content;
}

void InfAnalyzer::loadBinaryInf(cFile& file) {
    const std::string content = readBinaryContent(file);
    cStringTable strings;
    std::unique_ptr<cInfNode> root = binary_inf::decode(content, strings, this, file.name());
    m_root = std::move(root);
    m_strings = std::move(strings);
}
