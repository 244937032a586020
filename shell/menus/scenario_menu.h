#pragma once
// The scenario list: three tabs list the scenario, saved-game and play-by-e-mail folders;
// a row shows the details of its Info.ini and its picture; Start loads the folder behind
// the loading screen.
#include <memory>
#include <string>
#include <vector>

#include "shell/menus/menu.h"

// The name of the entry last selected in the list; selected again when the list refills,
// and the scenario settings menu's title.
extern std::wstring g_SelectedEntryName;

class cScenarioMenu : public cMenu
{
public:
    cScenarioMenu();

    void OnGUIEvent(unsigned event, int id, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool down, bool alt) override;
    void OnRender(float elapsed) override;

    // Lists the folders of the selected tab.
    void FillList();

    void OnTabChanged();
    void OnRowSelected();
    void OnRowDoubleClicked();
    void OnStartPressed();
    void OnBackPressed();

    int GetSelectedTab() const { return m_SelectedTab; }
    // Selects the row of that folder and shows its details; nothing when it is not listed.
    void SelectRow(const std::wstring& folderPattern);

private:
    void ShowDetails();
    // An empty list: no details, no picture, and a word on why the list is empty.
    void ShowNothingToLoad();
    void StartSelected(bool doubleClick);
    // The game picked could not be loaded: a new list, on the same tab and row as this one,
    // becomes current and says why.
    static void RefuseGame(int tab, const std::wstring& folderPattern, const std::wstring& reason);

    int m_SelectedTab = 0;
    // The folder pattern of every row; the rows point into it.
    std::vector<std::unique_ptr<std::wstring>> m_Patterns;
};

// A new scenario list becomes the current menu, its list filled.
void OpenScenarioMenu();
