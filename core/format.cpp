#include "core/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/text.h"

namespace {

struct sSpec
{
    std::wstring text; // the whole placeholder, for the mark
    std::string flags;
    int width = -1;
    bool widthFromArg = false;
    int precision = -1;
    bool precisionFromArg = false;
    std::string length;
    wchar_t conv = 0;
};

bool IsFlag(wchar_t c) { return c == L'-' || c == L'+' || c == L' ' || c == L'0' || c == L'#'; }

// Parses a placeholder starting after '%'; returns the index after it, or npos when
// the format ends inside it.
size_t ParseSpec(std::wstring_view f, size_t i, sSpec& spec)
{
    const size_t start = i - 1;
    while (i < f.size() && IsFlag(f[i]))
        spec.flags.push_back(char(f[i++]));
    if (i < f.size() && f[i] == L'*') {
        spec.widthFromArg = true;
        ++i;
    } else {
        int w = 0;
        bool any = false;
        while (i < f.size() && f[i] >= L'0' && f[i] <= L'9') {
            w = std::min(w * 10 + (f[i++] - L'0'), 100000);
            any = true;
        }
        if (any)
            spec.width = w;
    }
    if (i < f.size() && f[i] == L'.') {
        ++i;
        if (i < f.size() && f[i] == L'*') {
            spec.precisionFromArg = true;
            ++i;
        } else {
            int p = 0;
            while (i < f.size() && f[i] >= L'0' && f[i] <= L'9')
                p = std::min(p * 10 + (f[i++] - L'0'), 100000);
            spec.precision = p;
        }
    }
    while (i < f.size() && (f[i] == L'h' || f[i] == L'l' || f[i] == L'L' || f[i] == L'z' || f[i] == L'j' ||
                            f[i] == L't' || f[i] == L'I' || f[i] == L'6' || f[i] == L'4' || f[i] == L'w'))
        spec.length.push_back(char(f[i++]));
    if (i >= f.size())
        return std::wstring_view::npos;
    spec.conv = f[i++];
    spec.text.assign(f.substr(start, i - start));
    return i;
}

enum class eNeed { Integer, Floating, Character, String, Invalid };

eNeed NeedOf(wchar_t conv)
{
    switch (conv) {
    case L'd': case L'i': case L'u': case L'x': case L'X': case L'o':
        return eNeed::Integer;
    case L'f': case L'F': case L'e': case L'E': case L'g': case L'G':
        return eNeed::Floating;
    case L'c': case L'C':
        return eNeed::Character;
    case L's': case L'S':
        return eNeed::String;
    default:
        return eNeed::Invalid; // %n, %p and unknown letters are never honoured
    }
}

bool Fits(eNeed need, const sFormatArg& a)
{
    using K = sFormatArg::eKind;
    switch (need) {
    case eNeed::Integer:
    case eNeed::Character:
        return a.kind == K::Int || a.kind == K::Unsigned || a.kind == K::Char;
    case eNeed::Floating:
        return a.kind == K::Double || a.kind == K::Int || a.kind == K::Unsigned;
    case eNeed::String:
        return a.kind == K::Wide || a.kind == K::Narrow;
    default:
        return false;
    }
}

long long AsInt(const sFormatArg& a)
{
    using K = sFormatArg::eKind;
    if (a.kind == K::Unsigned)
        return static_cast<long long>(a.u);
    return a.i;
}

double AsDouble(const sFormatArg& a)
{
    using K = sFormatArg::eKind;
    if (a.kind == K::Double)
        return a.d;
    if (a.kind == K::Unsigned)
        return double(a.u);
    return double(a.i);
}

void Pad(std::wstring& out, std::wstring_view body, int width, bool left)
{
    int pad = width > int(body.size()) ? width - int(body.size()) : 0;
    if (!left)
        out.append(size_t(pad), L' ');
    out.append(body);
    if (left)
        out.append(size_t(pad), L' ');
}

void Render(std::wstring& out, const sSpec& spec, int width, int precision, const sFormatArg& a)
{
    const bool left = spec.flags.find('-') != std::string::npos;
    const eNeed need = NeedOf(spec.conv);
    if (need == eNeed::String) {
        std::wstring body = a.kind == sFormatArg::eKind::Wide ? std::wstring(a.w) : Utf8ToWide(a.n);
        if (precision >= 0 && size_t(precision) < body.size())
            body.resize(size_t(precision));
        Pad(out, body, width, left);
        return;
    }
    if (need == eNeed::Character) {
        long long v = AsInt(a);
        std::wstring body(1, wchar_t(v));
        Pad(out, body, width, left);
        return;
    }
    // Numbers go through the C library in the "C" locale with a bounded buffer.
    std::string fmt = "%" + spec.flags;
    if (width >= 0)
        fmt += std::to_string(width);
    if (precision >= 0)
        fmt += "." + std::to_string(precision);
    std::string buf;
    auto print = [&](auto value) {
        int size = std::snprintf(nullptr, 0, fmt.c_str(), value);
        if (size <= 0)
            return;
        buf.resize(size_t(size) + 1);
        std::snprintf(buf.data(), buf.size(), fmt.c_str(), value);
        buf.resize(size_t(size));
    };
    if (need == eNeed::Integer) {
        char conv = char(spec.conv);
        if (conv == 'i')
            conv = 'd';
        fmt += "ll";
        fmt.push_back(conv);
        long long v = AsInt(a);
        if (conv == 'd')
            print(v);
        else if (spec.length.find("ll") == std::string::npos && a.kind != sFormatArg::eKind::Unsigned)
            print(static_cast<unsigned long long>(static_cast<unsigned>(v))); // 32-bit, as printf would
        else
            print(static_cast<unsigned long long>(v));
    } else {
        fmt.push_back(char(spec.conv));
        const double value = AsDouble(a);
        print(value);
        // A negative value that rounds to nothing reads as "-0.0": a zero has no sign.
        if (std::signbit(value) && std::isfinite(value) && buf.find_first_of("123456789") == std::string::npos)
            print(0.0);
    }
    const size_t len = buf.size();
    for (size_t k = 0; k < len; ++k)
        out.push_back(wchar_t(static_cast<unsigned char>(buf[k])));
}

// Walks the format; when out is null it only checks.
bool Walk(std::wstring_view f, const std::vector<sFormatArg>& args, std::wstring* out, int* argCount)
{
    bool ok = true;
    size_t next = 0;
    int counted = 0;
    auto mark = [&](const std::wstring& text) {
        ok = false;
        if (out) {
            out->append(L"<?");
            out->append(text);
            out->push_back(L'>');
        }
    };
    for (size_t i = 0; i < f.size();) {
        wchar_t c = f[i];
        if (c != L'%') {
            if (out)
                out->push_back(c);
            ++i;
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == L'%') {
            if (out)
                out->push_back(L'%');
            i += 2;
            continue;
        }
        sSpec spec;
        size_t after = ParseSpec(f, i + 1, spec);
        if (after == std::wstring_view::npos) {
            mark(std::wstring(f.substr(i)));
            break;
        }
        i = after;
        int width = spec.width, precision = spec.precision;
        bool good = true;
        if (spec.widthFromArg) {
            ++counted;
            if (next < args.size() && Fits(eNeed::Integer, args[next]))
                width = int(std::min<long long>(AsInt(args[next]), 4096));
            else
                good = false;
            ++next;
        }
        if (spec.precisionFromArg) {
            ++counted;
            if (next < args.size() && Fits(eNeed::Integer, args[next]))
                precision = int(std::min<long long>(AsInt(args[next]), 4096));
            else
                good = false;
            ++next;
        }
        width = std::min(width, 4096);
        precision = std::min(precision, 4096);
        eNeed need = NeedOf(spec.conv);
        if (need == eNeed::Invalid) {
            mark(spec.text);
            continue;
        }
        ++counted;
        if (!good || next >= args.size() || !Fits(need, args[next])) {
            ++next;
            mark(spec.text);
            continue;
        }
        if (out)
            Render(*out, spec, width, precision, args[next]);
        ++next;
    }
    if (argCount)
        *argCount = counted;
    return ok;
}

} // namespace

std::wstring FormatArgs(std::wstring_view format, const std::vector<sFormatArg>& args)
{
    std::wstring out;
    out.reserve(format.size() + 16);
    Walk(format, args, &out, nullptr);
    return out;
}

bool FormatMatches(std::wstring_view format, const std::vector<sFormatArg>& args)
{
    return Walk(format, args, nullptr, nullptr);
}

int CountFormatArgs(std::wstring_view format)
{
    int n = 0;
    Walk(format, {}, nullptr, &n);
    return n;
}
