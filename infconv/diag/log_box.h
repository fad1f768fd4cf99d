// Message boxes of the log channels. The converter is a console program that
// runs unattended in scripts, so a box is its caption and text on standard
// error; questions are asked only when standard input is a terminal.
#pragma once

#include <string>

// Shows an "ERROR" box. With askBreak, asks the yes/no question the text ends
// with and returns true for Yes; otherwise (or without a terminal) false.
bool showErrorBox(const std::string& text, bool askBreak);
void showWarningBox(const std::string& text);
// Stops in an attached debugger; without one it does nothing.
void raiseDebuggerBreak();
