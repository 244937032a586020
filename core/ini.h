#pragma once
// The INI store: a whole INI file in a sorted map, addressed by "Section/Key".
// Values are kept as UTF-8: cut to the low byte of each character, a name beyond Latin-1
// (a Polish or Russian one) would come back as other letters.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>

class cIniFile
{
public:
    cIniFile() = default;
    ~cIniFile() { Clear(); }

    // Loads a file; a missing file is logged and leaves an empty store that never saves.
    bool Load(const std::filesystem::path& fileName);
    // Parses text as if it had been loaded from fileName.
    void LoadFromText(const std::string& text, const std::filesystem::path& fileName);
    // Writes the store to the file it was loaded from; nothing unless it was loaded. A file
    // that cannot be written is logged with the system's reason, which why gets when given,
    // and stays as it was.
    bool Save(std::error_code* why = nullptr);
    // Writes the store to another file and makes that the store's file. Works whether
    // or not the store was loaded: a save's description is written even when its scenario's
    // Info.ini could not be read, for a save without one could not be loaded.
    bool SaveAs(const std::filesystem::path& fileName, std::error_code* why = nullptr);
    std::string BuildText() const;

    std::wstring GetString(const std::string& key, const std::wstring& def);
    void SetString(const std::string& key, const std::wstring& value);
    int GetInt(const std::string& key, int def);
    void SetInt(const std::string& key, int value);
    bool GetBool(const std::string& key, bool def);
    void SetBool(const std::string& key, bool value);
    bool HasKey(const std::string& key) const;
    // The raw value, without adding the key.
    std::optional<std::wstring> Find(const std::string& key) const;
    // The line of the file the key was read from (1 for the first); 0 for a key not read.
    int LineOf(const std::string& key) const;
    void Clear();

    bool IsLoaded() const { return m_Loaded; }
    const std::filesystem::path& GetFileName() const { return m_FileName; }

private:
    struct sEntry
    {
        std::string comment;
        std::optional<std::string> value; // none for a section entry
        int line = 0;
    };
    void EnsureSection(const std::string& key);
    void Store(const std::string& key, const std::string& value);

    std::map<std::string, sEntry> m_Map;
    std::filesystem::path m_FileName;
    bool m_Loaded = false;
};
