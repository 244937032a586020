#pragma once
// The units of one country, on the map or waiting in the reserve, in tabs for land, air and
// naval units and filtered by type. On the map tab a unit is picked for a move; on the
// deploy tab it is put on the map by a click on a marked hex, after which the window comes
// back after the deploy delay. The filters and the chosen tab outlast the window.
#include <cstdint>

#include "dialogs/dialog_stack.h"

class cUnit;
class cJednostkaMorska;

constexpr int kUnitsDialogKind = 480;
constexpr int kUnitsKindTabsId = 483;
constexpr int kUnitsFirstLandFilterId = 484;
constexpr int kUnitsFirstAirFilterId = 491;
constexpr int kUnitsFirstNavalFilterId = 494;
constexpr int kUnitsListId = 501;
constexpr int kUnitsSelectId = 502;
constexpr int kUnitsAutoCenterId = 503;
constexpr int kUnitsPlaceTabsId = 504;
constexpr int kUnitsCloseId = 505;

// Bit t shows land type t (the Mulberry harbour counts as infantry), bit type - 20 an air
// type, bit type - 40 a naval type.
extern uint32_t g_UnitsMgrLandFilter;
extern uint32_t g_UnitsMgrAirFilter;
extern uint32_t g_UnitsMgrNavalFilter;
extern bool g_UnitsMgrAutoCenter;
extern int g_UnitsMgrToDeploy; // 1: the deploy tab, 0: the map tab

// The unit picked in the window, by category and id, not by pointer: a unit killed or deployed
// while picked would leave the pointer dangling. None (id 0) once the window is gone.
struct sUnitsMgrChoice
{
    int category = 0;
    int id = 0;
};
extern sUnitsMgrChoice g_UnitsMgrSelectedUnit;
// The picked unit, wherever it is now (map or reserve), or null.
cUnit* UnitsMgrSelectedUnit();

void SetFilterBit(uint32_t& mask, int bit, bool on);

class cDialogJednostek : public cDialog
{
public:
    explicit cDialogJednostek(int countryId);
    ~cDialogJednostek() override;

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;
    void OnReactivate() override;

    void RefreshList(int unitId);
    void SelectUnit(int unitId);

private:
    int KindTab();
    int FirstFilterId(int tab) const;
    int FilterCount(int tab) const;
    uint32_t& FilterOf(int tab) const;
    void LabelFilters(int tab);
    void ListUnits(int tab);
    void CenterOnSelected(bool afterAutoCenter);
    // Select on a ship: its fleet's sea zone or port, as a click on it selects it.
    void SelectFleetOf(const cJednostkaMorska& ship);

    void OnKindTabChosen();
    void OnFilterChanged(int controlId);
    void OnUnitChosen();
    void OnSelectPressed();
    void OnAutoCenterChanged();
    void OnPlaceTabChosen();
    void OnClosePressed();

    int m_CountryId;
};
