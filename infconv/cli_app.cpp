#include "cli_app.h"

#include "cli_tree_converter.h"
#include "exceptions.h"
#include "inf_convert.h"
#include "inf_syntax_exception.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

namespace {

void printUsage() {
    std::fputs("Usage:\n", stdout);
    std::fputs("Full directory converting to binary: -b\n", stdout);
    std::fputs("Full directory converting to text: -t\n", stdout);
    std::fputs("Converting a file to binary: filename\n", stdout);
    std::fputs("Converting a file to text: -t filename\n", stdout);
}

bool isHelpSwitch(const char* arg) {
    for (const char* help : {"-H", "-h", "/H", "/h", "/?"})
        if (std::strcmp(arg, help) == 0) return true;
    return false;
}

void runCommand(int argc, const char* const* argv) {
    const int args = argc - 1;
    if (args == 0) {
        printUsage();
    } else if (args == 1) {
        const char* arg = argv[1];
        if (isHelpSwitch(arg))
            printUsage();
        else if (std::strcmp(arg, "-b") == 0)
            cTreeConverter().run(true);
        else if (std::strcmp(arg, "-t") == 0)
            cTreeConverter().run(false);
        else
            convertInfFile(arg, true);
    } else if (args == 2) {
        // The first argument is documented as "-t" but never examined.
        convertInfFile(argv[2], false);
    }
}

}  // namespace

int runInfconv(int argc, const char* const* argv) {
    std::fputs("INF to BIN converter 2.0 by QRX, modified by Moravel!\n\n", stdout);
    try {
        runCommand(argc, argv);
    } catch (cInfSyntaxException* e) {
        // The report went through the error channel already (or was switched off).
        std::unique_ptr<cException> owned(e);
        std::fflush(stdout);
        return kStatusReportedError;
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", owned->message().c_str());
        return kStatusFileError;
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "infconv: %s\n", e.what());
        return kStatusFileError;
    }
    std::fflush(stdout);
    return kStatusOk;
}
