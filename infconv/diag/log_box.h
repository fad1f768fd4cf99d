// Message boxes of the log channels. This platform has no desktop boxes, so
// the caption and text go to standard error; questions are asked only when
// standard input is a terminal.
#pragma once

#include <string>

// Shows an "ERROR" box. With askBreak, asks the yes/no question the text ends
// with and returns true for Yes; otherwise (or without a terminal) false.
bool showErrorBox(const std::string& text, bool askBreak);
void showWarningBox(const std::string& text);
// Stops in an attached debugger; without one it does nothing.
void raiseDebuggerBreak();
