// Bytes taken from a file, made safe to put into a message.
#pragma once

#include <string>
#include <string_view>

// Appends `bytes` with every control byte written as an escape: TAB, LF and
// CR as \t, \n, \r, the other bytes 0x00..0x1F, 0x7F..0x9F as \xHH. A NUL no
// longer ends the message early and no terminal control sequence gets
// through (0x80..0x9F covers the 8-bit controls and the second byte of their
// UTF-8 form). Latin-1 letters and backslashes stay as they are, so names and
// Windows paths remain readable.
void appendPrintableBytes(std::string& out, std::string_view bytes);
std::string printableBytes(std::string_view bytes);
