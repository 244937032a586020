#pragma once
// The language table: every text the player sees, looked up by a narrow key.
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "core/format.h"

class cStringBase
{
public:
    cStringBase();

    void SetLanguage(std::wstring_view id);
    std::string GetLanguageId() const { return m_LanguageId; }

    // Loads the table whose name is the pattern with "LANGID" replaced by the language id.
    // A file that is missing or cut short never makes it read past its data.
    bool Load(const std::string& pattern, bool overwrite);
    bool LoadFromBytes(std::string_view bytes, bool overwrite);

    // The text of a key; a key the table lacks yields an empty text. The table is never
    // changed by a look-up, so both threads may look texts up at once.
    const std::wstring& GetText(std::string_view key) const;
    bool HasKey(std::string_view key) const;
    size_t Size() const { return m_Texts.size(); }

    // Builds the binary table from key and text pairs (the language compiler uses it).
    static std::string Encode(const std::vector<std::pair<std::string, std::wstring>>& records);

private:
    struct sHash
    {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, std::wstring, sHash, std::equal_to<>> m_Texts;
    std::string m_LanguageId;
};

extern cStringBase g_StringBase;

// The text of a key.
inline const std::wstring& LangText(std::string_view key) { return g_StringBase.GetText(key); }
// The text of a key, formatted with the arguments.
template <typename... Args>
std::wstring LangFormat(std::string_view key, const Args&... args)
{
    return FormatText(g_StringBase.GetText(key), args...);
}

namespace lang_detail {
std::wstring ValueText(const std::wstring& value);
std::wstring ValueText(const wchar_t* value);
std::wstring ValueText(const std::string& value);
std::wstring ValueText(const char* value);
std::wstring ValueText(double value);
std::wstring ValueText(long long value);
std::wstring ValueText(unsigned long long value);
template <typename T>
std::wstring ValueText(const T& value)
{
    if constexpr (std::is_floating_point_v<T>)
        return ValueText(double(value));
    else if constexpr (std::is_signed_v<T>)
        return ValueText((long long)value);
    else
        return ValueText((unsigned long long)value);
}
std::wstring KeyWithValues(std::string_view key, const std::vector<std::wstring>& values);
} // namespace lang_detail

// A message that must say something without the language table too (a refusal, a fatal
// error): the formatted text, or the key and its values when the table lacks the key. A
// missing key is an empty text elsewhere, but a refusal shown empty would fail without a word.
template <typename... Args>
std::wstring LangMessage(std::string_view key, const Args&... args)
{
    if (g_StringBase.HasKey(key))
        return LangFormat(key, args...);
    return lang_detail::KeyWithValues(key, {lang_detail::ValueText(args)...});
}
