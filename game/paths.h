#pragma once
// Folder patterns of the folder being loaded: a folder followed by "%s", the place of a
// file name. Names are joined into them, never formatted, so a folder name holding '%'
// cannot upset a path.
#include <string>
#include <string_view>

// "<root>\<folder>\%s", e.g. data\scenarios\Europe\%s.
std::wstring MakeFolderPattern(std::wstring_view root, std::wstring_view folder);
// The pattern's final "%s" replaced by the file name.
std::wstring JoinPathPattern(std::wstring_view pattern, std::wstring_view fileName);
// "<folder>\<file>", for the writers that get the save folder.
std::wstring JoinFolder(std::wstring_view folder, std::wstring_view fileName);
// The text with the game's '\' in paths written '/', as this system writes paths: for a
// refusal a player or an author reads.
std::wstring WithForwardSlashes(std::wstring text);
