// Thrown when the INF text cannot be loaded and the error channel did not
// end the process: the load stops at the first error, so nothing is written.
#pragma once

#include <string>

#include "exceptions.h"

class cInfSyntaxException : public cException {
  public:
    // `report` is the full text that went to the error channel.
    explicit cInfSyntaxException(const std::string& report)
        : cException("InfSyntaxException", report) {}

    // A report that has not gone to the error channel yet (see
    // cInfReportDeferral): its format, line and text, as the channel takes them.
    struct Pending {
        const char* format = nullptr;
        int line = 0;
        std::string text;
    };
    cInfSyntaxException(const std::string& report, Pending pending)
        : cException("InfSyntaxException", report), m_pending(std::move(pending)) {}
    bool sent() const { return m_pending.format == nullptr; }
    const Pending& pending() const { return m_pending; }

  private:
    Pending m_pending;
};
