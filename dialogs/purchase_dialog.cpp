#include "dialogs/purchase_dialog.h"

#include <algorithm>

#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "shell/dialog_builders.h"
#include "shell/sound.h"
#include "shell/sound_effects.h"
#include "units/unit_lists.h"
#include "world/country.h"

namespace {

constexpr int kBuyingSound = sound_effects::SlotOf("Buying");
constexpr int kTabLand = 0, kTabAir = 1, kTabNaval = 2;
constexpr int kPreviewPictureRow = 57; // the first cell of the previews in the GUI picture

cPanstwo* ActiveCountry()
{
    return g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
}

float LevelFactor(int surchargePercent, int level) { return 1.0f + float(level - 1) * float(surchargePercent) / 100.0f; }

// Tanks for armour, artillery for the other land types.
int LandResearchLevel(const cPanstwo& country, int type)
{
    return country.GetTechLevel(type == UNIT_ARMOURED || type == UNIT_ARMOURED_CORPS ? TECH_TANKS : TECH_ARTILLERY);
}

CDXUTListBox* List(CDXUTDialog& dialog)
{
    return static_cast<CDXUTListBox*>(dialog.GetControl(kPurchaseListId, DXUT_CONTROL_LISTBOX));
}

std::wstring UnitName(const cPanstwo& country, int type)
{
    return FormatText(L"%d %s", RandomInt(10, 99), country.GetUnitTypeName(type));
}

// A land or air unit as it leaves the factory: the country's, named, in the reserve,
// unmoved and without a commander, at full supply. Its strength is the caller's.
void PrepareNewUnit(cJednostka& u, const cPanstwo* country, int type, int level)
{
    u.m_Owner = country ? country->ID : 0;
    u.SetName(country ? UnitName(*country, type) : std::wstring());
    u.m_X = u.m_Y = -1;
    u.SetType(type);
    u.m_Level = level;
    u.m_ActionPoints = u.m_StartingActionPoints = 0;
    u.m_SupplySourceX = u.m_SupplySourceY = -1;
    u.m_Commander = nullptr;
    u.m_CommandingCommanderId = -1;
    u.m_Attacked = u.m_WasAttacked = false;
    u.m_InReserve = true;
    u.m_Spotted = true;
    u.m_Supply = GameConsts().MaxSupply;
}

} // namespace

cDialogZakupow::cDialogZakupow() : cDialog(kPurchaseDialogKind, LayoutRow(kPurchaseDialogKind))
{
    AddText(741, LangText("purchase_title"), true);
    AddTabFrame(kPurchaseTabsId);
    if (auto* tabs = static_cast<CDXUTTabFrame*>(GetControl(kPurchaseTabsId, DXUT_CONTROL_TABFRAME))) {
        tabs->AddTab(LangText("purchase_tab_land_units").c_str(), 0, 0, -1);
        tabs->AddTab(LangText("purchase_tab_air_units").c_str(), 1, 0, -1);
        tabs->AddTab(LangText("purchase_tab_sea_units").c_str(), 2, 0, -1);
        tabs->AddTab(LangText("purchase_tab_others").c_str(), 3, 0, -1);
        tabs->SelectTab(0, false);
    }
    AddText(744, LangText("purchase_items"));
    AddListBoxFromLayout(kPurchaseListId, 0);
    for (int level = 1; level <= 5; ++level) {
        const std::string key = "purchase_level" + std::to_string(level);
        AddRadioButtonFromLayout(kPurchaseLevel1Id + level - 1, 1, LangText(key).c_str(), LangText(key + "_hint").c_str(),
                                 false);
    }
    AddReadOnlyEditBox(this, kPurchaseCostId, L"", LangText("purchase_cost_hint").c_str(), 751,
                       LangText("purchase_cost").c_str());
    AddReadOnlyEditBox(this, kPurchaseAvailableId, L"", LangText("purchase_available_hint").c_str(), 753,
                       LangText("purchase_available").c_str());
    // Row 57: the previews' first cell, drawn at the size of this screen's preview; the
    // picture is a square as high as its row, in the middle of the row.
    const sLayoutRect cell = LayoutRow(kPreviewPictureRow);
    const sLayoutRect place = LayoutRow(kPurchasePreviewId);
    const int side = place.height;
    AddImage(kPurchasePreviewId, int(kGuiPictureSlot), cell.x, cell.y, cell.x + cell.width, cell.y + cell.height,
             place.x + (place.width - side) / 2, place.y, side, side);
    SetControlEnabled(kPurchasePreviewId, false);
    AddButtonFromLayout(kPurchaseBuyId, LangText("purchase_buy").c_str(), LangText("purchase_buy_hint").c_str());
    AddButtonFromLayout(kPurchaseExitId, LangText("purchase_exit").c_str(), LangText("purchase_exit_hint").c_str());

    {
        cWindowLock lock;
        // Ids come from the game's counters, so they are taken under the lock.
        m_LandTemplate = std::make_unique<cJednostkaLadowa>();
        m_AirTemplate = std::make_unique<cJednostkaLotnicza>();
    }
    ComputePrices();
    OnGUIEvent(EVENT_TABFRAME_CHANGED, kPurchaseTabsId, GetControl(kPurchaseTabsId));
    OnGUIEvent(EVENT_LISTBOX_SELECTION, kPurchaseListId, GetControl(kPurchaseListId));
}

