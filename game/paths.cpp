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

std::wstring WithForwardSlashes(std::wstring text)
{
    for (wchar_t& c : text)
        if (c == L'\\')
            c = L'/';
    return text;
}
