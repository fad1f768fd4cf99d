// The converter's command: banner, usage, single-file and tree conversion.
#pragma once

// Exit statuses of a run.
enum InfconvStatus : int {
    kStatusOk = 0,
    kStatusReportedError = 1,  // the error channel ended the run (see log.h)
    kStatusFileError =
        2,  // a file error left a conversion, the walk passed files by, or -j N was unusable
};

// Runs the command line (the log channels must exist already). Returns the
// exit status; output goes to standard output, errors to standard error.
int runInfconv(int argc, const char* const* argv);
