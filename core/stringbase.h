#pragma once
// The language table: every text the player sees, looked up by a narrow key.
#include <string>
#include <string_view>
#include <unordered_map>

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
