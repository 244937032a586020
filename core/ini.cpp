#include "core/ini.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "core/log.h"
#include "core/text.h"
#include "platform/paths.h"

namespace {

// The section of a key: the text before its first '/', unless that '/' is the first
// or the last character; otherwise the whole key.
std::string SectionOf(const std::string& key)
{
    size_t slash = key.find('/');
    if (slash != std::string::npos && slash != 0 && slash != key.size() - 1)
        return key.substr(0, slash);
    return key;
}

std::string NameOf(const std::string& key)
{
    size_t slash = key.find('/');
    if (slash != std::string::npos && slash != 0 && slash != key.size() - 1)
        return key.substr(slash + 1);
    return key;
}

std::wstring PathText(const std::filesystem::path& p)
{
    return Utf8ToWide(p.string());
}

// The temporary files that writes of the file killed on their way left beside it (named
// "<file>.<program number>.tmp"), removed as an interrupted save's folders are: each write
// holds the lock of its own, so one that can be taken is no running program's.
void RemoveLeftOverTemps(const std::filesystem::path& path, const std::filesystem::path& own)
{
    const std::string prefix = path.filename().string() + ".";
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::vector<std::filesystem::path> leftOver;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const size_t digits = name.size() - std::min(name.size(), prefix.size() + 4);
        if (digits > 0 && name.starts_with(prefix) && name.ends_with(".tmp") &&
            name.find_first_not_of("0123456789", prefix.size()) == prefix.size() + digits &&
            it->path().filename() != own.filename())
            leftOver.push_back(path.parent_path() / it->path().filename());
    }
    for (const std::filesystem::path& file : leftOver) {
        const cFileLock lock(file); // held, it is removed as it lets go
        if (lock.Held())
            LogLine(L"%s, left by a write that never ended, is removed", PathText(file));
    }
}

// Writes through a temporary file so that an interrupted write never leaves half a file.
// why, when given, gets the system's reason of a failure.
bool WriteReplacing(const std::filesystem::path& path, const std::string& bytes, std::error_code* why)
{
    // A name of this program's own: a second game on the folder writing the same file would
    // take the other's file on its way, or write into it.
    std::filesystem::path temp = path;
    temp += "." + std::to_string(::getpid()) + ".tmp";
    RemoveLeftOverTemps(path, temp);
    // Held while it is written and put in place: no other game takes it for a leftover.
    const cFileLock writing(temp);
    std::error_code ec;
    if (WriteWholeFile(temp, bytes, &ec))
        std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code removed;
        std::filesystem::remove(temp, removed);
        LogLine(L"ERROR: %s could not be written: %s", PathText(path), Utf8ToWide(ec.message()));
        if (why)
            *why = ec;
        return false;
    }
    return true;
}

} // namespace

bool cIniFile::Load(const std::filesystem::path& fileName)
{
    m_Map.clear();
    m_Loaded = false;
    m_FileName = fileName;
    LogLine(L"Loading INI file %s ...", PathText(fileName));
    std::uintmax_t tooLarge = 0;
    auto data = ReadTextFile(fileName, &tooLarge);
    if (!data) {
        if (tooLarge > 0)
            LogLine(L"ERROR: INI file %s is %s bytes, more than any INI file holds", PathText(fileName),
                    IntToText((long long)tooLarge));
        LogLine(L"ERROR during opening INI file %s", PathText(fileName));
        return false;
    }
    LoadFromText(*data, fileName);
    LogLine(L"Loaded");
    return true;
}

