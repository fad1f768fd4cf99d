// The direct parser against the scanner and parser on arbitrary bytes: the
// same tree, or the direct parser declines (see inf_scanners_agree.h); and
// text to binary without the tree against the tree's encoder (see
// inf_stream_agrees.h).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "inf_scanners_agree.h"
#include "inf_stream_agrees.h"
#include "quiet_error_log.h"
#include "scratch_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quietErrorLog();
    // #include names are looked up in a directory with nothing to include
    // but this one file, which includes itself.
    static const os::Dir directory = [] {
        fuzz::writeScratchFile("main.inf", "[S]\r\n");
        return os::Dir::open(os::currentDir(), fuzz::scratchDir(), true);
    }();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string difference = fuzz::scannersDisagree(text, directory);
    if (difference.empty()) difference = fuzz::streamDisagrees(text, fuzz::streamedBinary(text));
    if (!difference.empty()) {
        std::fprintf(stderr, "%s\n", difference.c_str());
        std::abort();
    }
    return 0;
}
