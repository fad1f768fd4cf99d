#include "inf_data_generator.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <vector>

namespace bench {
namespace {

const std::vector<std::string>& vocabulary() {
    static const std::vector<std::string> words = [] {
        static const char* stems[] = {"Alpha",  "Borealis", "Cygnus", "Draco", "Eridani", "Fornax",
                                      "Gemini", "Hydra",    "Indus",  "Lyra",  "Mensa",   "Norma"};
        std::vector<std::string> out;
        for (const char* a : stems)
            for (const char* b : stems) out.push_back(std::string(a) + "_" + b);
        return out;  // 144 words
    }();
    return words;
}

const char* const kKeyNames[] = {"Name",  "Type",   "Owner", "Position", "Speed", "Model",
                                 "Armor", "Shield", "Crew",  "Cargo",    "Race",  "Orders"};
const char* const kSectionNames[] = {"Fleet", "Planet", "Ship", "Empire", "Nebula", "Station"};

class Writer {
  public:
    // `numberHeavy`: about half the values are numbers with fractions.
    explicit Writer(std::uint32_t seed, bool numberHeavy = false)
        : rng_(seed), numberHeavy_(numberHeavy) {}

    void section(int depth) {
        indent(depth - 1);
        text_ += "[";
        text_ += kSectionNames[pick(std::size(kSectionNames))];
        text_ += "]\r\n";
        indent(depth - 1);
        text_ += "{\r\n";
        const int keys = 3 + static_cast<int>(pick(6));
        for (int k = 0; k < keys; ++k) key(depth);
        if (depth < 4) {
            const int children = static_cast<int>(pick(3));
            for (int c = 0; c < children; ++c) section(depth + 1);
        }
        indent(depth - 1);
        text_ += "}\r\n";
    }

    std::string& text() { return text_; }

  private:
    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }

    void indent(int n) { text_.append(static_cast<std::size_t>(n), '\t'); }

    void key(int depth) {
        indent(depth);
        text_ += kKeyNames[pick(std::size(kKeyNames))];
        text_ += " = ";
        const int values = 1 + static_cast<int>(pick(4));
        for (int v = 0; v < values; ++v) {
            if (v) text_ += ", ";
            char number[32];
            if (numberHeavy_ && pick(2) == 0) {
                // Coordinates, rates and ratios: 1 to 6 decimals, either sign.
                const int decimals = 1 + static_cast<int>(pick(6));
                const double magnitude = static_cast<double>(pick(2000000)) / 10.0;
                std::snprintf(number, sizeof number, "%.*f", decimals,
                              pick(3) == 0 ? -magnitude : magnitude);
                text_ += number;
                continue;
            }
            switch (numberHeavy_ ? pick(3) : pick(4)) {
                case 0:  // quoted string with a space and a digit
                    text_ += "\"" + vocabulary()[pick(vocabulary().size())] + " " +
                             std::to_string(pick(10)) + "\"";
                    break;
                case 1:  // bare word
                    text_ += vocabulary()[pick(vocabulary().size())];
                    break;
                case 2:  // whole number
                    text_ += std::to_string(static_cast<int>(pick(400001)) - 200000);
                    break;
                default:  // fraction
                    std::snprintf(number, sizeof number, "%.2f",
                                  static_cast<double>(pick(100000)) / 100.0);
                    text_ += number;
                    break;
            }
        }
        text_ += "\r\n";
    }

    std::mt19937 rng_;
    bool numberHeavy_;
    std::string text_;
};

}  // namespace

std::string nestedInfText(std::size_t targetBytes, bool numberHeavy) {
    Writer writer(20261208u, numberHeavy);
    writer.text() = "; generated benchmark input\r\nVersion = 2\r\n\r\n";
    while (writer.text().size() < targetBytes) writer.section(1);
    return std::move(writer.text());
}

std::string flatInfText(std::size_t distinctStrings) {
    // Root keys only: a section name would be one string more than the
    // binary form can hold at 65,536.
    std::string text;
    for (std::size_t i = 0; i < distinctStrings / 2; ++i)
        text += "Key_" + std::to_string(i) + " = Val_" + std::to_string(i) + "\r\n";
    return text;
}

std::uint64_t writeIncludeTree(const std::string& root, std::size_t files) {
    namespace fs = std::filesystem;
    fs::remove_all(root);
    std::uint64_t total = 0;
    const std::size_t perDir = 100;
    for (std::size_t dir = 0; dir * perDir < files; ++dir) {
        const fs::path path = fs::path(root) / ("dir" + std::to_string(dir));
        fs::create_directories(path);
        const std::size_t here = std::min(perDir, files - dir * perDir);
        const std::string shared = "[Shared]\r\n{\r\n\tOwner = Empire1\r\n\tRace = Human\r\n}\r\n";
        writeFile((path / "shared_inc.inf").string(), shared);
        total += shared.size();
        for (std::size_t f = 1; f < here; ++f) {
            Writer writer(static_cast<std::uint32_t>(dir * perDir + f));
            if (f % 10 == 0) writer.text() = "#include \"shared_inc.inf\"\r\n";
            writer.section(1);
            writer.section(1);
            writeFile((path / ("file" + std::to_string(f) + ".inf")).string(), writer.text());
            total += writer.text().size();
        }
    }
    return total;
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) throw std::runtime_error(path + ": cannot write the benchmark input");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot read the benchmark input");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace bench
