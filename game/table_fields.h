#pragma once
// The fields of one row of a file being loaded, each taken as what its column holds. A field
// that is no such number, or a number the game cannot play (a code outside its set, a count
// outside its range), refuses the load naming the file, the line and the column, as every
// damaged file is refused; where the rules take any value and only keep it within bounds, it
// is kept with a warning instead. A field is never silently read as 0.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class cTableFields
{
public:
    // Field k is column k + 1 of the row at `line` of the file at `path`, or column columns[k]
    // where the row's empty fields were dropped (see SplitTokens and cCsvReader::m_Columns).
    cTableFields(const std::wstring& path, int line, const std::vector<std::wstring>& fields,
                 std::vector<int> columns = {});
    cTableFields(const std::wstring& path, int line, const std::vector<std::string>& fields,
                 std::vector<int> columns = {});

    size_t Count() const { return m_Fields.size(); }
    // Field k is there and not empty (a column an older file lacks).
    bool Has(size_t k) const { return k < m_Fields.size() && !m_Fields[k].empty(); }
    const std::wstring& Text(size_t k) const;

    // A whole number within lo..hi.
    int Int(size_t k, int lo, int hi, std::wstring_view what) const;
    // 0 or 1.
    bool Flag(size_t k, std::wstring_view what) const;
    // A whole number that is one of the codes.
    int Code(size_t k, std::initializer_list<int> codes, std::wstring_view what) const;
    // A decimal number (no nan or inf) within lo..hi.
    double Number(size_t k, double lo, double hi, std::wstring_view what) const;
    // A whole number or a decimal one, within lo..hi, taken as the rules must keep it; outside,
    // logged as a warning and taken as the nearer end.
    int ClampedInt(size_t k, int lo, int hi, std::wstring_view what) const;
    double ClampedNumber(size_t k, double lo, double hi, std::wstring_view what) const;
    // Up to eight hexadecimal digits (a colour).
    uint32_t Hex(size_t k, std::wstring_view what) const;

    // Refuses the load for the value of field k: "<where>: <why>".
    [[noreturn]] void Refuse(size_t k, std::wstring_view what, std::wstring_view why) const;
    // "<path>, line <line>, column <column> (<what>)".
    std::wstring Where(size_t k, std::wstring_view what) const;

private:
    long long WholeNumber(size_t k, std::wstring_view what) const;

    std::wstring m_Path;
    int m_Line;
    std::vector<std::wstring> m_Fields;
    std::vector<int> m_Columns;
};

// A field's text as a refusal tells it: trimmed, quoted, cut after a few characters.
std::wstring Shown(const std::wstring& text);

// The whole number a field holds (spaces around it allowed), with more digits than 64 bits
// hold taken as the largest or the smallest; nothing when the text is no whole number.
std::optional<long long> WholeNumberIn(std::wstring_view text);
