#pragma once
// Where the moving country spends production points: land and air units at the levels its
// research allows, ships, and strategic movement, sea transport and amphibious points.
// Bought units go to the reserve with their delivery delay; points count at once.
#include <memory>

#include "dialogs/dialog_stack.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"

constexpr int kPurchaseDialogKind = 740;
constexpr int kPurchaseTabsId = 743;
constexpr int kPurchaseListId = 745;
constexpr int kPurchaseLevel1Id = 746;
constexpr int kPurchaseCostId = 752;
constexpr int kPurchaseAvailableId = 754;
constexpr int kPurchasePreviewId = 755;
constexpr int kPurchaseBuyId = 756;
constexpr int kPurchaseExitId = 757;

// What a row of the list buys: land types 0-6, air 7-9, ships 10-13, then one strategic
// movement point, ten sea transport points and one amphibious invasion point.
enum ePurchaseItem
{
    ITEM_LAST_LAND = 6,
    ITEM_LAST_AIR = 9,
    ITEM_LAST_NAVAL = 13,
    ITEM_STRATEGIC_POINT = 14,
    ITEM_SEA_TRANSPORT_POINTS = 15,
    ITEM_AMPHIBIOUS_POINT = 16,
};

class cDialogZakupow : public cDialog
{
public:
    cDialogZakupow();

    void OnRender(float elapsed) override;
    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;

    int SelectedLevel() const { return m_Level; }
    float SelectedPrice() const { return m_Price; }

private:
    void ComputePrices();
    void FillList();
    void TakeSelection();
    void RefreshSelection();
    void UpdateLevelButtons(int maxLevel);
    void PrepareLandTemplate(int type);
    void PrepareAirTemplate(int type);
    void PrepareNavalTemplate(int type);
    int SelectedTab();
    int Delivery(int item) const;

    void OnTabChosen();
    void OnItemChosen();
    void OnLevelChosen(int level);
    void OnBuyPressed();
    void OnExitPressed();

    float m_LandPrices[7][5] = {};
    float m_AirPrices[3][5] = {};
    float m_NavalPrices[4] = {};
    float m_PointPrices[3] = {};
    int m_Level = 1;
    int m_Item = -1; // none chosen yet
    float m_Price = 0.0f;
    // The unit the chosen row would buy, copied at each purchase. Never on the map or in a
    // list of the game.
    std::unique_ptr<cJednostkaLadowa> m_LandTemplate;
    std::unique_ptr<cJednostkaLotnicza> m_AirTemplate;
    cJednostkaMorska m_NavalTemplate;
};
