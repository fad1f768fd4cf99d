#include "inf_tokenizer.h"

#include "cfile.h"
#include "inf_parser_report.h"
#include "inf_tokenizer_paths.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr int kCR = '\r';
constexpr int kLF = '\n';
constexpr int kTab = '\t';

// Bytes that end a directive word and a define name.
bool endsDirective(int c) {
    switch (c) {
    case '[': case '=': case '{': case '}': case ';': case kCR: case kTab: case ' ': case '#':
        return true;
    default:
        return false;
    }
}

// Bytes that end a bare word (space and LF do not).
bool endsWord(int c) {
    switch (c) {
    case ',': case '[': case '=': case '{': case '}': case ';': case kCR: case kTab: case '#':
        return true;
    default:
        return false;
    }
}

bool isTrimSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The C library's decimal conversion of the longest valid prefix, stored as
// a 32-bit float. The scanned text holds only digits, "." and a leading "-".
float convertNumber(const std::string& text) {
    double value = 0.0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too many digits for a double: the C conversion gives infinity or 0.
        value = std::strtod(text.c_str(), nullptr);
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    (void)ptr;
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax) return std::numeric_limits<float>::infinity();
    if (value < -kMax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

}  // namespace

cInfTokenizer::cInfTokenizer(std::string fileName) : fileName_(std::move(fileName)) {}

std::string cInfTokenizer::readAll(cFile& file) {
    const std::int64_t length = file.length();
    std::string content(static_cast<std::size_t>(std::max<std::int64_t>(length, 0)), '\0');
    if (content.empty()) {
        char probe;
        file.read(&probe, 1);  // transfers nothing, so it throws the file error
        return content;
    }
    std::size_t done = 0;
    while (done < content.size()) done += file.read(content.data() + done, content.size() - done);
    return content;
}

void cInfTokenizer::push(cInfToken token) {
    // Grow by a quarter, at least 32 entries.
    if (tokens_.size() == tokens_.capacity()) {
        tokens_.reserve(tokens_.capacity() + std::max<std::size_t>(tokens_.capacity() / 4, 32));
    }
    tokens_.push_back(std::move(token));
}

void cInfTokenizer::fail(const std::string& message) {
    cursor = static_cast<std::int64_t>(tokens_.size());
    reportInfError(*this, message);
}

void cInfTokenizer::checkDepth(const cInfCharStream::Origin& origin, const std::string& what,
                               bool isInclude) {
    if (isInclude && origin.includeDepth > kMaxIncludeDepth) {
        fail("#include \"" + what + "\" nests more than " + std::to_string(kMaxIncludeDepth) +
             " levels deep: the included files include each other!");
    }
    if (!isInclude && origin.defineDepth > kMaxDefineDepth) {
        fail("#define '" + what + "' expands itself without end (more than " +
             std::to_string(kMaxDefineDepth) + " nested expansions)!");
    }
}

void cInfTokenizer::splice(cInfCharStream::Text text, cInfCharStream::Origin origin,
                           const std::string& what, bool isInclude) {
    checkDepth(origin, what, isInclude);
    splicedBytes_ += text->size();
    if (splicedBytes_ > kMaxSplicedBytes) {
        fail("expansions of " + std::string(isInclude ? "#include \"" : "#define '") + what +
             (isInclude ? "\"" : "'") + " exceed " + std::to_string(kMaxSplicedBytes) +
             " bytes in all: it probably expands itself without end!");
    }
    stream_.splice(std::move(text), origin);
}

void cInfTokenizer::scan(std::string content) {
    stream_ = cInfCharStream(std::move(content));
    splicedBytes_ = 0;
    for (;;) {
        const int c = stream_.get();
        if (c < 0) break;
        switch (c) {
        case '"': scanQuoted(); break;
        case '#': scanDirective(); break;
        case ',': push(cInfToken::punctuation(cInfToken::Comma)); break;
        case '=': push(cInfToken::punctuation(cInfToken::Equal)); break;
        case '{': push(cInfToken::punctuation(cInfToken::BlockStart)); break;
        case '}': push(cInfToken::punctuation(cInfToken::BlockEnd)); break;
        case ';': skipComment(); break;
        case '[': scanSectionName(); break;
        default:
            if ((c >= '0' && c <= '9') || c == '.' || c == '-') {
                scanNumber(c);
            } else if (c <= 0x20 || c >= 0x80) {
                // white space and non-ASCII bytes between tokens
            } else {
                scanWord(c);
            }
            break;
        }
    }
    stream_ = cInfCharStream();
}

