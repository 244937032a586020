#include "core/stringbase.h"

#include <mutex>
#include <utility>

#include <boost/algorithm/string/replace.hpp>

#include "core/log.h"
#include "core/missing_keys.h"
#include "core/text.h"
#include "platform/paths.h"

cStringBase g_StringBase;

namespace {
// Kept apart from the table, which look-ups never change.
std::mutex g_MissingMutex;
std::set<std::string> g_MissingKeys;
} // namespace

cStringBase::cStringBase() : m_Texts(53), m_LanguageId("ENG")
{
    m_Texts.max_load_factor(1.0f);
}

void cStringBase::SetLanguage(std::wstring_view id)
{
    m_LanguageId.clear();
    for (wchar_t c : id)
        m_LanguageId.push_back(char(c & 0xFF));
}

bool cStringBase::Load(const std::string& pattern, bool overwrite)
{
    LogLine(L"Loading string base");
    std::string name = pattern;
    boost::algorithm::replace_all(name, "LANGID", m_LanguageId);
    auto data = ReadWholeFile(HostPath(name));
    if (!data) {
        LogLine(L"Failed opening string base");
        return false;
    }
    return LoadFromBytes(*data, overwrite);
}

bool cStringBase::LoadFromBytes(std::string_view bytes, bool overwrite)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    bool complete = size >= 9;
    uint64_t count = 0;
    if (complete)
        count = uint64_t(ReadLE32(p + 1)) | (uint64_t(ReadLE32(p + 5)) << 32);
    size_t pos = 9;
    uint64_t read = 0;
    // Records are taken while they lie wholly inside the file; a count that claims
    // more, or a record cut short, ends the load with what came before it.
    while (complete && read < count) {
        if (pos + 1 > size) {
            complete = false;
            break;
        }
        size_t keyLen = p[pos];
        if (pos + 1 + keyLen + 2 > size) {
            complete = false;
            break;
        }
        std::string key(reinterpret_cast<const char*>(p + pos + 1), keyLen);
        size_t textLen = ReadLE16(p + pos + 1 + keyLen);
        size_t textStart = pos + 1 + keyLen + 2;
        if (textStart + textLen * 2 > size) {
            complete = false;
            break;
        }
        std::u16string text;
        text.reserve(textLen);
        for (size_t k = 0; k < textLen; ++k)
            text.push_back(char16_t(ReadLE16(p + textStart + 2 * k)));
        auto it = m_Texts.find(key);
        if (it == m_Texts.end())
            m_Texts.emplace(std::move(key), Utf16ToWide(text));
        else if (overwrite)
            it->second = Utf16ToWide(text);
        pos = textStart + textLen * 2;
        ++read;
    }
    if (!complete)
        LogLine(L"String base is damaged: %u of %u records read", static_cast<unsigned long long>(read),
                static_cast<unsigned long long>(count));
    LogLine(L"Loaded %i strings", int(m_Texts.size()));
    LogLine(L"Loaded string base");
    return true;
}

const std::wstring& cStringBase::GetText(std::string_view key) const
{
    static const std::wstring empty;
    auto it = m_Texts.find(key);
    if (it != m_Texts.end())
        return it->second;
    if (!key.empty()) {
        std::lock_guard<std::mutex> hold(g_MissingMutex);
        g_MissingKeys.insert(std::string(key));
    }
    return empty;
}

std::set<std::string> TakeMissingLanguageKeys()
{
    std::lock_guard<std::mutex> hold(g_MissingMutex);
    return std::exchange(g_MissingKeys, {});
}

bool cStringBase::HasKey(std::string_view key) const
{
    return m_Texts.find(key) != m_Texts.end();
}

std::string cStringBase::Encode(const std::vector<std::pair<std::string, std::wstring>>& records)
{
    std::string out;
    out.push_back('\0');
    AppendLE64(out, records.size());
    for (const auto& [key, text] : records) {
        std::string k = key.substr(0, 255);
        out.push_back(char(k.size()));
        out += k;
        std::u16string t = WideToUtf16(text);
        if (t.size() > 65535)
            t.resize(65535);
        AppendLE16(out, uint16_t(t.size()));
        out += Utf16ToLEBytes(t);
    }
    return out;
}

namespace lang_detail {
std::wstring ValueText(const std::wstring& value) { return value; }
std::wstring ValueText(const wchar_t* value) { return value ? value : L""; }
std::wstring ValueText(const std::string& value) { return Utf8ToWide(value); }
std::wstring ValueText(const char* value) { return value ? Utf8ToWide(value) : L""; }
std::wstring ValueText(double value) { return ExactNumberText(value); }
std::wstring ValueText(long long value) { return IntToText(value); }
std::wstring ValueText(unsigned long long value) { return Utf8ToWide(std::to_string(value)); }

std::wstring KeyWithValues(std::string_view key, const std::vector<std::wstring>& values)
{
    std::wstring text = Utf8ToWide(key);
    for (size_t i = 0; i < values.size(); ++i)
        text += (i == 0 ? L" (" : L", ") + values[i];
    return values.empty() ? text : text + L")";
}
} // namespace lang_detail
