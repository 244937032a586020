#include "platform/file_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

cFileLock::cFileLock(std::filesystem::path path) : m_Path(std::move(path))
{
    // A holder removes the file as it lets go: a file opened just before that is locked in
    // turn but no longer lies at the path, where a third program may have made another. The
    // lock counts only on the file that lies there.
    for (int attempt = 0; attempt < 16; ++attempt) {
        // Not handed to a program this one starts: that one would hold it on.
        const int fd = ::open(m_Path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            m_Busy = errno == EWOULDBLOCK;
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
}

cFileLock::~cFileLock()
{
    if (m_Fd < 0)
        return;
    std::error_code ec;
    std::filesystem::remove(m_Path, ec);
    ::close(m_Fd);
}
