// Thrown when the INF text cannot be loaded and the error channel did not
// end the process: the load stops at the first error, so nothing is written.
#pragma once

#include "exceptions.h"

#include <string>

class cInfSyntaxException : public cException {
public:
    // `report` is the full text that went to the error channel.
    explicit cInfSyntaxException(const std::string& report)
        : cException("InfSyntaxException", report) {}
};
