#include "dialogs/cheats_dialog.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <cwctype>

#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/confirm_dialog.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/reports.h"
#include "gui/controls.h"
#include "world/country.h"

int g_CheatEventId = 0;

namespace {

constexpr int kCheatReportKind = 30;

// The points cut to a whole number; beyond int they stop at its ends (a float beyond it
// has no int value at all).
int WholePoints(double points)
{
    return TruncateToInt(points);
}

// The country whose hand-over to the computer leaves no person in the war, which ends it.
bool IsTheLastPersonsCountry(const cPanstwo& country)
{
    if (!g_Gra || !country.IsActive || !country.HumanControlled)
        return false;
    for (const cPanstwo* other : g_Gra->m_Countries)
        if (other != &country && other->IsActive && other->HumanControlled)
            return false;
    return true;
}

} // namespace

// As the C library reads a number into a 32-bit long: a number beyond it stops at its ends.
int ReadTypedNumber(const std::wstring& text)
{
    size_t at = 0;
    while (at < text.size() && std::iswspace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-'))
        negative = text[at++] == L'-';
    long long value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at)
        value = std::min<long long>(value * 10 + (text[at] - L'0'), 1LL + INT_MAX);
    if (negative)
        value = -value;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A testing window: its texts are fixed English, not the language table's.
cDialogCheatow::cDialogCheatow() : cDialog(kCheatsDialogKind, LayoutRow(kCheatsDialogKind))
{
    AddButtonFromLayout(kCheatsCloseId, L"Close", L"Close this dialog");
    AddButtonFromLayout(kCheatsFireId, L"Fire", L"Fire event with given ID");
    AddListBoxFromLayout(kCheatsCountryListId, 0);
    AddEditBoxFromLayout(kCheatsProductionId, L"", L"Production points");
    AddEditBoxFromLayout(kCheatsDiplomacyId, L"", L"Diplomacy points");
    AddEditBoxFromLayout(kCheatsEventIdId, L"", L"Event ID to fire");
    AddRadioButtonFromLayout(kCheatsComputerId, 1, L"AI", L"AI controlled", true);
    AddRadioButtonFromLayout(kCheatsHumanId, 1, L"Human", L"Human controlled", false);

    auto* list = static_cast<CDXUTListBox*>(GetControl(kCheatsCountryListId, DXUT_CONTROL_LISTBOX));
    const cPanstwo* player = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
    if (list && g_Gra) {
        for (const cPanstwo* country : g_Gra->m_Countries) {
            if (!country->IsActive || country->PoliticalStrength < 0)
                continue;
            list->AddItem(ListCellText(country->Name), reinterpret_cast<void*>(intptr_t(country->ID)));
            if (country == player) {
                list->SelectItem(list->GetSize() - 1);
                m_CountryId = country->ID;
            }
        }
    }
    Refresh();
}

cPanstwo* cDialogCheatow::Chosen() const { return GetCountry(m_CountryId); }

void cDialogCheatow::Refresh()
{
    const cPanstwo* country = Chosen();
    if (auto* human = static_cast<CDXUTRadioButton*>(GetControl(kCheatsHumanId, DXUT_CONTROL_RADIOBUTTON))) {
        const bool isHuman = country && country->HumanControlled;
        human->SetCheckedInternal(isHuman, true, false, false);
        // Unchecking "Human" alone would leave a computer's country with neither button checked.
        if (auto* computer = static_cast<CDXUTRadioButton*>(GetControl(kCheatsComputerId, DXUT_CONTROL_RADIOBUTTON)))
            computer->SetCheckedInternal(!isHuman, true, false, false);
    }
    auto setText = [this](int id, const std::wstring& text) {
        if (auto* edit = static_cast<CDXUTEditBox*>(GetControl(id, DXUT_CONTROL_EDITBOX)))
            edit->SetText(text.c_str());
    };
    setText(kCheatsProductionId, country ? FormatText(L"%d", WholePoints(country->PP)) : L"");
    setText(kCheatsDiplomacyId, country ? FormatText(L"%d", country->DP) : L"");
    setText(kCheatsEventIdId, FormatText(L"%d", g_CheatEventId));
}

void cDialogCheatow::Report(const std::wstring& text)
{
    if (!g_Gra || !g_Gra->m_Reports)
        return;
    for (int id = 1; id <= int(g_Gra->m_Countries.size()); ++id) {
        sRaport report;
        report.kind = kCheatReportKind;
        report.countryKey = id;
        report.text = text;
        g_Gra->m_Reports->AddReport(report);
    }
}

void cDialogCheatow::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    cWindowLock lock;
    switch (controlId) {
    case kCheatsCountryListId: OnCountryChosen(); break;
    case kCheatsComputerId: OnComputerChosen(); break;
    case kCheatsHumanId: OnHumanChosen(); break;
    case kCheatsProductionId: OnProductionTyped(); break;
    case kCheatsDiplomacyId: OnDiplomacyTyped(); break;
    case kCheatsEventIdId: OnEventIdTyped(); break;
    case kCheatsFireId: OnFirePressed(); break;
    case kCheatsCloseId: OnClosePressed(); break;
    case kConfirmYesId: OnHandOverAnswered(true); break;
    case kConfirmNoId: OnHandOverAnswered(false); break;
    default: break;
    }
}

