#pragma once
// Small file helpers shared by the world's readers and writers.
#include <optional>
#include <string>
#include <vector>

// A path pattern with one %s filled with a file name.
std::wstring FillPattern(const std::wstring& pattern, const wchar_t* fileName);
// Lines as the C library's fgets with a buffer of bufferSize gives them: a line longer
// than bufferSize - 1 characters comes in pieces; each piece keeps its '\n'. CR LF
// reads as '\n'. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::wstring& path, size_t bufferSize);
// Writes a text file of a save the way every save writer does (see WriteSaveFileOrFail):
// UTF-8, every '\n' written as CR LF.
void WriteSaveTextFile(const std::wstring& path, const std::wstring& text);
// Splits at ';' dropping empty fields (runs of separators count as one).
std::vector<std::string> SplitTokens(const std::string& line, const char* separators = ";");
// The C library's strtol/strtod semantics: the leading number, 0 when there is none.
int LeadingInt(const std::string& text);
double LeadingDouble(const std::string& text);
int LeadingInt(const std::wstring& text);
double LeadingDouble(const std::wstring& text);
unsigned long LeadingHex(const std::wstring& text);
// A whole number and nothing else (spaces allowed): coordinates must not read as 0 by accident.
bool WholeNumber(const std::string& text, int& out);
bool WholeNumber(const std::wstring& text, int& out);
// Strips a trailing '\n' and '\r'.
std::string StripLineEnd(std::string line);
