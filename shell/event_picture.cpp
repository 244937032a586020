#include "shell/event_picture.h"

#include "core/log.h"
#include "platform/paths.h"
#include "platform/texture.h"

bool IsSafeEventPictureName(std::wstring_view name)
{
    if (name.empty() || name.front() == L'/' || name.front() == L'\\' || name.find_first_of(std::wstring_view(L":\0", 2)) != std::wstring_view::npos)
        return false;
    // Either separator splits the name: the game writes '\' and the host uses '/'.
    size_t start = 0;
    bool anyPart = false;
    while (start <= name.size()) {
        size_t end = name.find_first_of(L"/\\", start);
        if (end == std::wstring_view::npos)
            end = name.size();
        const std::wstring_view part = name.substr(start, end - start);
        if (part == L"..")
            return false;
        if (!part.empty() && part != L".")
            anyPart = true;
        start = end + 1;
    }
    return anyPart;
}

std::shared_ptr<cTexture> LoadEventPicture(const std::wstring& name)
{
    if (!IsSafeEventPictureName(name)) {
        LogLine(L"ERROR: the event picture \"%s\" is not a file of data\\events: not shown", name);
        return nullptr;
    }
    const std::wstring path = L"data\\events\\" + name;
    std::shared_ptr<cTexture> picture = cTexture::LoadFromFile(HostPath(path));
    LogLine(picture ? L"Loading file \"%s\" (%i) [OK]" : L"Loading file \"%s\" (%i) [FAILED]", path, 1);
    return picture;
}