void cDialogCheatow::OnCountryChosen()
{
    auto* list = static_cast<CDXUTListBox*>(GetControl(kCheatsCountryListId, DXUT_CONTROL_LISTBOX));
    if (!list || list->GetSelectedIndex() < 0)
        return;
    m_CountryId = int(reinterpret_cast<intptr_t>(list->GetSelectedData()));
    Refresh();
}

void cDialogCheatow::OnComputerChosen()
{
    cPanstwo* country = Chosen();
    if (!country)
        return;
    // Nothing a person could still do is taken from them by surprise: they are asked first.
    if (IsTheLastPersonsCountry(*country)) {
        m_HandOverAsked = country->ID;
        Refresh(); // "Human" stays checked until the answer
        auto* question = new cDialogPotwierdzenia(
            L"The last person's country",
            FormatText(L"No other country is played by a person. Played by the computer, %s leaves no person "
                       L"in the war: the war ends with this turn and the game is over.\n\nHand %s to the computer?",
                       country->Name, country->Name),
            L"Hand over", L"The computer plays on and the war ends", L"Keep it", L"The person keeps the country");
        question->SetOwner(this);
        PushDialog(question);
        return;
    }
    HandToComputer(*country);
}

void cDialogCheatow::OnHandOverAnswered(bool yes)
{
    cPanstwo* country = GetCountry(m_HandOverAsked);
    m_HandOverAsked = 0;
    if (yes && country)
        HandToComputer(*country);
    Refresh();
}

void cDialogCheatow::HandToComputer(cPanstwo& country)
{
    Report(FormatText(L"%s controller changed to AI", country.Name));
    country.HumanControlled = false;
}

void cDialogCheatow::OnHumanChosen()
{
    if (cPanstwo* country = Chosen()) {
        Report(FormatText(L"%s controller changed to Human", country->Name));
        country->HumanControlled = true;
    }
}

void cDialogCheatow::OnProductionTyped()
{
    cPanstwo* country = Chosen();
    auto* edit = static_cast<CDXUTEditBox*>(GetControl(kCheatsProductionId, DXUT_CONTROL_EDITBOX));
    if (!country || !edit)
        return;
    const int typed = ReadTypedNumber(edit->GetText());
    const int old = WholePoints(country->PP);
    // The change is counted in 64 bits: from near one end of int to the other it does not fit.
    Report(FormatText(L"%s PP changed from %d to %d (%d added)", country->Name, old, typed, (long long)typed - old));
    country->PP = typed;
    if (g_DialogLinks.refreshPoints)
        g_DialogLinks.refreshPoints();
}

void cDialogCheatow::OnDiplomacyTyped()
{
    cPanstwo* country = Chosen();
    auto* edit = static_cast<CDXUTEditBox*>(GetControl(kCheatsDiplomacyId, DXUT_CONTROL_EDITBOX));
    if (!country || !edit)
        return;
    const int typed = ReadTypedNumber(edit->GetText());
    const int old = country->DP;
    Report(FormatText(L"%s DP changed from %d to %d (%d added)", country->Name, old, typed, (long long)typed - old));
    country->DP = typed;
    if (g_DialogLinks.refreshPoints)
        g_DialogLinks.refreshPoints();
}

void cDialogCheatow::OnEventIdTyped()
{
    if (auto* edit = static_cast<CDXUTEditBox*>(GetControl(kCheatsEventIdId, DXUT_CONTROL_EDITBOX)))
        g_CheatEventId = ReadTypedNumber(edit->GetText());
}

void cDialogCheatow::OnFirePressed()
{
    if (g_GameLink.forceEvent)
        g_GameLink.forceEvent(g_CheatEventId);
    Report(FormatText(L"Fired event %d", g_CheatEventId));
}

void cDialogCheatow::OnClosePressed() { CloseTopDialogs(1); }
