#pragma once
// 8-bit texts of the suite. Every text the suite stores (library files, INI files, the
// project database, the browser profile) is Windows-1252; core keeps those bytes in
// std::string and only the edges (the command line, the UI) convert to UTF-8.
// Upper-casing is one table, used everywhere a rule says "upper case" or "without regard
// to case".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// The info-text field separator of library objects.
inline constexpr char kFieldSeparator = '\x80';

// Windows-1252 upper case of one byte (a-z, the accented letters, and the few letters
// above 0x80 that have an upper-case partner). Everything else maps to itself.
char UpperChar(char c) noexcept;
const std::uint8_t* UpperTable() noexcept; // 256 entries, for hot loops

std::string UpperCase(std::string_view text);
void UpperCaseInPlace(std::string& text) noexcept;
bool EqualsNoCase(std::string_view a, std::string_view b) noexcept;

// Removes leading and trailing blanks (the space character only, as the suite's
// run time does; a TAB is kept).
std::string_view Trim(std::string_view text) noexcept;
std::string_view TrimLeft(std::string_view text) noexcept;
std::string_view TrimRight(std::string_view text) noexcept;

// How many line ends a text holds: LF, CR LF and a CR alone are one each, as the suite's
// files and the tool's sources end their lines.
std::size_t CountLineEnds(std::string_view text) noexcept;

// Splits at every occurrence of the separator; always at least one piece, empty pieces
// count ("a,,b" gives three). The views refer into text.
std::vector<std::string_view> SplitAt(std::string_view text, char separator);

// Windows-1252 <-> UTF-8. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number.
std::string Cp1252ToUtf8(std::string_view bytes);
// The same, appended to out (no allocation for a text that fits).
void AppendCp1252AsUtf8(std::string& out, std::string_view bytes);

// The UTF-8 character at offset: answers its length in bytes and sets codePoint, or
// answers 0 when the text is not well-formed UTF-8 there (a stray or cut-off byte, an
// overlong form, a surrogate half, a code point past U+10FFFF).
std::size_t DecodeUtf8(std::string_view text, std::size_t offset, char32_t& codePoint) noexcept;

// Appends a code point below U+10000 in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// The Windows-1252 byte of a code point, or nullopt when Windows-1252 has none.
std::optional<char> Cp1252Byte(char32_t codePoint) noexcept;

// Converts UTF-8 to Windows-1252. On a character that Windows-1252 cannot hold, or on
// malformed UTF-8, answers nullopt and, when badOffset is given, the byte offset of the
// offending character in the input.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8, std::size_t* badOffset = nullptr);

// A UTF-8 text as a terminal may show it: every control character written as an escape,
// so a name taken from a file cannot move the cursor, recolour or clear the screen. C0
// controls and DEL become "\x1B", the C1 controls (U+0080 to U+009F) "\u009B", a byte
// that is not UTF-8 "\xFF". keepLayout keeps line feeds and TABs (a whole output, whose
// lines and columns they make); without it they are escaped too (one name, one line).
std::string EscapeControls(std::string_view utf8, bool keepLayout = false);

// The numeric value at the start of a text: optional blanks, an optional sign, then a
// decimal number with an optional fraction and exponent ("  -1.5e3xyz" gives -1500);
// whatever follows is ignored. A text that does not start with a number gives 0. A number
// too large for a double gives plus or minus infinity, one too small gives 0, so a caller
// that converts the value to a whole number must check its range first.
double LeadingNumber(std::string_view text) noexcept;

// Decimal text of a whole number, as the suite writes numbers (no blanks, "-" for
// negatives).
std::string DecimalText(long long value);

} // namespace k2k