// Prices are those of the moment the window opens: buying points raises their price only
// for the next visit.
void cDialogZakupow::ComputePrices()
{
    const sGameConsts& k = GameConsts();
    for (int t = 0; t < 7; ++t)
        for (int level = 1; level <= 5; ++level)
            m_LandPrices[t][level - 1] =
                k.LandCombatStrength[level - 1][t] * k.LandPurchaseCost[t] * LevelFactor(k.LandLevelSurcharge, level);
    for (int a = 0; a < 3; ++a)
        for (int level = 1; level <= 5; ++level)
            m_AirPrices[a][level - 1] =
                float(k.AirFullStrength[a]) * k.AirPurchaseCost[a] * LevelFactor(k.AirLevelSurcharge, level);
    for (int n = 0; n < 4; ++n)
        m_NavalPrices[n] = k.ShipPrice[n];
    const cPanstwo* country = ActiveCountry();
    if (!country)
        return;
    // Each point the country has bought makes the next one dearer; the points it was given
    // cost nothing extra.
    m_PointPrices[0] = k.CapacityPriceBase[0] + float(country->SMPBought) * k.CapacityPricePerUnit[0];
    m_PointPrices[1] = k.CapacityPriceBase[1] + float(country->GetSeaTransportCapacity() / 10) * k.CapacityPricePerUnit[1];
    m_PointPrices[2] = k.CapacityPriceBase[2] + float(country->AIPBought) * k.CapacityPricePerUnit[2];
}

int cDialogZakupow::Delivery(int item) const
{
    const sGameConsts& k = GameConsts();
    if (item >= 0 && item <= ITEM_LAST_AIR)
        return k.PurchaseNumber[item];
    if (item > ITEM_LAST_AIR && item <= ITEM_LAST_NAVAL)
        return k.PurchaseNumberNaval[item - ITEM_LAST_AIR - 1];
    return 0;
}

int cDialogZakupow::SelectedTab()
{
    auto* tabs = static_cast<CDXUTTabFrame*>(GetControl(kPurchaseTabsId, DXUT_CONTROL_TABFRAME));
    return tabs ? tabs->GetSelectedIndex() : 0;
}

