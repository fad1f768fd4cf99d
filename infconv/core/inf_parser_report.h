// Reports of the INF analyzer through the error channel. When the channel
// does not end the process, the load stops with cInfSyntaxException.
#pragma once

#include <cstdint>
#include <string>

class cInfTokenRing;

// Tokens the report shows on either side of the failing one.
constexpr std::int64_t kInfReportContext = 10;

// The text of an analyzer error: file name, message, and the tokens around
// token number `cursor`. The ring must still hold those tokens: the ten from
// max(cursor - 10, 0) on, and the ten from `cursor` on as far as scanned.
std::string buildInfErrorReport(const std::string& fileName, const cInfTokenRing& tokens,
                                std::int64_t cursor, const std::string& message);

// Sends a report built by buildInfErrorReport to ErrorLog, then throws
// cInfSyntaxException*.
[[noreturn]] void sendInfErrorReport(const std::string& report);

// buildInfErrorReport, then sendInfErrorReport.
[[noreturn]] void reportInfError(const std::string& fileName, const cInfTokenRing& tokens,
                                 std::int64_t cursor, const std::string& message);

// Sends an assertion report to ErrorLog, then throws cInfSyntaxException*.
[[noreturn]] void reportInfAssertion(int line, const std::string& message);

// While one lives, the reports above made on its thread are not sent: the
// cInfSyntaxException* they throw holds the report, which sendPendingInfReport
// sends later, on the thread that may let the error channel end the process
// (a load on a worker thread must not end it while other files are half done).
class cInfReportDeferral {
  public:
    cInfReportDeferral();
    ~cInfReportDeferral();
    cInfReportDeferral(const cInfReportDeferral&) = delete;
    cInfReportDeferral& operator=(const cInfReportDeferral&) = delete;

  private:
    bool m_previous;
};

class cInfSyntaxException;
// Sends a report held back by cInfReportDeferral as it would have been sent,
// then throws cInfSyntaxException* (when the channel does not end the process).
[[noreturn]] void sendPendingInfReport(const cInfSyntaxException& held);
