#include "inf_parser.h"

#include "inf_parser_report.h"
#include "inf_tokenizer.h"
#include "inf_tree.h"

#include <memory>

void cInfParser::parse(cInfTokenizer& tokens, cInfNode* root) {
    const std::int64_t count = static_cast<std::int64_t>(tokens.size());
    auto tokenAt = [&](std::int64_t i) -> const cInfToken& { return tokens[static_cast<std::size_t>(i)]; };

    cInfNode* current = root;
    bool sectionJustSeen = false;
    tokens.cursor = -1;

    while (tokens.cursor + 1 < count) {
        ++tokens.cursor;
        const cInfToken& token = tokenAt(tokens.cursor);
        switch (token.Type) {
        case cInfToken::BlockStart:
            if (!sectionJustSeen) reportInfError(tokens, "BlockStart '{' without [SectionName] !!!");
            sectionJustSeen = false;
            break;

        case cInfToken::BlockEnd:
            sectionJustSeen = false;
            if (!current->parent()) reportInfError(tokens, "More BlockEnd ('}') than BlockStart('{')!");
            current = current->parent();
            break;

        case cInfToken::SectionName: {
            std::string name(tokens.text(token));
            std::string lookup = infUpperCase(name);
            current = current->addSection(
                std::make_unique<cInfNode>(std::move(name), current, current->analyzer()),
                std::move(lookup));
            sectionJustSeen = true;
            break;
        }

        case cInfToken::String: {
            sectionJustSeen = false;
            auto key = std::make_unique<cInfKey>(std::string(tokens.text(token)));
            if (tokens.cursor + 1 >= count) {
                reportInfError(tokens, "Valoszinuleg nincs bezarva egy idezojel!");
            }
            ++tokens.cursor;  // the separator, whatever its kind
            while (tokens.cursor + 1 < count) {
                ++tokens.cursor;
                const cInfToken& value = tokenAt(tokens.cursor);
                if (value.Type == cInfToken::String) {
                    key->addString(std::string(tokens.text(value)));
                } else if (value.Type == cInfToken::Number) {
                    key->addNumber(value.number);
                } else {
                    reportInfError(tokens, "tok->Type mismatch");
                }
                if (tokens.cursor + 1 < count && tokenAt(tokens.cursor + 1).Type == cInfToken::Comma) {
                    ++tokens.cursor;
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
            reportInfError(tokens, "Egyenlosegjel rossz helyen!");
        case cInfToken::Number:
            sectionJustSeen = false;
            reportInfError(tokens, "Szam rossz helyen!");
        case cInfToken::Comma:
            sectionJustSeen = false;
            reportInfError(tokens, "Vesszo rossz helyen!");
        default:
            break;
        }
    }
}
