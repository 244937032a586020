// The hotkeys list and the testing window.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <sstream>

#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/cheats_dialog.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/hotkeys_dialog.h"
#include "game/game.h"
#include "game/reports.h"
#include "gui/controls.h"
#include "tests/dialogs/dialog_bench.h"
#include "tests/test_support.h"
#include "world/country.h"

namespace {

using HotkeysAndCheats = cDialogTest;

TEST_F(HotkeysAndCheats, HotkeysListTheKeysAsTheyAreBoundAndCloseOnEnterOrEscape)
{
    for (uint32_t key : {VK_RETURN, VK_ESCAPE}) {
        PushDialog(new cDialogSkrotowKlawiszowych);
        auto* list = ControlOf<CDXUTListBox>(*Top(), kHotkeysListId, DXUT_CONTROL_LISTBOX);
        ASSERT_EQ(list->GetSize(), 20);
        std::vector<std::wstring> keys;
        for (int row = 0; row < list->GetSize(); ++row) {
            const auto& cells = list->GetItem(row)->cells;
            ASSERT_EQ(cells.size(), 2u) << row;
            keys.push_back(cells[0]);
            EXPECT_FALSE(cells[1].empty()) << row;
        }
        EXPECT_EQ(list->GetItem(4)->cells[1], L"Show/hide unit names") << "F5 shows the unit names";
        EXPECT_EQ(list->GetItem(7)->cells, (std::vector<std::wstring>{L"F8", L"Show/hide AP left"}));
        EXPECT_EQ(keys.back(), L"Tab");
        if (key == VK_RETURN) {
            ASSERT_NO_FATAL_FAILURE(CheckScreen("hotkeys_dialog"));
        }
        Key(key);
        EXPECT_TRUE(OpenKinds().empty());
    }
}

// A player reads the keys in the README before the game: the key table of its "Playing" section
// has a row for every key of the list, named as the list names it, in backquotes.
TEST_F(HotkeysAndCheats, TheReadmesPlayingSectionNamesEveryKeyOfTheList)
{
    std::ifstream file(testing_support::SourceDir() / "README.md");
    std::ostringstream text;
    text << file.rdbuf();
    const std::string readme = text.str();
    const size_t start = readme.find("\n## Playing\n");
    ASSERT_NE(start, std::string::npos) << "README.md has no section \"## Playing\"";
    const std::string playing = readme.substr(start, readme.find("\n## ", start + 1) - start);
    PushDialog(new cDialogSkrotowKlawiszowych);
    auto* list = ControlOf<CDXUTListBox>(*Top(), kHotkeysListId, DXUT_CONTROL_LISTBOX);
    ASSERT_GT(list->GetSize(), 0);
    for (int row = 0; row < list->GetSize(); ++row) {
        const std::string key = "\n| `" + WideToUtf8(list->GetItem(row)->cells.at(0)) + "` |";
        EXPECT_NE(playing.find(key), std::string::npos) << key.substr(1) << " is no row of the README's key table";
    }
}

class Cheats : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(1);
        g_GameLink.forceEvent = [this](int id) {
            fired.push_back(id);
            return false;
        };
    }
    void Retype(int id, const std::wstring& text)
    {
        ControlOf<CDXUTEditBox>(*Top(), id, DXUT_CONTROL_EDITBOX)->SetText(L"");
        Click(id);
        Type(text);
    }
    std::vector<std::wstring> ReportsOf(int countryId) const
    {
        std::vector<std::wstring> texts;
        for (const sRaport& r : g_Gra->m_Reports->GetReports())
            if (r.kind == 30 && r.countryKey == countryId)
                texts.push_back(r.text);
        return texts;
    }
    std::vector<int> fired;
};