void cDialogZakupow::FillList()
{
    CDXUTListBox* list = List(*this);
    const cPanstwo* country = ActiveCountry();
    if (!list || !country)
        return;
    list->RemoveAllItems();
    auto priceCells = [](const float* prices, int researched) {
        std::wstring cells;
        for (int level = 1; level <= 5; ++level)
            cells += level <= researched ? FormatText(L";%.2f", prices[level - 1]) : std::wstring(L";-");
        return cells;
    };
    const int tab = SelectedTab();
    if (tab == kTabLand || tab == kTabAir) {
        const bool land = tab == kTabLand;
        list->SetColumns(7, LangText(land ? "purchase_list_land_columns" : "purchase_list_air_columns"), 40, 10, 10, 10,
                         10, 10, 10);
        const int first = land ? 0 : ITEM_LAST_LAND + 1;
        const int last = land ? ITEM_LAST_LAND : ITEM_LAST_AIR;
        for (int item = first; item <= last; ++item) {
            const int type = land ? item : item + 13;
            const int researched = land ? LandResearchLevel(*country, type) : country->GetTechLevel(TECH_AIRCRAFT);
            const float* prices = land ? m_LandPrices[item] : m_AirPrices[item - first];
            list->AddItem(FormatText(L"%s;%i", cUnit::GetSubtypeText(type), Delivery(item)) + priceCells(prices, researched),
                          reinterpret_cast<void*>(intptr_t(item)));
        }
    } else if (tab == kTabNaval) {
        list->SetColumns(3, LangText("purchase_list_naval_columns"), 40, 10, 10);
        for (int item = ITEM_LAST_AIR + 1; item <= ITEM_LAST_NAVAL; ++item)
            list->AddItem(FormatText(L"%s;%i;%.2f", cUnit::GetSubtypeText(item + 30), Delivery(item),
                                     m_NavalPrices[item - ITEM_LAST_AIR - 1]),
                          reinterpret_cast<void*>(intptr_t(item)));
    } else {
        list->SetColumns(2, LangText("purchase_list_others_columns"), 40, 10);
        const char* keys[3] = {"strat_mov_pts", "sea_trans_pts", "amph_pts"};
        for (int n = 0; n < 3; ++n)
            list->AddItem(FormatText(L"%s;%.2f", LangText(keys[n]), m_PointPrices[n]),
                          reinterpret_cast<void*>(intptr_t(ITEM_STRATEGIC_POINT + n)));
    }
    list->SelectItem(0, true);
}

void cDialogZakupow::TakeSelection()
{
    CDXUTListBox* list = List(*this);
    if (!list || list->GetSize() == 0)
        return;
    if (list->GetSelectedIndex() < 0)
        list->SelectItem(0);
    m_Item = int(reinterpret_cast<intptr_t>(list->GetSelectedData()));
}

void cDialogZakupow::UpdateLevelButtons(int maxLevel)
{
    // The level ends at the smaller of the chosen one and the highest researched.
    const int chosen = m_Level;
    for (int i = 0; i < 5; ++i) {
        auto* button = static_cast<CDXUTRadioButton*>(GetControl(kPurchaseLevel1Id + i, DXUT_CONTROL_RADIOBUTTON));
        if (!button)
            continue;
        button->SetVisible(maxLevel != -1);
        button->SetEnabled(i < maxLevel);
        if (i < chosen && i < maxLevel) {
            button->SetCheckedInternal(true, true, false, false);
            m_Level = i + 1;
        }
    }
}

void cDialogZakupow::PrepareLandTemplate(int type)
{
    cJednostkaLadowa& u = *m_LandTemplate;
    PrepareNewUnit(u, ActiveCountry(), type, m_Level);
    u.SetStrength(100);
    u.m_Transporter = nullptr;
    u.m_TransporterId = -1;
    u.m_FreezeTime = 0;
    u.m_AiOrder = 0;
    u.m_AiTargetX = u.m_AiTargetY = u.m_AiUltimateTargetX = u.m_AiUltimateTargetY = -1;
    u.RecalculateEfficiency();
    u.m_AvailableInTurns = Delivery(m_Item);
}

void cDialogZakupow::PrepareAirTemplate(int type)
{
    cJednostkaLotnicza& u = *m_AirTemplate;
    PrepareNewUnit(u, ActiveCountry(), type, m_Level);
    u.m_Strength = GameConsts().AirFullStrength[type - UNIT_FIGHTER];
    u.RecalculateEfficiency();
    u.m_AvailableInTurns = Delivery(m_Item);
}

void cDialogZakupow::PrepareNavalTemplate(int type)
{
    const cPanstwo* country = ActiveCountry();
    cJednostkaMorska& s = m_NavalTemplate;
    s.m_Owner = country ? country->ID : 0;
    s.SetName(country ? UnitName(*country, type) : std::wstring());
    s.SetType(type);
    s.m_Fleet = nullptr;
    s.m_FleetId = -1;
    s.m_HP = s.m_MaxHP = GameConsts().ShipHitPoints[type - UNIT_CARRIER];
    s.m_Cargo = nullptr;
    s.m_InReserve = true;
    s.m_Selected = s.m_ShoreBombardmentDone = s.m_AirstrikeDone = s.m_ReconDone = false;
    s.m_CanBeRepaired = true;
    s.m_AvailableInTurns = Delivery(m_Item);
    s.m_Commander = nullptr;
    s.m_CommandingCommanderId = -1;
}

