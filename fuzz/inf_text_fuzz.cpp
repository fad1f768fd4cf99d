// The INF text analyzer on arbitrary bytes. The input is the main file; the
// part after a line "--8<--" (if any) becomes "inc.inf" beside it, so
// `#include "inc.inf"` (and "main.inf", which includes itself) reach real
// files in the scratch directory. A tree that loads must survive the binary
// writer and reader unchanged, and the text writer must not fail. The
// conversion to binary (which skips the tree where it can) must give the
// tree's bytes, or the message the tree path gives.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "binary_inf.h"
#include "exceptions.h"
#include "inf_analyzer.h"
#include "inf_convert.h"
#include "inf_tree_equal.h"
#include "quiet_error_log.h"
#include "scratch_dir.h"
#include "string_table.h"
#include "text_inf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quietErrorLog();

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view kCut = "\n--8<--\n";
    const std::size_t cut = input.find(kCut);
    const std::string mainText(input.substr(0, cut));
    const std::string mainPath = fuzz::writeScratchFile("main.inf", mainText);
    if (cut != std::string_view::npos)
        fuzz::writeScratchFile("inc.inf", std::string(input.substr(cut + kCut.size())));
    else
        fuzz::removeScratchFile("inc.inf");

    const auto convertsTo = [&mainPath](const std::string& expected) {
        std::string outcome;
        try {
            outcome = "bytes " + convertInfContent(mainPath, true).bytes();
        } catch (cException* e) {
            std::unique_ptr<cException> owned(e);
            outcome = "message " + owned->message();
        }
        if (outcome != expected) std::abort();
    };

    std::unique_ptr<InfAnalyzer> analyzer;
    try {
        analyzer = std::make_unique<InfAnalyzer>(mainPath);
    } catch (cException* e) {
        // Syntax and file errors are expected outcomes; they must be well formed.
        std::unique_ptr<cException> owned(e);
        if (owned->message().empty()) std::abort();
        convertsTo("message " + owned->message());
        return 0;
    }

    try {
        (void)text_inf_writer::render(*analyzer->getRoot(), mainPath);
    } catch (cException* e) {
        delete e;  // nesting beyond the writers' bound is refused, not written
    }

    cStringTable strings;
    std::string binary;
    try {
        binary = binary_inf::encode(*analyzer->getRoot(), strings, mainPath);
    } catch (cException* e) {
        // Refused for the format's limits: fine, as long as it is refused.
        std::unique_ptr<cException> owned(e);
        convertsTo("message " + owned->message());
        return 0;
    }
    convertsTo("bytes " + binary);
    cStringTable readStrings;
    std::unique_ptr<cInfNode> back;
    try {
        back = binary_inf::decode(binary, readStrings, nullptr, mainPath);
    } catch (cException* e) {
        delete e;
        std::abort();  // the writer produced something its reader refuses
    }
    if (!fuzz::sameTree(*analyzer->getRoot(), *back)) std::abort();
    return 0;
}
