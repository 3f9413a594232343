// Conversion between the program's UTF-8 text and code page 932
// (Windows-31J), the encoding of race files on disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// UTF-8 to code page 932. A few characters that input methods here produce
// are stored under the code page's own forms (U+301C WAVE DASH as 0x8160,
// U+2016 as 0x8161, U+2212 as 0x817C, U+00A2, U+00A3, U+00AC as 0x8191,
// 0x8192, 0x81CA, U+2014 as 0x815C). nullopt when the text holds a
// character the code page cannot store and give back, or is not UTF-8.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// Code page 932 to UTF-8. Bytes that do not form a code page 932 character
// become U+FFFD: a lead byte followed by a byte of the trail range stands
// for one character, any other stray byte for one.
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace qv
