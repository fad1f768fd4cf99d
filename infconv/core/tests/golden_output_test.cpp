// What the converter writes, pinned byte for byte: for every input in
// golden/cases the file a conversion to binary and one to text leave behind
// (or the message that refused it) was recorded once, and the converter must
// reproduce it exactly. Larger generated inputs are pinned by the size and
// hash of their output (golden/generated.txt).
//
// VK_GOLDEN_RECORD=1 writes the expected files anew; only for a change that
// is meant to alter the output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core_test_support.h"
#include "exceptions.h"
#include "golden_pack.h"
#include "inf_convert.h"
#include "inf_syntax_exception.h"
#include "log.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGolden = fs::path(VK_SOURCE_DIR) / "infconv/core/tests/golden";

bool recording() {
    const char* flag = std::getenv("VK_GOLDEN_RECORD");
    return flag && *flag && std::strcmp(flag, "0") != 0;
}

// A case's input: the main file, and after a line "--8<--" the file inc.inf
// beside it (the text fuzz target's convention, so its corpus fits as is).
struct CaseInput {
    std::string main, include;
    bool hasInclude = false;
};

CaseInput splitCase(const std::string& bytes) {
    static const std::string kCut = "\n--8<--\n";
    const std::size_t cut = bytes.find(kCut);
    if (cut == std::string::npos) return {bytes, {}, false};
    return {bytes.substr(0, cut), bytes.substr(cut + kCut.size()), true};
}

class GoldenOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        // Thousands of conversions, each synced: where a memory file system
        // is at hand, the scratch folder lives there and syncing costs nothing.
        // Under Wine the host's /dev/shm is Z:\dev\shm; elsewhere on Windows
        // there is none and the temporary folder is used.
        m_scratch = std::make_unique<vk_test::ScratchDir>(
            "infconv-golden", vk_test::kOnWindows ? "Z:/dev/shm" : "/dev/shm");
        m_dir = m_scratch->root();
        vk_test::setEnvironment("INFCONV_LOG_DIR", path("log"));
        createLogChannels();
        ErrorLog->errorBox = false;
        ErrorLog->enabled = false;
    }
    void TearDown() override {
        destroyLogChannels();
        m_scratch.reset();
    }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    static void writeBytes(const std::string& file, const std::string& bytes) {
        vk_test::writeFile(file, bytes);
    }
    static std::string readBytes(const std::string& file) { return vk_test::readFile(file); }

    std::unique_ptr<vk_test::ScratchDir> m_scratch;
    fs::path m_dir;

    // Converts a fresh copy of the input; the outcome is the converted file,
    // or the kind of refusal and its message (scratch directory elided).
    std::string outcome(const CaseInput& input, bool toBinary) {
        const std::string dir = path("case");
        fs::remove_all(dir);
        fs::create_directories(dir);
        writeBytes(dir + "/main.inf", input.main);
        if (input.hasInclude) writeBytes(dir + "/inc.inf", input.include);
        try {
            convertInfFile(dir + "/main.inf", toBinary);
        } catch (cException* raw) {
            std::unique_ptr<cException> e(raw);
            std::string message = e->message();
            for (std::size_t at; (at = message.find(dir)) != std::string::npos;)
                message.replace(at, dir.size(), "<dir>");
            return (dynamic_cast<cInfSyntaxException*>(raw) ? "syntax-error\n" : "file-error\n") +
                   message;
        }
        return "file\n" + readBytes(dir + "/main.inf");
    }
};

void writePack(const fs::path& file, const std::vector<GoldenCase>& cases) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    auto field = [&](const std::string& head, const std::string& bytes) {
        out << head << " " << bytes.size() << "\n" << bytes << "\n";
    };
    for (const GoldenCase& c : cases) {
        out << "case " << c.name << "\n";
        field("input", c.input);
        for (int d = 0; d < 2; ++d) {
            const std::size_t cut = c.outcome[d].find('\n');
            field(std::string(d == 0 ? "to_binary " : "to_text ") + c.outcome[d].substr(0, cut),
                  c.outcome[d].substr(cut + 1));
        }
    }
}

