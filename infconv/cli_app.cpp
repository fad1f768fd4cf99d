#include "cli_app.h"

#include "cli_tree_converter.h"
#include "exceptions.h"
#include "inf_convert.h"
#include "inf_syntax_exception.h"
#include "printable_bytes.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>

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

void convertNamedFile(const char* path, bool toBinary) {
    convertInfFile(path, toBinary, true, [path] {
        std::fflush(stdout);
        std::fprintf(stderr,
                     "infconv: another conversion of %s is running; waiting for it to end\n",
                     printableBytes(path).c_str());
    });
}

// Returns the exit status of a run that ended normally.
int runCommand(int argc, const char* const* argv) {
    const int args = argc - 1;
    if (args == 0) {
        printUsage();
    } else if (args == 1) {
        const char* arg = argv[1];
        if (isHelpSwitch(arg)) {
            printUsage();
        } else if (std::strcmp(arg, "-b") == 0 || std::strcmp(arg, "-t") == 0) {
            // Files passed by were reported; the status says the tree is not all converted.
            if (cTreeConverter().run(arg[1] == 'b') > 0) return kStatusFileError;
        } else {
            convertNamedFile(arg, true);
        }
    } else if (args == 2) {
        // The first argument is documented as "-t" but never examined.
        convertNamedFile(argv[2], false);
    }
    return kStatusOk;
}

}  // namespace

int runInfconv(int argc, const char* const* argv) {
    std::fputs("INF to BIN converter 2.0 by QRX, modified by Moravel!\n\n", stdout);
    int status = kStatusOk;
    try {
        status = runCommand(argc, argv);
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
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fputs("infconv: not enough memory\n", stderr);
        return kStatusFileError;
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "infconv: %s\n", e.what());
        return kStatusFileError;
    }
    std::fflush(stdout);
    return status;
}
