#include "game/paths.h"

namespace {
constexpr std::wstring_view kSlot = L"%s";
}

std::wstring MakeFolderPattern(std::wstring_view root, std::wstring_view folder)
{
    std::wstring out(root);
    out += L'\\';
    out += folder;
    out += L'\\';
    out += kSlot;
    return out;
}

std::wstring PatternFolder(std::wstring_view pattern)
{
    std::wstring_view folder = pattern;
    if (folder.size() >= kSlot.size() && folder.substr(folder.size() - kSlot.size()) == kSlot)
        folder.remove_suffix(kSlot.size());
    if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.remove_suffix(1);
    return std::wstring(folder);
}

std::wstring JoinPathPattern(std::wstring_view pattern, std::wstring_view fileName)
{
    if (pattern.size() >= kSlot.size() && pattern.substr(pattern.size() - kSlot.size()) == kSlot) {
        std::wstring out(pattern.substr(0, pattern.size() - kSlot.size()));
        out += fileName;
        return out;
    }
    // A pattern without its slot names the folder itself.
    return JoinFolder(pattern, fileName);
}

std::wstring JoinFolder(std::wstring_view folder, std::wstring_view fileName)
{
    std::wstring out(folder);
    if (!out.empty() && out.back() != L'\\' && out.back() != L'/')
        out += L'\\';
    out += fileName;
    return out;
}