void cDialogZakupow::RefreshSelection()
{
    const cPanstwo* country = ActiveCountry();
    if (!country || m_Item < 0)
        return;
    if (m_Item <= ITEM_LAST_LAND) {
        UpdateLevelButtons(LandResearchLevel(*country, m_Item));
        PrepareLandTemplate(m_Item);
        m_Price = m_LandPrices[m_Item][m_Level - 1];
    } else if (m_Item <= ITEM_LAST_AIR) {
        UpdateLevelButtons(country->GetTechLevel(TECH_AIRCRAFT));
        PrepareAirTemplate(m_Item + 13);
        m_Price = m_AirPrices[m_Item - ITEM_LAST_LAND - 1][m_Level - 1];
    } else if (m_Item <= ITEM_LAST_NAVAL) {
        UpdateLevelButtons(-1);
        PrepareNavalTemplate(m_Item + 30);
        m_Price = m_NavalPrices[m_Item - ITEM_LAST_AIR - 1];
    } else {
        UpdateLevelButtons(-1);
        m_Price = m_PointPrices[m_Item - ITEM_STRATEGIC_POINT];
    }

    const sLayoutRect first = LayoutRow(kPreviewPictureRow);
    const int across = m_Item == ITEM_STRATEGIC_POINT || m_Item == ITEM_SEA_TRANSPORT_POINTS ? 1 : 0;
    const int down = m_Item == ITEM_SEA_TRANSPORT_POINTS || m_Item == ITEM_AMPHIBIOUS_POINT ? 1 : 0;
    const int w = first.width, h = first.height;
    const sRect cell{first.x + across * w, first.y + down * h, first.x + (across + 1) * w, first.y + (down + 1) * h};
    if (auto* preview = static_cast<CDXUTImage*>(GetControl(kPurchasePreviewId, DXUT_CONTROL_IMAGE)))
        preview->SetTextureRect(cell);

    auto setBox = [this](int id, const std::wstring& text) {
        if (auto* box = static_cast<CDXUTEditBox*>(GetControl(id, DXUT_CONTROL_EDITBOX)))
            box->SetText(text.c_str());
    };
    setBox(kPurchaseCostId, LangFormat("%.2f_pp", m_Price));
    setBox(kPurchaseAvailableId, LangFormat("%.2f_pp", country->PP));
    // A unit no research allows at any level cannot be bought at all. A Buy refused says why:
    // a click on a dead button would otherwise tell the player nothing.
    const bool levelOpen = m_Item > ITEM_LAST_AIR || GetControlEnabled(kPurchaseLevel1Id);
    const std::wstring refusal =
        !levelOpen                        ? LangText("purchase_buy_hint_not_researched")
        : double(m_Price) > country->PP ? LangFormat("purchase_buy_hint_not_enough_pp", double(m_Price), country->PP)
                                          : std::wstring();
    SetControlEnabled(kPurchaseBuyId, refusal.empty());
    if (CDXUTControl* buy = GetControl(kPurchaseBuyId))
        buy->SetHint(refusal.empty() ? LangText("purchase_buy_hint") : refusal);
}

void cDialogZakupow::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    switch (controlId) {
    case kPurchaseTabsId: OnTabChosen(); break;
    case kPurchaseListId: OnItemChosen(); break;
    case kPurchaseLevel1Id:
    case kPurchaseLevel1Id + 1:
    case kPurchaseLevel1Id + 2:
    case kPurchaseLevel1Id + 3:
    case kPurchaseLevel1Id + 4: OnLevelChosen(controlId - kPurchaseLevel1Id + 1); break;
    case kPurchaseBuyId: OnBuyPressed(); break;
    case kPurchaseExitId: OnExitPressed(); break;
    default: break;
    }
}

void cDialogZakupow::OnTabChosen() { FillList(); }

void cDialogZakupow::OnItemChosen()
{
    TakeSelection();
    RefreshSelection();
}

void cDialogZakupow::OnLevelChosen(int level)
{
    m_Level = level;
    RefreshSelection();
}

