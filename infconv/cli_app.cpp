#include "cli_app.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <new>

#include "cli_tree_converter.h"
#include "exceptions.h"
#include "inf_convert.h"
#include "inf_syntax_exception.h"
#include "printable_bytes.h"

namespace {

void printUsage() {
    std::fputs("Usage:\n", stdout);
    std::fputs("Full directory converting to binary: -b\n", stdout);
    std::fputs("Full directory converting to text: -t\n", stdout);
    std::fputs("Full directory converting on N threads: -b -j N or -b -jN (-t likewise)\n", stdout);
    std::fputs("Converting a file to binary: filename\n", stdout);
    std::fputs("Converting a file to text: -t filename\n", stdout);
}

bool isTreeSwitch(const char* arg) {
    return std::strcmp(arg, "-b") == 0 || std::strcmp(arg, "-t") == 0;
}

// The N of "-j N": 1 to 1024 threads.
bool parseJobs(const char* text, unsigned& jobs) {
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-' || value < 1 || value > 1024)
        return false;
    jobs = static_cast<unsigned>(value);
    return true;
}

// Converts the tree; returns the exit status of a walk that ended normally.
int convertTree(bool toBinary, unsigned jobs) {
    // Files passed by were reported; the status says the tree is not all converted.
    return cTreeConverter(stdout, stderr, jobs).run(toBinary) > 0 ? kStatusFileError : kStatusOk;
}

// "-j N" is two arguments, "-jN" one; a thread count we cannot use must not
// pass for a walk that found nothing.
int convertTreeOnJobs(bool toBinary, const char* jobsText) {
    unsigned jobs = 0;
    if (jobsText && parseJobs(jobsText, jobs)) return convertTree(toBinary, jobs);
    if (jobsText) {
        std::fprintf(stderr, "infconv: -j needs a number of threads from 1 to 1024, not '%s'\n",
                     jobsText);
    } else {
        std::fputs("infconv: -j needs a number of threads from 1 to 1024 (-j N or -jN)\n", stderr);
    }
    return kStatusFileError;
}

bool startsWithJobsSwitch(const char* arg) {
    return std::strncmp(arg, "-j", 2) == 0;
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
        } else if (isTreeSwitch(arg)) {
            return convertTree(arg[1] == 'b', 0);
        } else {
            convertNamedFile(arg, true);
        }
    } else if (args == 2) {
        // "-b -jN" and "-t -jN" (or a bare "-j") are the thread option; any
        // other first argument is documented as "-t" but never examined.
        if (isTreeSwitch(argv[1]) && startsWithJobsSwitch(argv[2])) {
            const char* count = argv[2] + 2;
            return convertTreeOnJobs(argv[1][1] == 'b', *count ? count : nullptr);
        }
        convertNamedFile(argv[2], false);
    } else if (args == 3) {
        // "-b -j N" and "-t -j N"; any other three arguments do nothing, as before.
        if (isTreeSwitch(argv[1]) && std::strcmp(argv[2], "-j") == 0)
            return convertTreeOnJobs(argv[1][1] == 'b', argv[3]);
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