TEST_F(Cheats, TypedPointsApplyAtEveryChangeClampedAndReportedToEveryCountry)
{
    GetCountry(1)->PP = 120.7;
    PushDialog(new cDialogCheatow);
    EXPECT_EQ(TextOf(kCheatsProductionId), L"120");
    ASSERT_NO_FATAL_FAILURE(CheckScreen("cheats_dialog"));
    Retype(kCheatsProductionId, L"25");
    EXPECT_EQ(GetCountry(1)->PP, 25.0);
    const auto reports = ReportsOf(1);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports.back(), L"Albion PP changed from 2 to 25 (23 added)");
    EXPECT_EQ(ReportsOf(int(g_Gra->m_Countries.size())).size(), 2u);

    GetCountry(1)->DP = INT_MIN + 5;
    Retype(kCheatsDiplomacyId, L"99999999999");
    EXPECT_EQ(GetCountry(1)->DP, INT_MAX);
    // The first key took the points from near the bottom of int to 9: a difference beyond int.
    EXPECT_EQ(ReportsOf(1)[2], L"Albion DP changed from -2147483643 to 9 (2147483652 added)");
}

TEST_F(Cheats, ControlChangesAndFiredEventsAreReportedAndTheEventIdIsKept)
{
    // Listed: the countries of a political strength of 0 or more.
    GetCountry(2)->PoliticalStrength = 0;
    GetCountry(3)->PoliticalStrength = -1;
    PushDialog(new cDialogCheatow);
    std::vector<std::wstring> listed;
    auto& countries = *ControlOf<CDXUTListBox>(*Top(), kCheatsCountryListId, DXUT_CONTROL_LISTBOX);
    for (int row = 0; row < countries.GetSize(); ++row)
        listed.push_back(countries.GetItem(row)->Text());
    EXPECT_NE(std::find(listed.begin(), listed.end(), GetCountry(2)->Name), listed.end());
    EXPECT_EQ(std::find(listed.begin(), listed.end(), GetCountry(3)->Name), listed.end());
    EXPECT_TRUE(ControlOf<CDXUTRadioButton>(*Top(), kCheatsHumanId, DXUT_CONTROL_RADIOBUTTON)->GetChecked());
    // Albion is the one country a person plays: the hand-over that ends the war is asked first.
    for (int answer : {kConfirmNoId, kConfirmYesId}) {
        Click(kCheatsComputerId);
        ASSERT_EQ(OpenKinds(), (std::vector<int>{kCheatsDialogKind, kConfirmDialogKind}));
        EXPECT_TRUE(GetCountry(1)->HumanControlled);
        Click(answer);
    }
    EXPECT_FALSE(GetCountry(1)->HumanControlled);
    Retype(kCheatsEventIdId, L"99");
    Click(kCheatsFireId);
    EXPECT_EQ(fired, (std::vector<int>{99}));
    EXPECT_EQ(ReportsOf(2).back(), L"Fired event 99");
    Click(kCheatsCloseId);
    EXPECT_TRUE(OpenKinds().empty());

    PushDialog(new cDialogCheatow);
    EXPECT_EQ(TextOf(kCheatsEventIdId), L"99");
}

TEST_F(Cheats, F12OpensTheTestingWindowWhoeverIsMoving)
{
    for (int state : {9, 7}) {
        g_Gra->SetGameState(state);
        g_Gra->OnKeyboard(VK_F1 + 11, true);
        EXPECT_EQ(OpenKinds(), (std::vector<int>{kCheatsDialogKind})) << "game state " << state;
        CloseTopDialogs(-1);
    }
}

TEST(TypedNumbers, ReadLikeTheCLibraryAndStopAtTheEdgesOfInt)
{
    EXPECT_EQ(ReadTypedNumber(L"  -42abc"), -42);
    EXPECT_EQ(ReadTypedNumber(L"+7"), 7);
    EXPECT_EQ(ReadTypedNumber(L"abc"), 0);
    EXPECT_EQ(ReadTypedNumber(L"-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ReadTypedNumber(L"2147483648"), INT_MAX);
}

} // namespace