TEST_F(GoldenOutput, CasesConvertToTheRecordedBytes) {
    std::size_t total = 0;
    for (const char* pack : {"text_cases.pack", "binary_cases.pack", "mission.pack"}) {
        std::vector<GoldenCase> cases = readPack(kGolden / pack);
        // Recording may add the files of a directory as new cases.
        if (const char* add = std::getenv("VK_GOLDEN_ADD"); add && recording()) {
            const fs::path dir = fs::path(add) / fs::path(pack).stem();
            if (fs::is_directory(dir))
                for (const auto& entry : fs::directory_iterator(dir))
                    cases.push_back(
                        {entry.path().filename().string(), readBytes(entry.path().string()), {}});
            std::sort(cases.begin(), cases.end(),
                      [](const GoldenCase& a, const GoldenCase& b) { return a.name < b.name; });
        }
        total += cases.size();
        for (GoldenCase& c : cases) {
            for (int d = 0; d < 2; ++d) {
                SCOPED_TRACE(std::string(pack) + ": " + c.name +
                             (d == 0 ? " to binary" : " to text"));
                const std::string got = outcome(splitCase(c.input), d == 0);
                if (recording()) {
                    c.outcome[d] = got;
                    continue;
                }
                const std::string& want = c.outcome[d];
                const auto diff = std::mismatch(want.begin(), want.end(), got.begin(), got.end());
                EXPECT_TRUE(want == got) << "sizes " << want.size() << " and " << got.size()
                                         << ", first difference at " << (diff.first - want.begin());
            }
        }
        if (recording()) writePack(kGolden / pack, cases);
    }
    EXPECT_GT(total, 1000u);
}

// --- Generated inputs ------------------------------------------------------
// Built from std::mt19937's raw output only (its sequence is fixed by the
// standard), so they are the same on every platform and library.

class Generator {
  public:
    explicit Generator(std::uint32_t seed) : m_random(seed) {}
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(m_random() % n); }
    std::uint32_t bits() { return static_cast<std::uint32_t>(m_random()); }

  private:
    std::mt19937 m_random;
};

std::string word(Generator& g) {
    static const char* const kStems[] = {"Alpha",  "Borealis", "cygnus", "Draco", "_eridani",
                                         "Fornax", "GEMINI",   "Hydra",  "Indus", "Lyra"};
    std::string w = kStems[g.below(10)];
    if (g.below(3) == 0) w += "_" + std::string(kStems[g.below(10)]);
    return w;
}

std::string decimal(Generator& g) {
    std::string text;
    if (g.below(3) == 0) text += '-';
    switch (g.below(6)) {
        case 0:
            text += std::to_string(g.below(1000));
            break;
        case 1:
            text += std::to_string(g.bits());
            break;
        case 2:
            text += std::to_string(g.below(100000)) + "." + std::to_string(g.below(100));
            break;
        case 3:
            text += "0." + std::string(g.below(9), '0') + std::to_string(g.below(1000));
            break;
        case 4:
            text += std::to_string(g.bits()) + std::to_string(g.bits()) + "." +
                    std::to_string(g.bits());
            break;
        default:
            text += "." + std::to_string(g.below(100000));
            break;
    }
    return text;
}

// Nested sections; `numberShare` of every 8 values are numbers with fractions.
std::string nestedText(std::uint32_t seed, std::size_t bytes, std::uint32_t numberShare) {
    Generator g(seed);
    std::string text = "; generated\r\nVersion = 2\r\n\r\n";
    std::function<void(int)> section = [&](int depth) {
        const std::string tabs(static_cast<std::size_t>(depth - 1), '\t');
        text += tabs + "[" + word(g) + "]\r\n" + tabs + "{\r\n";
        for (std::uint32_t k = 3 + g.below(6); k > 0; --k) {
            text += tabs + "\t" + word(g) + " = ";
            for (std::uint32_t v = 0, n = 1 + g.below(5); v < n; ++v) {
                if (v) text += ", ";
                if (g.below(8) < numberShare) {
                    text += decimal(g);
                } else if (g.below(2)) {
                    // Appended apart: `"\"" + word(g)` makes GCC 12 warn falsely of
                    // overlapping copies (-Wrestrict) in the MinGW cross build.
                    text += '"';
                    text += word(g) + " " + std::to_string(g.below(50)) + "\"";
                } else {
                    text += word(g);
                }
            }
            text += "\r\n";
        }
        if (depth < 5)
            for (std::uint32_t c = g.below(3); c > 0; --c) section(depth + 1);
        text += tabs + "}\r\n";
    };
    while (text.size() < bytes) section(1);
    return text;
}

