#pragma once
// The one printf-style formatter of wide texts. Formats often come from data (the
// language table), so it is typed and bounded: a placeholder whose argument is missing
// or of the wrong kind is written as "<?%spec>" instead of reading garbage.
//
// In a format: %s, %ls and %lS take a wide string; %S and %hs a narrow (UTF-8) one;
// %i %d %u %x %X %c %f %e %g with flags (- + space 0), width, precision and '*' are
// understood; %% is a percent sign.
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

struct sFormatArg
{
    enum class eKind { Int, Unsigned, Double, Wide, Narrow, Char };
    eKind kind;
    long long i = 0;
    unsigned long long u = 0;
    double d = 0.0;
    std::wstring_view w;
    std::string_view n;

    sFormatArg(int v) : kind(eKind::Int), i(v) {}
    sFormatArg(long v) : kind(eKind::Int), i(v) {}
    sFormatArg(long long v) : kind(eKind::Int), i(v) {}
    sFormatArg(short v) : kind(eKind::Int), i(v) {}
    sFormatArg(signed char v) : kind(eKind::Int), i(v) {}
    sFormatArg(unsigned char v) : kind(eKind::Unsigned), u(v) {}
    sFormatArg(unsigned short v) : kind(eKind::Unsigned), u(v) {}
    sFormatArg(unsigned v) : kind(eKind::Unsigned), u(v) {}
    sFormatArg(unsigned long v) : kind(eKind::Unsigned), u(v) {}
    sFormatArg(unsigned long long v) : kind(eKind::Unsigned), u(v) {}
    sFormatArg(bool v) : kind(eKind::Int), i(v ? 1 : 0) {}
    sFormatArg(float v) : kind(eKind::Double), d(v) {}
    sFormatArg(double v) : kind(eKind::Double), d(v) {}
    sFormatArg(wchar_t v) : kind(eKind::Char), i(static_cast<long long>(v)) {}
    sFormatArg(char v) : kind(eKind::Char), i(static_cast<unsigned char>(v)) {}
    sFormatArg(const wchar_t* v) : kind(eKind::Wide), w(v ? std::wstring_view(v) : std::wstring_view(L"(null)")) {}
    sFormatArg(const std::wstring& v) : kind(eKind::Wide), w(v) {}
    sFormatArg(std::wstring_view v) : kind(eKind::Wide), w(v) {}
    sFormatArg(const char* v) : kind(eKind::Narrow), n(v ? std::string_view(v) : std::string_view("(null)")) {}
    sFormatArg(const std::string& v) : kind(eKind::Narrow), n(v) {}
    sFormatArg(std::string_view v) : kind(eKind::Narrow), n(v) {}
};

// Formats with an explicit argument list; never throws, never reads past the arguments.
std::wstring FormatArgs(std::wstring_view format, const std::vector<sFormatArg>& args);
// True when every placeholder of the format has an argument of a fitting kind.
bool FormatMatches(std::wstring_view format, const std::vector<sFormatArg>& args);
// Number of arguments the format's placeholders take ('*' widths count).
int CountFormatArgs(std::wstring_view format);

template <typename... Args>
std::wstring FormatText(std::wstring_view format, const Args&... args)
{
    return FormatArgs(format, std::vector<sFormatArg>{sFormatArg(args)...});
}
