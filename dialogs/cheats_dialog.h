#pragma once
// The testing window: for a chosen country, human or computer control, its production and
// diplomacy points, and firing a scripted event by its id. Every change is reported to
// every country.
#include <string>

#include "dialogs/dialog_stack.h"

constexpr int kCheatsDialogKind = 630;
constexpr int kCheatsCountryListId = 632;
constexpr int kCheatsComputerId = 634;
constexpr int kCheatsHumanId = 635;
constexpr int kCheatsProductionId = 636;
constexpr int kCheatsDiplomacyId = 637;
constexpr int kCheatsEventIdId = 638;
constexpr int kCheatsFireId = 639;
constexpr int kCheatsCloseId = 640;

// The event id to fire, kept between openings of the window.
extern int g_CheatEventId;

class cPanstwo;

class cDialogCheatow : public cDialog
{
public:
    cDialogCheatow();

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;

    int ChosenCountryId() const { return m_CountryId; }

private:
    void Refresh();
    void Report(const std::wstring& text);
    cPanstwo* Chosen() const;

    void OnCountryChosen();
    void OnComputerChosen();
    void OnHandOverAnswered(bool yes);
    void HandToComputer(cPanstwo& country);
    void OnHumanChosen();
    void OnProductionTyped();
    void OnDiplomacyTyped();
    void OnEventIdTyped();
    void OnFirePressed();
    void OnClosePressed();

    int m_CountryId = 0;
    int m_HandOverAsked = 0; // the country whose hand-over waits for the question's answer
};

// A number as typed: leading blanks and a sign, digits up to the first other character,
// 0 when no digit stands there; beyond the range of int it stops at its end.
int ReadTypedNumber(const std::wstring& text);
