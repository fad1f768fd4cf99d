#include "inf_parser.h"

#include "inf_parser_report.h"
#include "inf_tokenizer.h"
#include "inf_tree.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The parser's position in the token stream: token number `cursor` is the
// one being handled, the scanner runs at most one token ahead.
class TokenFeed {
public:
    explicit TokenFeed(cInfTokenizer& tokens) : tokens_(tokens), ring_(tokens.ring()) {}

    // Whether a token follows the cursor (scanning it when needed).
    bool hasNext() { return cursor + 1 < ring_.total() || tokens_.next(); }
    const cInfTokenRing::Entry& current() const { return ring_.at(cursor); }
    // Type of the token after the cursor; only after hasNext() said yes.
    std::int32_t nextType() const { return ring_.at(cursor + 1).token.Type; }

    // Ends the parse with the error at the cursor. The scanner errors of the
    // whole text win over a parser error, so the rest is scanned first; the
    // report, with the ten tokens from the cursor on, is built on the way.
    [[noreturn]] void fail(const std::string& message) {
        while (ring_.total() < cursor + kInfReportContext && tokens_.next()) {
        }
        const std::string report = buildInfErrorReport(tokens_.fileName(), ring_, cursor, message);
        while (tokens_.next()) {
        }
        sendInfErrorReport(report);
    }

    std::int64_t cursor = -1;

private:
    cInfTokenizer& tokens_;
    const cInfTokenRing& ring_;
};

// The values of the key being read, gathered first so that the key's block
// is allocated once at its final size instead of regrowing value by value.
// Past a bound the gathered ones are handed over and the rest go straight to
// the key, so the gathering stays small.
class PendingValues {
public:
    static constexpr std::size_t kMaxValues = 1024;
    static constexpr std::size_t kMaxTextBytes = std::size_t{1} << 16;

    void addString(cInfKey& key, std::string_view text) {
        if (gathering_ &&
            (values_.size() >= kMaxValues || texts_.size() + text.size() > kMaxTextBytes)) {
            handOver(key);
        }
        if (!gathering_) {
            key.addString(text);
            return;
        }
        values_.push_back(Value{0.0f, static_cast<std::uint32_t>(texts_.size()),
                                static_cast<std::uint32_t>(text.size()), false});
        texts_ += text;
    }
    void addNumber(cInfKey& key, float number) {
        if (gathering_ && values_.size() >= kMaxValues) handOver(key);
        if (!gathering_) {
            key.addNumber(number);
            return;
        }
        values_.push_back(Value{number, 0, 0, true});
    }
    // After the key's last value: the next key is gathered again.
    void finish(cInfKey& key) {
        if (gathering_) handOver(key);
        gathering_ = true;
    }

private:
    struct Value {
        float number;
        std::uint32_t offset;
        std::uint32_t length;
        bool isNumber;
    };

    void handOver(cInfKey& key) {
        key.reserveValues(values_.size(), texts_.size());
        for (const Value& value : values_) {
            if (value.isNumber) {
                key.addNumber(value.number);
            } else {
                key.addString(std::string_view(texts_).substr(value.offset, value.length));
            }
        }
        values_.clear();
        texts_.clear();
        gathering_ = false;
    }

    std::vector<Value> values_;
    std::string texts_;
    bool gathering_ = true;
};

}  // namespace

void cInfParser::parse(cInfTokenizer& tokens, cInfNode* root) {
    TokenFeed feed(tokens);
    cInfNode* current = root;
    bool sectionJustSeen = false;
    PendingValues pending;

    while (feed.hasNext()) {
        ++feed.cursor;
        const cInfTokenRing::Entry& token = feed.current();
        switch (token.token.Type) {
        case cInfToken::BlockStart:
            if (!sectionJustSeen) feed.fail("BlockStart '{' without [SectionName] !!!");
            sectionJustSeen = false;
            break;

        case cInfToken::BlockEnd:
            sectionJustSeen = false;
            if (!current->parent()) feed.fail("More BlockEnd ('}') than BlockStart('{')!");
            current = current->parent();
            break;

        case cInfToken::SectionName: {
            current = current->addSection(
                std::make_unique<cInfNode>(token.text, current, current->analyzer()));
            sectionJustSeen = true;
            break;
        }

        case cInfToken::String: {
            sectionJustSeen = false;
            // Copied before the scanner moves on; the ring entry is reused later.
            auto key = std::make_unique<cInfKey>(token.text);
            if (!feed.hasNext()) feed.fail("Valoszinuleg nincs bezarva egy idezojel!");
            ++feed.cursor;  // the separator, whatever its kind
            while (feed.hasNext()) {
                ++feed.cursor;
                const cInfTokenRing::Entry& value = feed.current();
                if (value.token.Type == cInfToken::String) {
                    pending.addString(*key, value.text);
                } else if (value.token.Type == cInfToken::Number) {
                    pending.addNumber(*key, value.token.number);
                } else {
                    feed.fail("tok->Type mismatch");
                }
                if (feed.hasNext() && feed.nextType() == cInfToken::Comma) {
                    ++feed.cursor;
                } else {
                    break;
                }
            }
            pending.finish(*key);
            current->addKey(std::move(key));
            break;
        }

        case cInfToken::Equal:
            sectionJustSeen = false;
            feed.fail("Egyenlosegjel rossz helyen!");
        case cInfToken::Number:
            sectionJustSeen = false;
            feed.fail("Szam rossz helyen!");
        case cInfToken::Comma:
            sectionJustSeen = false;
            feed.fail("Vesszo rossz helyen!");
        default:
            break;
        }
    }
}
