#pragma once
// The diplomatic state of the country that holds the selected hex, and the player's seven
// diplomatic actions: on his own country (alliance entry, elections, orientation) or
// against another (war, pressure, coup). Each action button is enabled by its check, and
// the check's text is its hint, so the player reads why it is refused or what it costs.
#include <functional>
#include <string>

#include "dialogs/panel.h"

class cPanstwo;

constexpr int kDiplomacyPanelFrameId = 601;
constexpr int kDiplomacyDeclareWarId = 602;
constexpr int kDiplomacyPressureId = 603;
constexpr int kDiplomacyCoupId = 604;
constexpr int kDiplomacyDelayEntryId = 605;
constexpr int kDiplomacyHastenEntryId = 606;
constexpr int kDiplomacyElectionsId = 607;
constexpr int kDiplomacyOrientationId = 608;
constexpr int kDiplomacyFlagId = 610;
constexpr int kDiplomacyCountryId = 611;
constexpr int kDiplomacyWarListId = 627;

class cDiplomacyPanel : public cPanel
{
public:
    // Which answer the panel waits for.
    enum ePending
    {
        PENDING_NONE = 0,
        PENDING_WAR = 1,
        PENDING_ELECTIONS = 2,
        PENDING_ORIENTATION = 3,
    };

    cDiplomacyPanel();

    CDXUTDialog* GetDialog() override { return this; }
    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void ForgetPendingAnswer() override { m_Pending = PENDING_NONE; }

    // Fills the panel from the controller of the selected hex.
    void Refresh();
    int Pending() const { return m_Pending; }

private:
    void OnDeclareWarPressed();
    void OnWarConfirmed();
    void OnPressurePressed();
    void OnCoupPressed();
    void OnDelayEntryPressed();
    void OnHastenEntryPressed();
    void OnElectionsPressed();
    void OnChangeOrientationPressed();
    void OnChoiceMade(int orientation);
    // The question before a war: the target, and the countries the war brings in with it.
    std::wstring WarQuestion(const cPanstwo& shown) const;

    cPanstwo* Shown() const;
    cPanstwo* Acting() const;
    // Free for a new action; a window closed unanswered no longer counts.
    bool IsIdle();
    void SetBox(int id, const std::wstring& text);
    void SetAction(int id, bool allowed, const std::wstring& hint);
    // The result of an action: on top, or under the closing question (offset -1).
    void ShowResult(const std::wstring& text, const std::wstring& title, int offset = 0);
    // Runs the action under the lock and shows the text it writes.
    void RunAction(const std::function<void(std::wstring&)>& action, const std::wstring& title, int offset = 0);
    // The choice of orientation, whose answer the panel then waits for.
    void OpenChoice(const cPanstwo& country, int pending);

    int m_ShownId = 0;
    int m_ActingId = 0;
    int m_Pending = PENDING_NONE;
};

cDiplomacyPanel* DiplomacyPanel();
