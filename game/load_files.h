#pragma once
// Reading the files of a scenario or a save being loaded.
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::wstring_view kOpenFailed = L"Blad otwarcia pliku! (nie istnieje?)";
inline constexpr std::wstring_view kOpenOk = L"Otwarcie OK";

// Logs the opening line and the path, reads the whole file and logs the OK line. A file that
// cannot be read ends the program with exit code 1 and the fail reason.
std::string ReadLoadFileOrFail(const std::wstring& path, std::wstring_view openingLine,
                               std::wstring_view failReason = kOpenFailed, std::wstring_view okLine = kOpenOk);

// The C library's strtol/strtod semantics: the leading number, 0 when there is none.
int LeadingInt(const std::string& text);
double LeadingDouble(const std::string& text);
int LeadingInt(const std::wstring& text);
double LeadingDouble(const std::wstring& text);
unsigned long LeadingHex(const std::wstring& text);
// The lines of a text split at LF, each without the CR of a CR LF end. A text that ends
// with a line end gives an empty last line, as SplitText does.
std::vector<std::string> SplitLines(std::string_view text);
// Splits at any of the separators, dropping empty fields: runs of separators count as one
// and a line end stays on the last field.
std::vector<std::string> SplitTokens(const std::string& line, const char* separators = ";");
