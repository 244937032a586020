#include "world/pbem_repo.h"

#include <fstream>

#include "core/fatal.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "platform/paths.h"
#include "world/world.h"

namespace {
const wchar_t* const kRepoPath = L"data\\pbem\\repo.dat";

std::u16string RecordName(const std::wstring& gameName)
{
    std::u16string name = WideToUtf16(gameName);
    if (name.size() > size_t(kPbemRepoNameUnits - 1))
        name.resize(size_t(kPbemRepoNameUnits - 1));
    return name;
}

std::string BuildRecord(const std::u16string& name, int playerId)
{
    std::string record = Utf16ToLEBytes(name);
    record.resize(size_t(kPbemRepoNameUnits) * 2, '\0'); // the terminator and zeros after it
    AppendLE32(record, uint32_t(playerId));
    return record;
}

sPbemRepoEntry ParseRecord(const unsigned char* bytes)
{
    sPbemRepoEntry entry;
    for (int i = 0; i < kPbemRepoNameUnits; ++i)
    {
        const char16_t unit = char16_t(ReadLE16(bytes + 2 * i));
        if (unit == 0)
            break;
        entry.name.push_back(unit);
    }
    entry.playerId = int32_t(ReadLE32(bytes + 500));
    return entry;
}

// Whole records of the file. A partial one trailing them is damage, and damaged input is
// logged as every data file's is: the refusal it may lead to names no file.
std::vector<sPbemRepoEntry> ReadRecords(const std::string& data)
{
    std::vector<sPbemRepoEntry> records;
    const size_t whole = data.size() / kPbemRepoRecordSize;
    for (size_t k = 0; k < whole; ++k)
        records.push_back(ParseRecord(reinterpret_cast<const unsigned char*>(data.data()) + k * kPbemRepoRecordSize));
    if (data.size() % kPbemRepoRecordSize != 0)
        LogLine(L"WARNING: %s is %i bytes long, not a whole number of %i-byte records; the %i bytes after record %i "
                L"are ignored",
                kRepoPath, int(data.size()), kPbemRepoRecordSize, int(data.size() % kPbemRepoRecordSize), int(whole));
    return records;
}
} // namespace

void WritePbemRepositoryEntry(int playerId, const std::wstring& gameName)
{
    const std::filesystem::path path = HostPath(kRepoPath);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file)
        FatalExit(1, LangMessage("error_while_opening_repo.dat_file._exiting."));
    const std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::u16string name = RecordName(gameName);
    const std::vector<sPbemRepoEntry> records = ReadRecords(data);
    // A partial record at the end is written over: appended after it, every later record would
    // be read out of step.
    size_t offset = records.size() * kPbemRepoRecordSize;
    for (size_t k = 0; k < records.size(); ++k)
        if (records[k].name == name)
        {
            offset = k * kPbemRepoRecordSize;
            break;
        }
    file.clear();
    file.seekp(std::streamoff(offset));
    const std::string record = BuildRecord(name, playerId);
    file.write(record.data(), std::streamsize(record.size()));
}

int ReadPbemRepositoryEntry(const std::wstring& gameName, const std::function<int()>& nextPlayerId)
{
    std::string data;
    {
        std::ifstream file(HostPath(kRepoPath), std::ios::binary);
        if (!file)
            FatalExit(1, LangMessage("repo.dat_file_not_found._exiting"));
        data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    const std::u16string name = RecordName(gameName);
    for (const sPbemRepoEntry& entry : ReadRecords(data))
        if (entry.name == name)
            return entry.playerId;
    const int id = nextPlayerId ? nextPlayerId() : g_World.hooks.nextPbemPlayerId();
    WritePbemRepositoryEntry(id, gameName);
    return id;
}
