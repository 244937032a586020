#include "game/table_fields.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "core/fatal.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text.h"

std::wstring Shown(const std::wstring& text)
{
    // A field is told in a few characters: a damaged file may hold a line of 100,000.
    constexpr size_t kShownCharacters = 40;
    const std::wstring trimmed = TrimSpaces(text);
    if (trimmed.size() <= kShownCharacters)
        return L"\"" + trimmed + L"\"";
    return L"\"" + trimmed.substr(0, kShownCharacters) + L"...\"";
}

namespace {

// A number as a person reads it: whole ones without an exponent.
std::wstring NumberText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return IntToText((long long)value);
    return ExactNumberText(value);
}

std::wstring RangeText(double lo, double hi)
{
    return FormatText(L"%s to %s", NumberText(lo), NumberText(hi));
}

} // namespace

cTableFields::cTableFields(const std::wstring& path, int line, const std::vector<std::wstring>& fields,
                           std::vector<int> columns)
    : m_Path(path), m_Line(line), m_Fields(fields), m_Columns(std::move(columns))
{
}

cTableFields::cTableFields(const std::wstring& path, int line, const std::vector<std::string>& fields,
                           std::vector<int> columns)
    : m_Path(path), m_Line(line), m_Columns(std::move(columns))
{
    m_Fields.reserve(fields.size());
    for (const std::string& field : fields)
        m_Fields.push_back(Utf8ToWide(field));
}

const std::wstring& cTableFields::Text(size_t k) const
{
    static const std::wstring kNone;
    return k < m_Fields.size() ? m_Fields[k] : kNone;
}

std::wstring cTableFields::Where(size_t k, std::wstring_view what) const
{
    const int column = k < m_Columns.size() ? m_Columns[k] : int(k) + 1;
    return FormatText(L"%s, line %i, column %i (%s)", m_Path, m_Line, column, std::wstring(what));
}

void cTableFields::Refuse(size_t k, std::wstring_view what, std::wstring_view why) const
{
    FatalExit(1, FormatText(L"%s: %s", Where(k, what), std::wstring(why)));
}

std::optional<long long> WholeNumberIn(std::wstring_view text)
{
    int64_t value = 0;
    if (ParseInt64(text, value))
        return value;
    // Digits beyond what 64 bits hold are still a whole number, outside every range.
    const std::wstring t = TrimSpaces(text);
    size_t i = !t.empty() && (t[0] == L'-' || t[0] == L'+') ? 1 : 0;
    if (i >= t.size())
        return std::nullopt;
    for (; i < t.size(); ++i)
        if (t[i] < L'0' || t[i] > L'9')
            return std::nullopt;
    return t[0] == L'-' ? LLONG_MIN : LLONG_MAX;
}

long long cTableFields::WholeNumber(size_t k, std::wstring_view what) const
{
    const std::wstring& text = Text(k);
    if (const std::optional<long long> value = WholeNumberIn(text))
        return *value;
    Refuse(k, what, FormatText(L"%s is not a whole number", Shown(text)));
}

int cTableFields::Int(size_t k, int lo, int hi, std::wstring_view what) const
{
    const long long value = WholeNumber(k, what);
    if (value < lo || value > hi)
        Refuse(k, what, FormatText(L"%s is outside %i to %i", TrimSpaces(Text(k)), lo, hi));
    return int(value);
}

bool cTableFields::Flag(size_t k, std::wstring_view what) const
{
    const long long value = WholeNumber(k, what);
    if (value != 0 && value != 1)
        Refuse(k, what, FormatText(L"%s is neither 0 nor 1", TrimSpaces(Text(k))));
    return value == 1;
}

int cTableFields::Code(size_t k, std::initializer_list<int> codes, std::wstring_view what) const
{
    const long long value = WholeNumber(k, what);
    if (std::find(codes.begin(), codes.end(), value) != codes.end())
        return int(value);
    std::wstring list;
    for (int code : codes)
        list += (list.empty() ? L"" : L", ") + IntToText(code);
    Refuse(k, what, FormatText(L"%s is none of %s", TrimSpaces(Text(k)), list));
}

double cTableFields::Number(size_t k, double lo, double hi, std::wstring_view what) const
{
    const std::wstring& text = Text(k);
    double value = 0.0;
    if (!ParseDouble(std::wstring_view(text), value) || std::isnan(value))
        Refuse(k, what, FormatText(L"%s is not a number", Shown(text)));
    if (value < lo || value > hi)
        Refuse(k, what, FormatText(L"%s is outside %s", NumberText(value), RangeText(lo, hi)));
    return value;
}

int cTableFields::ClampedInt(size_t k, int lo, int hi, std::wstring_view what) const
{
    const long long value = WholeNumber(k, what);
    if (value >= lo && value <= hi)
        return int(value);
    const int kept = value < lo ? lo : hi;
    LogLine(L"WARNING: %s: %s is outside %i to %i; taken as %i", Where(k, what), TrimSpaces(Text(k)), lo, hi, kept);
    return kept;
}

double cTableFields::ClampedNumber(size_t k, double lo, double hi, std::wstring_view what) const
{
    const std::wstring& text = Text(k);
    double value = 0.0;
    if (!ParseDouble(std::wstring_view(text), value) || std::isnan(value))
        Refuse(k, what, FormatText(L"%s is not a number", Shown(text)));
    if (value >= lo && value <= hi)
        return value;
    const double kept = value < lo ? lo : hi;
    LogLine(L"WARNING: %s: %s is outside %s; taken as %s", Where(k, what), NumberText(value), RangeText(lo, hi),
            NumberText(kept));
    return kept;
}

uint32_t cTableFields::Hex(size_t k, std::wstring_view what) const
{
    const std::wstring text = TrimSpaces(Text(k));
    const bool digits = !text.empty() && text.size() <= 8 &&
                        std::all_of(text.begin(), text.end(), [](wchar_t c) {
                            return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
                        });
    if (!digits)
        Refuse(k, what, FormatText(L"%s is not a number of up to 8 hexadecimal digits", Shown(Text(k))));
    return uint32_t(std::stoul(WideToUtf8(text), nullptr, 16));
}