std::string flatText(std::size_t keys) {
    std::string text;
    for (std::size_t i = 0; i < keys; ++i)
        text += "Key_" + std::to_string(i) + " = Val_" + std::to_string(i) + "\r\n";
    return text;
}

std::string deepText(std::size_t depth) {
    std::string text;
    for (std::size_t d = 0; d < depth; ++d)
        text += "[S" + std::to_string(d % 7) + "]\r\nk = " + std::to_string(d) + "\r\n";
    return text;
}

std::string valuesText(std::size_t values) {
    std::string text = "[V]\r\nk = ";
    for (std::size_t v = 0; v < values; ++v) text += (v ? ", " : "") + std::to_string(v) + ".5";
    return text + "\r\n";
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A binary file whose root holds keys of random float bit patterns (every
// formatting path: whole, fractions, tiny, huge, infinite, NaN).
std::string floatBinary(std::size_t keys) {
    Generator g(7);
    std::string out;
    put32(out, 0xFFFFA5ADu);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(keys));
    put32(out, 0);
    for (std::size_t k = 0; k < keys; ++k) {
        out += std::string("\0\0\x10", 3);  // name: string 0, 16 values
        for (int v = 0; v < 16; ++v) {
            out.push_back(1);
            std::uint32_t bits = g.bits();
            // Half of them with a small exponent, where the fractions are.
            if (v % 2) bits = (bits & 0x807FFFFFu) | ((118u + g.below(40)) << 23);
            put32(out, bits);
        }
    }
    const std::uint32_t table = static_cast<std::uint32_t>(out.size());
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<char>((table >> (8 * i)) & 0xFF);
    put32(out, 1);
    out += std::string("F\0", 2);
    return out;
}

std::string fnv64(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, h);
    return text;
}

TEST_F(GoldenOutput, GeneratedInputsConvertToTheRecordedHashes) {
    const std::vector<std::pair<std::string, std::function<std::string()>>> generated = {
        {"nested_2MB", [] { return nestedText(1, 2u << 20, 2); }},
        {"numbers_2MB", [] { return nestedText(2, 2u << 20, 4); }},
        {"flat_65536", [] { return flatText(32768); }},
        {"flat_65537", [] { return flatText(32768) + "Last = \"x\"\r\n"; }},
        {"deep_4096", [] { return deepText(4096); }},
        {"deep_4097", [] { return deepText(4097); }},
        {"values_255", [] { return valuesText(255); }},
        {"values_256", [] { return valuesText(256); }},
        {"floats", [] { return floatBinary(4096); }},
    };
    const fs::path manifest = kGolden / "generated.txt";
    std::map<std::string, std::string> expected;
    {
        std::ifstream in(manifest);
        for (std::string line; std::getline(in, line);)
            if (!line.empty()) expected[line.substr(0, line.find(' '))] = line;
    }
    std::string recorded;
    for (const auto& [name, make] : generated) {
        const CaseInput input{make(), {}, false};
        for (const bool toBinary : {true, false}) {
            const std::string key = name + (toBinary ? ".to_binary" : ".to_text");
            const std::string got = outcome(input, toBinary);
            const std::string line = key + " " + std::to_string(got.size()) + " " + fnv64(got);
            recorded += line + "\n";
            if (!recording()) {
                EXPECT_EQ(expected[key], line);
            }
        }
    }
    if (recording()) writeBytes(manifest.string(), recorded);
}

}  // namespace
