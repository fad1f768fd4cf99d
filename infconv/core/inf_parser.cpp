#include "inf_parser.h"

#include "inf_parser_report.h"
#include "inf_tokenizer.h"
#include "inf_tree.h"

#include <memory>

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

}  // namespace

void cInfParser::parse(cInfTokenizer& tokens, cInfNode* root) {
    TokenFeed feed(tokens);
    cInfNode* current = root;
    bool sectionJustSeen = false;

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
            std::string lookup = infUpperCase(token.text);
            current = current->addSection(
                std::make_unique<cInfNode>(token.text, current, current->analyzer()),
                std::move(lookup));
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
                    key->addString(value.text);
                } else if (value.token.Type == cInfToken::Number) {
                    key->addNumber(value.token.number);
                } else {
                    feed.fail("tok->Type mismatch");
                }
                if (feed.hasNext() && feed.nextType() == cInfToken::Comma) {
                    ++feed.cursor;
                } else {
                    break;
                }
            }
            std::string lookup = infUpperCase(key->name());
            current->addKey(std::move(key), std::move(lookup));
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
