#include "json_baseline.h"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstdio>
#include <stdexcept>

#include "inf_tree.h"

namespace bench {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void writeNode(const cInfNode& node, JsonWriter& out) {
    out.StartObject();
    for (std::size_t i = 0; i < node.keyCount(); ++i) {
        const cInfKey& key = *node.key(i);
        out.Key(key.name().data(), static_cast<rapidjson::SizeType>(key.name().size()));
        out.StartArray();
        for (const cInfValue& v : key.values()) {
            if (v.isNumber())
                out.Double(v.number());
            else
                out.String(v.text().data(), static_cast<rapidjson::SizeType>(v.text().size()));
        }
        out.EndArray();
    }
    for (std::size_t i = 0; i < node.sectionCount(); ++i) {
        const cInfNode& section = *node.section(i);
        out.Key(section.name().data(), static_cast<rapidjson::SizeType>(section.name().size()));
        writeNode(section, out);
    }
    out.EndObject();
}

std::size_t writeBytes(const std::string& path, const char* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error(path + ": cannot open for writing");
    const std::size_t written = std::fwrite(data, 1, size, file);
    std::fclose(file);
    if (written != size) throw std::runtime_error(path + ": write failed");
    return written;
}

std::size_t writeDocument(const rapidjson::Document& document, const std::string& outPath) {
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    document.Accept(writer);
    return writeBytes(outPath, buffer.GetString(), buffer.GetSize());
}

}  // namespace

std::string treeToJson(const cInfNode& root) {
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writeNode(root, writer);
    return std::string(buffer.GetString(), buffer.GetSize());
}

std::size_t jsonParseAndWrite(const std::string& json, const std::string& outPath) {
    rapidjson::Document document;
    document.Parse(json.data(), json.size());
    if (document.HasParseError())
        throw std::runtime_error("the JSON baseline input does not parse");
    return writeDocument(document, outPath);
}

struct JsonDom::Impl {
    rapidjson::Document document;
};

JsonDom::JsonDom(const std::string& json) : impl_(new Impl) {
    impl_->document.Parse(json.data(), json.size());
    if (impl_->document.HasParseError()) {
        delete impl_;
        throw std::runtime_error("the JSON baseline input does not parse");
    }
}

JsonDom::~JsonDom() {
    delete impl_;
}

std::size_t JsonDom::write(const std::string& outPath) const {
    return writeDocument(impl_->document, outPath);
}

}  // namespace bench
