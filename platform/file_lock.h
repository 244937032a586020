#pragma once
// An advisory lock on a file that programs sharing one game folder take before they change
// what others may be changing. The system lets go of it when its program ends, however it
// ends: a program killed never leaves it held.
#include <filesystem>

class cFileLock
{
public:
    // Takes the lock of the file (made when missing) if it is free, without waiting.
    explicit cFileLock(std::filesystem::path path);
    // Removes the file while it still holds it, then lets go.
    ~cFileLock();
    cFileLock(const cFileLock&) = delete;
    cFileLock& operator=(const cFileLock&) = delete;

    bool Held() const { return m_Fd >= 0; }
    // Not taken because another holds it (else the file could not be made or opened).
    bool Busy() const { return m_Busy; }

private:
    std::filesystem::path m_Path;
    int m_Fd = -1;
    bool m_Busy = false;
};
