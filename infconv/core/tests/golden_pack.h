// The golden packs of the converter's tests: inputs and what converting
// them must leave behind, read by the golden test and by the test that runs
// both text readers over the same inputs.
#pragma once

#include <array>
#include <filesystem>
#include <fstream>
#include <istream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// A pack holds cases one after the other, each as lines "case NAME",
// "input N", "to_binary KIND N", "to_text KIND N" (KIND: file, syntax-error
// or file-error), every line followed by N bytes and a line end.
struct GoldenCase {
    std::string name, input;
    std::array<std::string, 2> outcome;  // to binary, to text: KIND, a line end, the bytes
};

inline std::string readField(std::istream& in, const std::string& label,
                             std::string* kind = nullptr) {
    std::string line;
    std::getline(in, line);
    std::istringstream head(line);
    std::string got, what;
    std::size_t size = 0;
    head >> got;
    if (kind) head >> what;
    head >> size;
    if (got != label) throw std::runtime_error("golden pack: expected " + label + ", read " + line);
    std::string bytes(size, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    in.ignore(1);
    if (kind) *kind = what;
    return bytes;
}

inline std::vector<GoldenCase> readPack(const std::filesystem::path& file) {
    std::vector<GoldenCase> cases;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("case ", 0) != 0) throw std::runtime_error("golden pack: read " + line);
        GoldenCase c;
        c.name = line.substr(5);
        c.input = readField(in, "input");
        for (int d = 0; d < 2; ++d) {
            std::string kind;
            std::string bytes = readField(in, d == 0 ? "to_binary" : "to_text", &kind);
            c.outcome[d] = kind + "\n" + bytes;
        }
        cases.push_back(std::move(c));
    }
    return cases;
}
