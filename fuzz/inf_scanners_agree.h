// The two readers of INF text side by side: the direct parser (the fast path
// of a load) and the scanner with its parser (everything else, and every
// error report). Where the direct parser builds a tree, the scanner and
// parser must build the same one without an error; where it declines, the
// scanner and parser do the load and report, so a text they read without an
// error is declined only for a directive ("#").
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "exceptions.h"
#include "inf_direct_parser.h"
#include "inf_parser.h"
#include "inf_parser_report.h"
#include "inf_tokenizer.h"
#include "inf_tree.h"
#include "inf_tree_equal.h"

namespace fuzz {

// Empty when the two agree on `text`, else what differs. #include names are
// looked up in `directory`.
inline std::string scannersDisagree(std::string_view text, const os::Dir& directory) {
    cInfNode direct("Root", nullptr, nullptr);
    const bool directBuilt = parseInfTextDirectly(text, &direct);

    cInfNode full("Root", nullptr, nullptr);
    std::string fullError;
    {
        // The report is kept in the exception, not sent.
        cInfReportDeferral deferral;
        try {
            cInfTokenizer tokens("main.inf", directory, &full.arena());
            tokens.start(std::string(text));
            cInfParser::parse(tokens, &full);
        } catch (cException* e) {
            std::unique_ptr<cException> owned(e);
            fullError = owned->message().empty() ? "(no message)" : owned->message();
        }
    }
    if (directBuilt && !fullError.empty())
        return "the direct parser built a tree where the scanner and parser refuse: " + fullError;
    if (directBuilt && !sameTree(direct, full))
        return "the direct parser and the scanner and parser built different trees";
    if (!directBuilt && fullError.empty() && text.find('#') == std::string_view::npos)
        return "the direct parser declined a text without directives that the scanner and parser "
               "read";
    return {};
}

}  // namespace fuzz
