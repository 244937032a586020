#include "tests/game/hostile_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/fatal.h"
#include "core/format.h"
#include "core/text.h"
#include "game/game.h"
#include "game/load_request.h"
#include "game/paths.h"
#include "game/play_counts.h"
#include "game/presentation.h"
#include "game/save_game.h"
#include "platform/paths.h"
#include "tests/game/testland.h"
#include "tests/test_support.h"

namespace hostile {

std::string WithValue(const std::string& text, const char* row, int column, const std::string& value, int& line)
{
    size_t at = text.rfind(row, 0) == 0 ? 0 : text.find(std::string("\n") + row);
    EXPECT_NE(at, std::string::npos) << "no row begins with " << row;
    if (at == std::string::npos)
        return text;
    if (text[at] == '\n')
        ++at;
    line = 1 + int(std::count(text.begin(), text.begin() + std::ptrdiff_t(at), '\n'));
    size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos)
        end = text.size();
    std::vector<std::string> fields = SplitText(std::string_view(text).substr(at, end - at), ';');
    EXPECT_LE(size_t(column), fields.size()) << row;
    if (size_t(column) > fields.size())
        return text;
    fields[size_t(column - 1)] = value;
    std::string joined;
    for (size_t k = 0; k < fields.size(); ++k)
        joined += (k ? ";" : "") + fields[k];
    return text.substr(0, at) + joined + text.substr(end);
}

void ExpectEachTold(eFolder folder, const char* file, const std::vector<sHostileValue>& values)
{
    namespace fs = std::filesystem;
    SetPresentation(nullptr);
    testland::InstallTestland();
    std::wstring name = L"Testland";
    std::wstring folderText = L"data\\scenarios\\Testland\\";
    if (folder == eFolder::kSave) {
        LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
        ASSERT_TRUE(SaveGame(L"hostile", true));
        // The totals of play are the tool's, written beside the game's files as it does.
        g_PlayCounts.Save(L"data\\save\\hostile");
        // Values edited by hand change the files' sizes: the list of them goes, as a player is told.
        std::filesystem::remove(HostPath(JoinFolder(L"data\\save\\hostile", kSavedSizesFileName)));
        DeleteGameObject();
        name = L"hostile";
        folderText = L"data\\save\\hostile\\";
    }
    const fs::path path = HostPath(WideToUtf8(folderText) + file);
    const std::string original = ReadWholeFile(path).value_or("");
    ASSERT_FALSE(original.empty()) << file;
    const sGameLoadRequest request =
        folder == eFolder::kSave ? sGameLoadRequest::ForSave(name) : sGameLoadRequest::ForScenario(name);

    for (const sHostileValue& v : values) {
        int line = 0;
        std::string text = WithValue(original, v.row, v.column, v.value, line);
        if (v.column2 > 0)
            text = WithValue(text, v.row, v.column2, v.value2, line);
        testing_support::WriteFile(path, text);
        testing_support::ClearLog();
        const std::wstring where = FormatText(L"%s%s, line %i, column %i (", folderText, Utf8ToWide(file), line,
                                              v.toldColumn > 0 ? v.toldColumn : v.column);
        std::wstring reason;
        bool refused = false;
        try {
            LoadGame(request);
            // The tool reads its totals after the game and goes no further when they are refused.
            if (folder == eFolder::kSave)
                try {
                    g_PlayCounts.Load(request.folderPattern);
                } catch (const sFatalExit&) {
                    DeleteGameObject();
                    throw;
                }
        } catch (const sFatalExit& e) {
            refused = true;
            reason = e.reason;
        }
        if (!v.refused) {
            EXPECT_FALSE(refused) << file << " column " << v.column << " = " << v.value << ": " << WideToUtf8(reason);
            const std::wstring expected = L"WARNING: " + where + v.told;
            EXPECT_TRUE(testing_support::LogContains(expected))
                << file << " column " << v.column << " = " << v.value << ": no log line " << WideToUtf8(expected);
        } else {
            EXPECT_EQ(reason, where + v.told) << file << " column " << v.column << " = " << v.value;
            EXPECT_EQ(g_Gra, nullptr);
        }
        DeleteGameObject();
    }
    testing_support::WriteFile(path, original);
}

} // namespace hostile
