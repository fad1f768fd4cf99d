// Reports of the INF analyzer through the error channel. When the channel
// does not end the process, the load stops with cInfSyntaxException.
#pragma once

#include <cstdint>
#include <string>

class cInfTokenizer;

// The text of an analyzer error: file name, message, and the tokens around
// the tokenizer's cursor.
std::string buildInfErrorReport(const cInfTokenizer& tokens, const std::string& message);

// Sends the error report to ErrorLog, then throws cInfSyntaxException*.
[[noreturn]] void reportInfError(const cInfTokenizer& tokens, const std::string& message);

// Sends an assertion report to ErrorLog, then throws cInfSyntaxException*.
[[noreturn]] void reportInfAssertion(int line, const std::string& message);