void cInfTokenizer::scanQuoted() {
    std::string text;
    for (;;) {
        const int c = stream_.get();
        if (c < 0 || c == '"') break;
        if (c != kLF) text.push_back(static_cast<char>(c));
    }
    push(cInfToken(cInfToken::String, std::move(text)));
}

void cInfTokenizer::skipComment() {
    for (;;) {
        const int c = stream_.get();
        if (c < 0 || c == kCR) break;
    }
}

void cInfTokenizer::scanSectionName() {
    std::string text;
    for (;;) {
        const int c = stream_.get();
        if (c < 0 || c == ']') break;
        text.push_back(static_cast<char>(c));
    }
    auto isBlank = [](char ch) { return static_cast<unsigned char>(ch) <= 0x20; };
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    push(cInfToken(cInfToken::SectionName, text.substr(b, e - b)));
}

void cInfTokenizer::scanNumber(int first) {
    std::string text(1, static_cast<char>(first));
    for (;;) {
        const int c = stream_.peek();
        if (!((c >= '0' && c <= '9') || c == '.')) break;
        text.push_back(static_cast<char>(stream_.get()));
    }
    push(cInfToken::makeNumber(convertNumber(text)));
}

void cInfTokenizer::scanWord(int first) {
    stream_.markOrigin();
    std::string word(1, static_cast<char>(first));
    for (;;) {
        const int c = stream_.peek();
        if (c < 0 || endsWord(c)) break;
        word.push_back(static_cast<char>(stream_.get()));
    }
    std::size_t b = 0, e = word.size();
    while (b < e && isTrimSpace(word[b])) ++b;
    while (e > b && isTrimSpace(word[e - 1])) --e;
    if (b != 0 || e != word.size()) word = word.substr(b, e - b);

    if (cInfDefineTable::Value value = defines_.lookup(word)) {
        cInfCharStream::Origin origin = stream_.markedOrigin();
        origin.defineDepth += 1;
        splice(std::move(value), origin, word, false);
        return;
    }
    push(cInfToken(cInfToken::String, std::move(word)));
}

void cInfTokenizer::scanDirective() {
    std::string word(1, '#');
    for (;;) {
        const int c = stream_.get();
        if (c < 0 || endsDirective(c)) break;
        word.push_back(static_cast<char>(c));
    }
    if (word == "#define") {
        scanDefine();
    } else if (word == "#include") {
        scanInclude();
    }
}

void cInfTokenizer::scanDefine() {
    int c;
    do {
        c = stream_.get();
        if (c < 0) return;
    } while (c < 0x41 || c > 0x7F);

    std::string name(1, static_cast<char>(c));
    for (;;) {
        c = stream_.get();
        if (c < 0 || endsDirective(c)) break;
        name.push_back(static_cast<char>(c));
    }
    for (;;) {
        c = stream_.peek();
        if (c != kCR && c != kTab && c != ' ') break;
        stream_.get();
    }
    std::string value;
    for (;;) {
        c = stream_.peek();
        if (c < 0 || c == ';') break;
        stream_.get();
        if (c == kCR) break;
        value.push_back(static_cast<char>(c));
    }
    defines_.define(name, std::move(value));
}

void cInfTokenizer::scanInclude() {
    int c;
    do {
        c = stream_.get();
        if (c < 0) break;
    } while (c != '"');
    std::string name;
    if (c == '"') {
        for (;;) {
            c = stream_.get();
            if (c < 0 || c == '"') break;
            name.push_back(static_cast<char>(c));
        }
    }
    cInfCharStream::Origin origin = stream_.origin();
    origin.includeDepth += 1;
    // Checked before opening, so a cycle is not read once more.
    checkDepth(origin, name, true);
    cFile file(resolveInfIncludeName(name), cFile::kRead);
    auto text = std::make_shared<const std::string>(readAll(file));
    file.close();
    splice(std::move(text), origin, name, true);
}
