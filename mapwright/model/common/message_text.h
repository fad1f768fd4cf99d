#pragma once
// The bytes of a message. The design and project files' texts are Latin-1;
// file names are UTF-8 (as Linux gives them and as the Windows platform
// layer makes them); one message may quote both.
//
// printableBytes() (errors.h) keeps a well-formed UTF-8 character as it is,
// so a name in any script reads as the user wrote it, and a byte 0xA0..0xFF
// outside one as a Latin-1 letter. TAB, LF and CR become \t, \n, \r; every
// other byte 0x00..0x1F, 0x7F and 0x80..0x9F (an 8-bit control, or a byte
// of a broken UTF-8 sequence) \xHH, and so do both bytes of an 8-bit
// control written as UTF-8; line separators and bidirectional controls
// become \uHHHH. A NUL no longer cuts a message short and no terminal
// control sequence gets through.

#include <cstddef>
#include <string>
#include <string_view>

namespace mw {

/// The length of the well-formed UTF-8 character of two to four bytes that
/// `text` begins with; 0 when it begins with none (ASCII, a Latin-1 letter,
/// a broken, overlong or surrogate sequence).
std::size_t utf8SequenceLength(std::string_view text);

/// A message as UTF-8, for a terminal or a window: each well-formed UTF-8
/// character stays as it is, every other byte is read as Latin-1.
std::string messageUtf8(std::string_view message);

}  // namespace mw
