#pragma once
// What the scenario list asks for when the player picks an entry.
#include <string>
#include <string_view>

#include "game/paths.h"

struct sGameLoadRequest
{
    // The folder followed by "%s": data\scenarios\<name>\%s, data\save\<name>\%s or
    // data\pbem\<name>\%s.
    std::wstring folderPattern;
    // 1 for a saved or play-by-e-mail game, 0 for a scenario.
    int loadedFromSave = 0;
    // The scenario generator reads a scenario to write it back as it stands: without the
    // pass that readies a new scenario for play.
    bool asWritten = false;

    static sGameLoadRequest ForScenario(std::wstring_view name)
    {
        return {MakeFolderPattern(L"data\\scenarios", name), 0};
    }
    static sGameLoadRequest ForSave(std::wstring_view name) { return {MakeFolderPattern(L"data\\save", name), 1}; }
    static sGameLoadRequest ForPbem(std::wstring_view name) { return {MakeFolderPattern(L"data\\pbem", name), 1}; }
};
