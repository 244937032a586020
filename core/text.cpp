#include "core/text.h"

#include <cerrno>
#include <cmath>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

void AppendWide(std::wstring& out, uint32_t cp)
{
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(wchar_t(0xD800 + (cp >> 10)));
            out.push_back(wchar_t(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(wchar_t(cp));
}

// Reads one code point from wide text at i (joining surrogate pairs), advancing i.
uint32_t NextWide(std::wstring_view text, size_t& i)
{
    uint32_t c = uint32_t(text[i++]);
    if (c >= 0xD800 && c <= 0xDBFF && i < text.size()) {
        uint32_t d = uint32_t(text[i]);
        if (d >= 0xDC00 && d <= 0xDFFF) {
            ++i;
            return 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
        }
    }
    return c;
}

bool IsSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

template <typename Str, typename View>
Str TrimImpl(View text)
{
    size_t b = 0, e = text.size();
    while (b < e && IsSpace(int(text[b])))
        ++b;
    while (e > b && IsSpace(int(text[e - 1])))
        --e;
    return Str(text.substr(b, e - b));
}

template <typename Str, typename View, typename Ch>
std::vector<Str> SplitImpl(View text, Ch sep)
{
    std::vector<Str> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == sep) {
            parts.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string NarrowAscii(std::wstring_view text, bool& ok)
{
    std::string out;
    out.reserve(text.size());
    ok = true;
    for (wchar_t c : text) {
        if (uint32_t(c) > 127) {
            ok = false;
            return {};
        }
        out.push_back(char(c));
    }
    return out;
}

} // namespace

std::wstring Utf8ToWide(std::string_view s)
{
    std::wstring out;
    out.reserve(s.size());
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(wchar_t(c));
            ++i;
            continue;
        }
        int len = 0;
        uint32_t cp = 0, minimum = 0;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
            minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
            minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
            minimum = 0x10000;
        }
        bool valid = len > 0 && i + len <= n;
        for (int k = 1; valid && k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                valid = false;
            else
                cp = (cp << 6) | (cc & 0x3F);
        }
        if (valid && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            valid = false;
        if (!valid) {
            out.push_back(wchar_t(c)); // Latin-1 fallback, one byte
            ++i;
            continue;
        }
        AppendWide(out, cp);
        i += len;
    }
    return out;
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size())
        AppendUtf8(out, NextWide(text, i));
    return out;
}

std::u16string WideToUtf16(std::wstring_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        uint32_t cp = NextWide(text, i);
        if (cp > 0x10FFFF)
            cp = 0xFFFD;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
    }
    return out;
}

std::wstring Utf16ToWide(std::u16string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            uint32_t cp = 0x10000 + ((c - 0xD800) << 10) + (uint32_t(text[i + 1]) - 0xDC00);
            ++i;
            AppendWide(out, cp);
        } else {
            out.push_back(wchar_t(c));
        }
    }
    return out;
}

std::string Utf16ToLEBytes(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text)
        AppendLE16(out, uint16_t(c));
    return out;
}

std::u16string LEBytesToUtf16(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size() / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        out.push_back(char16_t(ReadLE16(p + i)));
    return out;
}

void AppendLE16(std::string& out, uint16_t v)
{
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void AppendLE32(std::string& out, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        out.push_back(char((v >> (8 * k)) & 0xFF));
}

void AppendLE64(std::string& out, uint64_t v)
{
    for (int k = 0; k < 8; ++k)
        out.push_back(char((v >> (8 * k)) & 0xFF));
}

std::string ToLowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

std::wstring ToLowerAscii(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
    return out;
}

std::string TrimSpaces(std::string_view text) { return TrimImpl<std::string>(text); }
std::wstring TrimSpaces(std::wstring_view text) { return TrimImpl<std::wstring>(text); }

std::vector<std::wstring> SplitText(std::wstring_view text, wchar_t separator)
{
    return SplitImpl<std::wstring>(text, separator);
}
std::vector<std::string> SplitText(std::string_view text, char separator)
{
    return SplitImpl<std::string>(text, separator);
}

bool ParseInt(std::string_view text, int& out)
{
    std::string t = TrimSpaces(text);
    if (!t.empty() && t[0] == '+')
        t.erase(0, 1);
    if (t.empty())
        return false;
    int value = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || ptr != t.data() + t.size())
        return false;
    out = value;
    return true;
}

bool ParseInt(std::wstring_view text, int& out)
{
    bool ok = false;
    std::string narrow = NarrowAscii(text, ok);
    return ok && ParseInt(std::string_view(narrow), out);
}

bool ParseInt64(std::wstring_view text, int64_t& out)
{
    bool ok = false;
    std::string t = TrimSpaces(NarrowAscii(text, ok));
    if (!ok || t.empty())
        return false;
    if (t[0] == '+')
        t.erase(0, 1);
    long long value = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || ptr != t.data() + t.size())
        return false;
    out = value;
    return true;
}

bool ParseDouble(std::string_view text, double& out)
{
    std::string t = TrimSpaces(text);
    if (!t.empty() && t[0] == '+')
        t.erase(0, 1);
    if (t.empty())
        return false;
    double value = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || ptr != t.data() + t.size())
        return false;
    out = value;
    return true;
}

bool ParseDouble(std::wstring_view text, double& out)
{
    bool ok = false;
    std::string narrow = NarrowAscii(text, ok);
    return ok && ParseDouble(std::string_view(narrow), out);
}

int AtoiLike(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > 1LL + INT_MAX)
            value = 1LL + INT_MAX;
        ++i;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return int(value);
}

std::wstring IntToText(long long value)
{
    char buf[32];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    (void)ec;
    return std::wstring(buf, ptr);
}

namespace {
template <typename T>
std::wstring ShortestText(T value)
{
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc())
        return L"0";
    return std::wstring(buf, ptr);
}
} // namespace

std::wstring ExactNumberText(double value) { return ShortestText(value); }
std::wstring ExactNumberText(float value) { return ShortestText(value); }

std::wstring DoubleToText(double value, int decimals)
{
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return L"0";
    return std::wstring(buf, ptr);
}

int TruncateToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return int(v);
}