void cDialogZakupow::OnBuyPressed()
{
    cPanstwo* country = ActiveCountry();
    if (!country || m_Item < 0)
        return;
    {
        cWindowLock lock;
        if (m_Item <= ITEM_LAST_LAND) {
            m_LandTemplate->m_Id = NextLandUnitId();
            auto* unit = new cJednostkaLadowa(*m_LandTemplate);
            unit->m_Supply = GameConsts().MaxSupply;
            unit->RecalculateEfficiency();
            g_Gra->m_Reserve.push_back(unit);
        } else if (m_Item <= ITEM_LAST_AIR) {
            m_AirTemplate->m_Id = NextAirUnitId();
            auto* unit = new cJednostkaLotnicza(*m_AirTemplate);
            unit->m_Supply = GameConsts().MaxSupply;
            unit->RecalculateEfficiency();
            g_Gra->m_Reserve.push_back(unit);
        } else if (m_Item <= ITEM_LAST_NAVAL) {
            m_NavalTemplate.m_Id = NextNavalUnitId();
            auto* ship = new cJednostkaMorska(m_NavalTemplate);
            g_Gra->m_NavalReserve.push_back(ship);
        } else if (m_Item == ITEM_STRATEGIC_POINT) {
            // A point for now, not one more every impulse.
            ++country->SMPBought;
            country->AddStrategicMovementPoints(1);
        } else if (m_Item == ITEM_SEA_TRANSPORT_POINTS) {
            country->AddSeaTransportPoints(10);
        } else {
            ++country->AIPBought;
            country->AddAmphibiousInvasionPoints(1);
        }
        country->AddProductionPoints(-double(m_Price));
    }
    StopSoundSlot(kBuyingSound);
    PlaySoundSlot(kBuyingSound);
    RefreshSelection();
}

void cDialogZakupow::OnExitPressed() { CloseTopDialogs(1); }

void cDialogZakupow::OnKeyboard(unsigned key, bool keyDown, bool)
{
    if (!keyDown)
        return;
    auto* tabs = static_cast<CDXUTTabFrame*>(GetControl(kPurchaseTabsId, DXUT_CONTROL_TABFRAME));
    CDXUTListBox* list = List(*this);
    EnableNonUserEvents(true);
    if (key == VK_RETURN && GetControlEnabled(kPurchaseBuyId)) {
        SendEvent(EVENT_BUTTON_CLICKED, false, GetControl(kPurchaseBuyId), false);
    } else if (key == VK_ESCAPE) {
        SendEvent(EVENT_BUTTON_CLICKED, false, GetControl(kPurchaseExitId), false);
    } else if ((key == VK_LEFT || key == VK_RIGHT) && tabs) {
        // The keys' changes are the window's own events: a key makes no click sound.
        const int tab = std::clamp(tabs->GetSelectedIndex() + (key == VK_LEFT ? -1 : 1), 0, tabs->GetTabCount() - 1);
        tabs->SelectTab(tab, false);
        SendEvent(EVENT_TABFRAME_CHANGED, false, tabs, false);
    } else if ((key == VK_UP || key == VK_DOWN) && list && list->GetSize() > 0) {
        const int row = std::clamp(list->GetSelectedIndex() + (key == VK_UP ? -1 : 1), 0, list->GetSize() - 1);
        list->SelectItem(row, false);
        SendEvent(EVENT_LISTBOX_SELECTION, false, list, false);
    } else {
        const int level = key >= '1' && key <= '5' ? int(key - '0') : key >= VK_NUMPAD0 + 1 && key <= VK_NUMPAD0 + 5 ? int(key - VK_NUMPAD0) : 0;
        auto* button = level ? static_cast<CDXUTRadioButton*>(GetControl(kPurchaseLevel1Id + level - 1,
                                                                         DXUT_CONTROL_RADIOBUTTON))
                             : nullptr;
        if (button && button->GetEnabled() && button->GetVisible())
            button->SetCheckedInternal(true, true, false, true);
    }
    EnableNonUserEvents(false);
}

void cDialogZakupow::OnRender(float elapsed)
{
    cDialog::OnRender(elapsed);
    if (!GetVisible() || m_Item < 0 || m_Item > ITEM_LAST_NAVAL)
        return;
    CDXUTControl* preview = GetControl(kPurchasePreviewId);
    if (!preview)
        return;
    sRect box = ToScreenRect(preview->GetBoundingBox());
    box = sRect{box.left + 15, box.top + 15, box.right - 15, box.bottom - 15};
    if (m_Item <= ITEM_LAST_LAND)
        m_LandTemplate->DrawIcon(box);
    else if (m_Item <= ITEM_LAST_AIR)
        m_AirTemplate->DrawIcon(box);
    else
        m_NavalTemplate.DrawCounterInRect(box);
}
