#include "inf_tokenizer.h"

#include <algorithm>
#include <array>
#include <limits>

#include "cfile.h"
#include "inf_parser_report.h"
#include "inf_scan_bytes.h"
#include "inf_token_number.h"
#include "inf_tokenizer_paths.h"
#include "printable_bytes.h"

namespace {

constexpr int kCR = '\r';
constexpr int kTab = '\t';

using namespace inf_scan;

}  // namespace

cInfTokenizer::cInfTokenizer(std::string fileName, const os::Dir& directory, cInfArena* arena)
    : fileName_(std::move(fileName)),
      directory_(&directory),
      ownArena_(arena ? nullptr : std::make_unique<cInfArena>()),
      arena_(arena ? arena : ownArena_.get()) {}

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

std::string_view cInfTokenizer::text(const cInfToken& token) const {
    if (token.Type == cInfToken::String || token.Type == cInfToken::SectionName) {
        return std::string_view(tokenTexts_).substr(token.textOffset, token.textLength);
    }
    return cInfToken::sign(token.Type);
}

void cInfTokenizer::appendRendering(std::size_t i, std::string& out) const {
    tokens_[i].appendRendering(out, text(tokens_[i]));
}

void cInfTokenizer::push(std::int32_t type, float number) {
    cInfTokenRing::Entry& entry = ring_.open();
    entry.token.Type = type;
    entry.token.number = number;
    ring_.commit();
}

void cInfTokenizer::pushText(std::int32_t type, std::string_view text) {
    textBytes_ += text.size();
    if (textBytes_ > std::numeric_limits<std::uint32_t>::max()) {
        fail("the text is too large (more than 4 GiB of words and strings)!");
    }
    cInfTokenRing::Entry& entry = ring_.open();
    entry.token.Type = type;
    entry.text = arena_->intern(text);
    ring_.commit();
}

void cInfTokenizer::fail(const std::string& message) {
    reportInfError(fileName_, ring_, ring_.total(), message);
}

void cInfTokenizer::checkDepth(const cInfCharStream::Origin& origin, const std::string& what,
                               bool isInclude) {
    if (isInclude && origin.includeDepth > kMaxIncludeDepth) {
        fail("#include \"" + printableBytes(what) + "\" nests more than " +
             std::to_string(kMaxIncludeDepth) +
             " levels deep: the included files include each other!");
    }
    if (!isInclude && origin.defineDepth > kMaxDefineDepth) {
        fail("#define '" + printableBytes(what) + "' expands itself without end (more than " +
             std::to_string(kMaxDefineDepth) + " nested expansions)!");
    }
}

void cInfTokenizer::splice(cInfCharStream::Text text, cInfCharStream::Origin origin,
                           const std::string& what, bool isInclude) {
    checkDepth(origin, what, isInclude);
    splicedBytes_ += text->size();
    if (splicedBytes_ > kMaxSplicedBytes) {
        fail("expansions of " + std::string(isInclude ? "#include \"" : "#define '") +
             printableBytes(what) + (isInclude ? "\"" : "'") + " exceed " +
             std::to_string(kMaxSplicedBytes) +
             " bytes in all: it probably expands itself without end!");
    }
    stream_.splice(std::move(text), origin);
}

void cInfTokenizer::start(std::string content) {
    stream_ = cInfCharStream(std::move(content));
    splicedBytes_ = 0;
}

bool cInfTokenizer::next() {
    const std::int64_t before = ring_.total();
    do {
        // Views into the span stay valid until the stream moves past its end.
        const std::string_view span = stream_.span();
        if (span.empty()) {
            stream_ = cInfCharStream();  // gives the texts back
            return false;
        }
        std::size_t i = 0;
        while (i < span.size() && kBetweenTokens[static_cast<unsigned char>(span[i])]) ++i;
        if (i == span.size()) {
            stream_.advance(i);
            continue;
        }
        const int c = static_cast<unsigned char>(span[i]);
        const bool number = startsNumber(c);
        // A number that ends inside this segment is converted in place; one
        // that reaches its end may run on into the next segment.
        if (number) {
            std::size_t end = i + 1;
            while (end < span.size() && isNumberByte(span[end])) ++end;
            if (end < span.size()) {
                stream_.advance(end);
                push(cInfToken::Number, infNumberValue(span.substr(i, end - i)));
                continue;
            }
        } else if (kStartsWord[static_cast<std::size_t>(c)]) {
            std::size_t end = i + 1;
            while (end < span.size() && !kEndsWord[static_cast<unsigned char>(span[end])]) ++end;
            if (end < span.size()) {
                stream_.markOrigin();
                stream_.advance(end);
                takeWord(trimmedEnd(span.substr(i, end - i)));
                continue;
            }
        } else if (c == '"') {
            // Without a line feed to leave out, the text is the span's bytes.
            const std::size_t close = span.find('"', i + 1);
            if (close != std::string_view::npos) {
                const std::string_view body = span.substr(i + 1, close - i - 1);
                if (body.find('\n') == std::string_view::npos) {
                    stream_.advance(close + 1);
                    pushText(cInfToken::String, body);
                    continue;
                }
            }
        } else if (c == '[') {
            const std::size_t close = span.find(']', i + 1);
            if (close != std::string_view::npos) {
                const std::string_view body = trimmedBlanks(span.substr(i + 1, close - i - 1));
                stream_.advance(close + 1);
                pushText(cInfToken::SectionName, body);
                continue;
            }
        }
        stream_.advance(i + 1);
        switch (c) {
            case '"':
                scanQuoted();
                break;
            case '#':
                scanDirective();
                break;
            case ',':
                push(cInfToken::Comma);
                break;
            case '=':
                push(cInfToken::Equal);
                break;
            case '{':
                push(cInfToken::BlockStart);
                break;
            case '}':
                push(cInfToken::BlockEnd);
                break;
            case ';':
                skipComment();
                break;
            case '[':
                scanSectionName();
                break;
            default:
                if (number) {
                    scanNumber(c);
                } else {
                    scanWord(c);
                }
                break;
        }
    } while (ring_.total() == before);
    return true;
}

