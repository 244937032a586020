#include "world/pbem_repo.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

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

// Why the file cannot be used, in words a player can act on: it is only a record, and a
// player can delete it, make a folder of it or take its rights.
std::wstring WhyUnusable(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return LangMessage("pbem_repository_is_a_folder");
    if (!std::filesystem::exists(path, ec))
        return LangMessage("pbem_repository_missing");
    return LangMessage("pbem_repository_not_opened");
}

bool Refuse(const std::filesystem::path& path, std::wstring* why)
{
    const std::wstring reason = WhyUnusable(path);
    LogLine(L"ERROR: %s: %s", kRepoPath, reason);
    if (why)
        *why = reason;
    return false;
}

// A file there that cannot be written (a full disk, a read-only folder): the system's reason.
bool RefuseWrite(const std::filesystem::path& path, int error, std::wstring* why)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec) || !std::filesystem::exists(path, ec))
        return Refuse(path, why);
    const std::wstring reason = Utf8ToWide(std::generic_category().message(error));
    LogLine(L"ERROR: %s could not be written: %s", kRepoPath, reason);
    if (why)
        *why = reason;
    return false;
}
} // namespace

bool WritePbemRepositoryEntry(int playerId, const std::wstring& gameName, std::wstring* why)
{
    // The system's own calls, whose failures carry the system's reason; a stream's do not.
    const std::filesystem::path path = HostPath(kRepoPath);
    const int file = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (file < 0)
        return RefuseWrite(path, errno, why);
    std::string data;
    char buffer[4096];
    for (ssize_t got; (got = ::read(file, buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(file);
            return RefuseWrite(path, error, why);
        }
        data.append(buffer, size_t(got));
    }
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
    const std::string record = BuildRecord(name, playerId);
    for (size_t done = 0; done < record.size();) {
        const ssize_t wrote = ::pwrite(file, record.data() + done, record.size() - done, off_t(offset + done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            const int error = wrote < 0 ? errno : ENOSPC;
            // A record cut short at the end would be read as damage: the file stays as it was.
            if (offset + record.size() > data.size() && ::ftruncate(file, off_t(data.size())) != 0)
                LogLine(L"ERROR: %s could not be cut back to %i bytes", kRepoPath, int(data.size()));
            ::close(file);
            return RefuseWrite(path, error, why);
        }
        done += size_t(wrote);
    }
    if (::close(file) != 0)
        return RefuseWrite(path, errno, why);
    return true;
}

std::optional<std::wstring> MakePbemRepository()
{
    const std::filesystem::path path = HostPath(kRepoPath);
    std::error_code ec;
    // Whatever is there already (a folder too) is the reader's to refuse, naming it.
    if (std::filesystem::exists(path, ec) || std::filesystem::is_symlink(path, ec))
        return std::nullopt;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (!ec)
        WriteWholeFile(path, "", &ec);
    if (!ec)
        return std::nullopt;
    const std::wstring reason = Utf8ToWide(ec.message());
    LogLine(L"ERROR: %s could not be made: %s", kRepoPath, reason);
    return reason;
}

std::optional<int> ReadPbemRepositoryEntry(const std::wstring& gameName, const std::function<int()>& nextPlayerId,
                                           std::wstring* why)
{
    std::string data;
    {
        const std::filesystem::path path = HostPath(kRepoPath);
        std::error_code ec;
        std::ifstream file(path, std::ios::binary);
        // A folder opens for reading here and reads as an empty file.
        if (!file || std::filesystem::is_directory(path, ec)) {
            Refuse(path, why);
            return std::nullopt;
        }
        data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    const std::u16string name = RecordName(gameName);
    for (const sPbemRepoEntry& entry : ReadRecords(data))
        if (entry.name == name)
            return entry.playerId;
    const int id = nextPlayerId ? nextPlayerId() : g_World.hooks.nextPbemPlayerId();
    if (!WritePbemRepositoryEntry(id, gameName, why))
        return std::nullopt;
    return id;
}
