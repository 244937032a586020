#include "platform/paths.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "core/text.h"

std::filesystem::path HostPath(std::wstring_view gamePath)
{
    std::wstring p(gamePath);
    for (wchar_t& c : p)
        if (c == L'\\')
            c = L'/';
    return std::filesystem::path(WideToUtf8(p));
}

std::filesystem::path HostPath(std::string_view gamePath)
{
    std::string p(gamePath);
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return std::filesystem::path(p);
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return std::nullopt;
    std::string data;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0)
        return std::nullopt;
    in.seekg(0, std::ios::beg);
    data.resize(size_t(size));
    if (size > 0 && !in.read(data.data(), size))
        return std::nullopt;
    return data;
}

std::optional<std::string> ReadTextFile(const std::filesystem::path& path, std::uintmax_t* tooLarge)
{
    if (tooLarge)
        *tooLarge = 0;
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxTextFileBytes) {
        if (tooLarge)
            *tooLarge = size;
        return std::nullopt;
    }
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (bytes && bytes->compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes->erase(0, 3);
    return bytes;
}

std::optional<std::vector<std::wstring>> ReadTextLines(const std::filesystem::path& path)
{
    std::optional<std::string> bytes = ReadTextFile(path);
    if (!bytes)
        return std::nullopt;
    const std::wstring text = Utf8ToWide(*bytes);
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    return lines;
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::error_code* why)
{
    // Written with the system's own calls, so that the reason of a failure is the system's: a
    // stream tells only that it failed. The close is checked too: on some file systems a full
    // disk shows only there.
    auto fail = [why](int error) {
        if (why)
            *why = std::error_code(error, std::generic_category());
        return false;
    };
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0)
        return fail(errno);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(file, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            const int error = wrote < 0 ? errno : ENOSPC;
            ::close(file);
            return fail(error);
        }
        done += size_t(wrote);
    }
    if (::close(file) != 0)
        return fail(errno);
    return true;
}

bool FileExists(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool DirectoryExists(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool CreateDirectories(const std::filesystem::path& path)
{
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return DirectoryExists(path);
}

cFileLock::cFileLock(std::filesystem::path path) : m_Path(std::move(path))
{
    // A holder removes the file as it lets go: a file opened just before that is locked in
    // turn but no longer lies at the path, where a third program may have made another. The
    // lock counts only on the file that lies there.
    for (int attempt = 0; attempt < 16; ++attempt) {
        // Not handed to a program this one starts: that one would hold it on.
        const int fd = ::open(m_Path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            m_Error = std::error_code(errno, std::generic_category());
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            m_Busy = errno == EWOULDBLOCK;
            m_Error = std::error_code(errno, std::generic_category());
            ::close(fd);
            return;
        }
        struct stat opened = {}, named = {};
        if (::fstat(fd, &opened) == 0 && ::stat(m_Path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino) {
            m_Fd = fd;
            return;
        }
        ::close(fd);
    }
    // Made anew by others each time it was taken: they are saving under the name.
    m_Busy = true;
}

cFileLock::~cFileLock()
{
    if (m_Fd < 0)
        return;
    std::error_code ec;
    std::filesystem::remove(m_Path, ec);
    ::close(m_Fd);
}