void cInfTokenizer::scan(std::string content) {
    start(std::move(content));
    while (next()) {
        const cInfTokenRing::Entry& entry = ring_.last();
        const std::string_view text = cInfTokenRing::text(entry);
        cInfToken token = entry.token;
        token.textOffset = static_cast<std::uint32_t>(tokenTexts_.size());
        token.textLength = static_cast<std::uint32_t>(text.size());
        if (entry.text) tokenTexts_ += text;
        tokens_.push_back(token);
    }
}

void cInfTokenizer::scanQuoted() {
    std::string& out = text_;
    out.clear();
    for (std::string_view span; !(span = stream_.span()).empty();) {
        const std::size_t quote = std::min(span.find('"'), span.size());
        for (std::size_t from = 0; from < quote;) {
            std::size_t lf = std::min(span.find('\n', from), quote);
            out.append(span.data() + from, lf - from);
            from = lf + 1;
        }
        if (quote < span.size()) {
            stream_.advance(quote + 1);
            break;
        }
        stream_.advance(span.size());
    }
    pushText(cInfToken::String, out);
}

void cInfTokenizer::skipComment() {
    for (std::string_view span; !(span = stream_.span()).empty();) {
        const std::size_t cr = span.find('\r');
        if (cr != std::string_view::npos) {
            stream_.advance(cr + 1);
            return;
        }
        stream_.advance(span.size());
    }
}

void cInfTokenizer::scanSectionName() {
    std::string& out = text_;
    out.clear();
    for (std::string_view span; !(span = stream_.span()).empty();) {
        const std::size_t close = span.find(']');
        if (close != std::string_view::npos) {
            out.append(span.data(), close);
            stream_.advance(close + 1);
            break;
        }
        out.append(span);
        stream_.advance(span.size());
    }
    pushText(cInfToken::SectionName, trimmedBlanks(out));
}

void cInfTokenizer::scanNumber(int first) {
    number_.assign(1, static_cast<char>(first));
    for (std::string_view span; !(span = stream_.span()).empty();) {
        std::size_t i = 0;
        while (i < span.size() && isNumberByte(span[i])) ++i;
        number_.append(span.data(), i);
        stream_.advance(i);
        if (i < span.size()) break;
    }
    push(cInfToken::Number, infNumberValue(number_));
}

void cInfTokenizer::scanWord(int first) {
    stream_.markOrigin();
    std::string& out = text_;
    out.assign(1, static_cast<char>(first));
    for (std::string_view span; !(span = stream_.span()).empty();) {
        std::size_t i = 0;
        while (i < span.size() && !kEndsWord[static_cast<unsigned char>(span[i])]) ++i;
        out.append(span.data(), i);
        stream_.advance(i);
        if (i < span.size()) break;
    }
    takeWord(trimmedEnd(out));
}

void cInfTokenizer::takeWord(std::string_view word) {
    if (!defines_.empty()) {
        if (cInfDefineTable::Value value = defines_.lookup(word)) {
            // The word is no token. Copied first: splicing may release its bytes.
            const std::string name(word);
            cInfCharStream::Origin origin = stream_.markedOrigin();
            origin.defineDepth += 1;
            splice(std::move(value), origin, name, false);
            return;
        }
    }
    pushText(cInfToken::String, word);
}

void cInfTokenizer::scanDirective() {
    std::string word(1, '#');
    for (;;) {
        const int c = stream_.get();
        if (c < 0 || kEndsDirective[c]) break;
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
        if (c < 0 || kEndsDirective[c]) break;
        name.push_back(static_cast<char>(c));
    }
    for (;;) {
        c = stream_.peek();
        if (c != kCR && c != kTab && c != ' ') break;
        stream_.advance(1);
    }
    std::string value;
    for (;;) {
        c = stream_.peek();
        if (c < 0 || c == ';') break;
        stream_.advance(1);
        if (c == kCR) break;
        value.push_back(static_cast<char>(c));
    }
    defines_.define(name, std::move(value));
}

void cInfTokenizer::scanInclude() {
    int c;
    do {
        c = stream_.get();
    } while (c >= 0 && c != '"');
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
    cFile file;
    file.openForReadingAt(*directory_, resolveInfIncludeName(name, *directory_));
    included_.push_back(file.identity());
    auto content = std::make_shared<const std::string>(readAll(file));
    file.close();
    splice(std::move(content), origin, name, true);
}
