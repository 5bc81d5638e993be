#pragma once

#include <string>
#include <string_view>

// Lossless conversion between the GBK bytes of project-file strings and the
// UTF-8 held in memory.
//
// Every valid GBK character becomes its Unicode character, and goes back to
// the same bytes. A byte that is not part of a valid GBK character (a damaged
// name, a user-defined character the system code page does not map) is kept as
// the private-use character U+10FE00 + byte, so it too is written back
// unchanged: reading and writing a project never alters a name. Characters
// that GBK cannot represent (typed in by the user) are written as '?', as the
// system code page would.
namespace archive_text {

std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

// The private-use character that stands for an undecodable byte (0x80–0xFF).
constexpr char32_t kRawByteBase = 0x10FE00;

} // namespace archive_text
