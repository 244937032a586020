#pragma once
// Conversions between the program's wide texts and the encodings of its files:
// UTF-8 for 8-bit data files, UTF-16LE for the files the design fixes as 16-bit.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// UTF-8 to wide. Bytes that are not valid UTF-8 are taken as Latin-1, one character each,
// so that a file saved in an old 8-bit code page still reads as something sensible.
std::wstring Utf8ToWide(std::string_view text);
// Wide to UTF-8. Lone surrogates and values beyond U+10FFFF become U+FFFD.
std::string WideToUtf8(std::wstring_view text);

// Wide text as UTF-16 code units, and back (surrogate pairs joined where wchar_t is 32-bit).
std::u16string WideToUtf16(std::wstring_view text);
std::wstring Utf16ToWide(std::u16string_view text);

// UTF-16LE bytes, and back. An odd trailing byte is dropped.
std::string Utf16ToLEBytes(std::u16string_view text);
std::u16string LEBytesToUtf16(std::string_view bytes);

// Little-endian integer reads from a byte buffer; callers check the bounds first.
inline uint16_t ReadLE16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t ReadLE32(const unsigned char* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
void AppendLE16(std::string& out, uint16_t v);
void AppendLE32(std::string& out, uint32_t v);
void AppendLE64(std::string& out, uint64_t v);

// ASCII-only case folding and trimming; used for keys, never for player texts.
std::string ToLowerAscii(std::string_view text);
std::wstring ToLowerAscii(std::wstring_view text);
std::string TrimSpaces(std::string_view text);
std::wstring TrimSpaces(std::wstring_view text);

// Splits at every separator character; empty pieces are kept.
std::vector<std::wstring> SplitText(std::wstring_view text, wchar_t separator);
std::vector<std::string> SplitText(std::string_view text, char separator);

// Whole-text number parsing in the "C" locale. False when the text is not a number
// or does not fit; leading and trailing spaces are allowed.
bool ParseInt(std::wstring_view text, int& out);
bool ParseInt(std::string_view text, int& out);
bool ParseInt64(std::wstring_view text, int64_t& out);
bool ParseDouble(std::wstring_view text, double& out);
bool ParseDouble(std::string_view text, double& out);

// A number cut to a whole one. A number beyond an int has no int to become (the conversion
// is undefined): the nearer end is kept, and nan gives 0.
int TruncateToInt(double v);

// The C library's atoi semantics (leading spaces and sign, stop at the first non-digit,
// 0 when there is no number), saturated instead of overflowing.
int AtoiLike(std::string_view text);

// Numbers written in the "C" locale.
std::wstring IntToText(long long value);
std::wstring DoubleToText(double value, int decimals);
// The shortest text that reads back as exactly the same number: what a save writes.
std::wstring ExactNumberText(double value);
std::wstring ExactNumberText(float value);
