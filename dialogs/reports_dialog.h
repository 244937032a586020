#pragma once
// The reports window: the game's reports one at a time, by kind and country, and three
// tables instead of reports: victory points, a country's statistics and its naval losses.
#include <list>

#include "dialogs/dialog_stack.h"
#include "game/reports.h"

constexpr int kReportsDialogKind = 810;
constexpr int kReportsGroupTabsId = 813;
constexpr int kReportsKindListId = 815;
constexpr int kReportsCountryListId = 817;
constexpr int kReportsPositionTextId = 818;
constexpr int kReportsSliderId = 819;
constexpr int kReportsTableTabsId = 820;
constexpr int kReportsTableId = 821;
constexpr int kReportsDateId = 823;
constexpr int kReportsTextId = 824;
constexpr int kReportsExitId = 826;

// The kinds that show tables.
constexpr int kReportKindGeneralSummary = 28;
constexpr int kReportKindVictoryPoints = 29;
constexpr int kReportKindLostNavalUnits = 33;

class cDialogStatystyk : public cDialog
{
public:
    cDialogStatystyk();

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;

    // The report kinds of a group (0 statistics, 1 events).
    void FillKindList(int group);
    // The active country and its allies, by name; the chosen one stays chosen.
    void FillCountryList();
    // The reports or the table of the chosen kind; with reset the newest report.
    void FillView(bool reset);

    int SelectedKind() const { return m_SelectedKind; }
    int SelectedCountryId() const { return m_SelectedCountryId; }
    int ReportCount() const { return int(m_Reports.size()); }

private:
    void OnGroupChosen();
    void OnKindChosen();
    void OnCountryChosen();
    void OnExitPressed();

    void ShowOpeningKind();
    void ShowTable(bool table);
    void SetTableTabs(int layout);
    void FillVictoryPoints(int tab);
    void FillStatistics(int tab);
    void FillNavalLosses();
    void BrowseReports(bool reset);

    std::list<sRaport> m_Reports;
    int m_SelectedCountryId = 0;
    // Before the player picks a kind the window opens on the first: the general summary.
    int m_SelectedKind = kReportKindGeneralSummary;
    bool m_KindPicked = false;
    int m_TableLayout = -1;
};