void cIniFile::LoadFromText(const std::string& text, const std::filesystem::path& fileName)
{
    m_Map.clear();
    m_FileName = fileName;
    std::string pendingComment;
    std::string prefix;
    int number = 0;
    for (const std::string& raw : SplitText(std::string_view(text), '\n')) {
        ++number;
        std::string line = TrimSpaces(raw);
        if (line.empty())
            continue;
        if (line[0] == ';' || line[0] == '#') {
            pendingComment += line + "\r\n";
            continue;
        }
        if (line[0] == '[') {
            std::string name = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
            m_Map[name] = sEntry{pendingComment, std::nullopt, number};
            pendingComment.clear();
            prefix = name + "/";
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = TrimSpaces(std::string_view(line).substr(0, eq));
        std::string value = TrimSpaces(std::string_view(line).substr(eq + 1));
        m_Map[prefix + key] = sEntry{pendingComment, value, number};
        pendingComment.clear();
    }
    m_Loaded = true;
}

// A comment line ends in one CR LF: a text-mode write would make it CR CR LF, a line end that
// other readers take for two (or for a stray character).
std::string cIniFile::BuildText() const
{
    std::string text;
    // Keys of no section come first: after a section header they would read back
    // as keys of that section.
    for (const auto& [key, entry] : m_Map) {
        if (entry.value && SectionOf(key) == key) {
            text += entry.comment;
            text += key + " = " + *entry.value + "\r\n";
        }
    }
    for (const auto& [key, entry] : m_Map) {
        if (entry.value && SectionOf(key) == key)
            continue;
        if (!entry.value) {
            text += "\r\n";
            text += entry.comment;
            text += "[" + key + "]\r\n";
        } else {
            text += entry.comment;
            text += NameOf(key) + " = " + *entry.value + "\r\n";
        }
    }
    return text;
}

bool cIniFile::Save(std::error_code* why)
{
    if (!m_Loaded)
        return false;
    return WriteReplacing(m_FileName, BuildText(), why);
}

bool cIniFile::SaveAs(const std::filesystem::path& fileName, std::error_code* why)
{
    if (!WriteReplacing(fileName, BuildText(), why))
        return false;
    m_FileName = fileName;
    m_Loaded = true;
    return true;
}

void cIniFile::EnsureSection(const std::string& key)
{
    std::string section = SectionOf(key);
    if (m_Map.find(section) == m_Map.end())
        m_Map.emplace(section, sEntry{});
}

void cIniFile::Store(const std::string& key, const std::string& value)
{
    EnsureSection(key);
    auto it = m_Map.find(key);
    if (it == m_Map.end())
        m_Map.emplace(key, sEntry{std::string(), value, 0});
    else
        it->second.value = value;
}

std::optional<std::wstring> cIniFile::Find(const std::string& key) const
{
    auto it = m_Map.find(key);
    if (it == m_Map.end() || !it->second.value)
        return std::nullopt;
    return Utf8ToWide(*it->second.value);
}

int cIniFile::LineOf(const std::string& key) const
{
    auto it = m_Map.find(key);
    return it != m_Map.end() ? it->second.line : 0;
}

bool cIniFile::HasKey(const std::string& key) const
{
    auto it = m_Map.find(key);
    return it != m_Map.end() && it->second.value.has_value();
}

std::wstring cIniFile::GetString(const std::string& key, const std::wstring& def)
{
    if (auto v = Find(key))
        return *v;
    Store(key, WideToUtf8(def));
    return def;
}

void cIniFile::SetString(const std::string& key, const std::wstring& value)
{
    Store(key, WideToUtf8(value));
}

int cIniFile::GetInt(const std::string& key, int def)
{
    auto it = m_Map.find(key);
    if (it != m_Map.end() && it->second.value)
        return AtoiLike(*it->second.value);
    Store(key, std::to_string(def));
    return def;
}

void cIniFile::SetInt(const std::string& key, int value)
{
    Store(key, std::to_string(value));
}

bool cIniFile::GetBool(const std::string& key, bool def)
{
    auto it = m_Map.find(key);
    if (it != m_Map.end() && it->second.value)
        return *it->second.value == "true" || *it->second.value == "yes";
    Store(key, def ? "true" : "false");
    return def;
}

void cIniFile::SetBool(const std::string& key, bool value)
{
    Store(key, value ? "true" : "false");
}

void cIniFile::Clear()
{
    m_Map.clear();
}
