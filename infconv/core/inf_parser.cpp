#include "inf_parser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "inf_parser_report.h"
#include "inf_tokenizer.h"
#include "inf_tree.h"

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

// The values of the key being read, gathered first so that the key's slots
// are allocated once at their final size instead of regrowing value by value.
class PendingValues {
  public:
    void addString(const cInfString* text) { m_values.push_back({text, 0.0f}); }
    void addNumber(float number) { m_values.push_back({nullptr, number}); }
    // After the key's last value: hands them over and starts afresh.
    void finish(cInfKey& key) {
        key.reserveValues(m_values.size());
        for (const Value& value : m_values) {
            if (value.text) {
                key.addString(value.text);
            } else {
                key.addNumber(value.number);
            }
        }
        m_values.clear();
    }

  private:
    struct Value {
        const cInfString* text;  // null for a number
        float number;
    };
    std::vector<Value> m_values;
};

}  // namespace

void cInfParser::parse(cInfTokenizer& tokens, cInfNode* root) {
    TokenFeed feed(tokens);
    cInfNode* current = root;
    // Every name and text is interned once, by the scanner; one interned in
    // another arena than the tree's is taken over by its text.
    cInfArena& arena = root->arena();
    const auto own = [&arena](const cInfString* text) {
        return text->arenaSerial() == arena.serial() ? text : arena.intern(text->view());
    };
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
                current = current->addSection(own(token.text));
                sectionJustSeen = true;
                break;
            }

            case cInfToken::String: {
                sectionJustSeen = false;
                // Interned before the scanner moves on; the ring entry is reused later.
                const cInfString* name = own(token.text);
                if (!feed.hasNext()) feed.fail("Valoszinuleg nincs bezarva egy idezojel!");
                ++feed.cursor;  // the separator, whatever its kind
                while (feed.hasNext()) {
                    ++feed.cursor;
                    const cInfTokenRing::Entry& value = feed.current();
                    if (value.token.Type == cInfToken::String) {
                        pending.addString(own(value.text));
                    } else if (value.token.Type == cInfToken::Number) {
                        pending.addNumber(value.token.number);
                    } else {
                        feed.fail("tok->Type mismatch");
                    }
                    if (feed.hasNext() && feed.nextType() == cInfToken::Comma) {
                        ++feed.cursor;
                    } else {
                        break;
                    }
                }
                pending.finish(*current->addKey(name));
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
