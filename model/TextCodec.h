#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversion between the GBK code page of project and text files and the
// UTF-8 used everywhere in memory (glibc iconv).

// Bytes that are not valid GBK are replaced by U+FFFD so a damaged name never
// stops a file from opening.
std::string gbkToUtf8(std::string_view gbk);
// Characters GBK cannot represent become '?'.
std::string utf8ToGbk(std::string_view utf8);
// Strict forms: nullopt when any byte sequence cannot be converted.
std::optional<std::string> gbkToUtf8Strict(std::string_view gbk);
std::optional<std::string> utf8ToGbkStrict(std::string_view utf8);

// Length in bytes of the UTF-8 sequence a lead byte starts (1 for ASCII and
// for stray continuation bytes).
constexpr std::size_t utf8SequenceLength(unsigned char lead)
{
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}
