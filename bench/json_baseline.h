// The RapidJSON baseline: the same tree as JSON (sections as objects, keys as
// arrays of their values), parsed into RapidJSON's DOM and written back out.
#pragma once

#include <string>

class cInfNode;

namespace bench {

// The tree as compact JSON: each node an object whose members are its keys
// (arrays of strings and numbers) followed by its sections (objects).
std::string treeToJson(const cInfNode& root);

// Parses `json` into a DOM and writes it to `outPath` (file to file when the
// caller read `json` from a file). Returns the bytes written.
std::size_t jsonParseAndWrite(const std::string& json, const std::string& outPath);

// Parses once, outside any timing: the DOM for jsonWriteOnly.
class JsonDom {
  public:
    explicit JsonDom(const std::string& json);
    ~JsonDom();
    JsonDom(const JsonDom&) = delete;
    JsonDom& operator=(const JsonDom&) = delete;
    // Writes the DOM to the file; returns the bytes written.
    std::size_t write(const std::string& outPath) const;

  private:
    struct Impl;
    Impl* impl_;
};

}  // namespace bench
