#pragma once
// The unit on the selected hex: its values, and a row of icons for the player's orders,
// each enabled only when the order is possible now and with a hint that says why not.
#include <functional>

#include "dialogs/panel.h"

class cJednostka;

constexpr int kUnitPanelFrameId = 351;
constexpr int kUnitPanelPictureId = 352;
constexpr int kUnitPanelNameId = 354;
constexpr int kUnitPanelRenameId = 355;
constexpr int kUnitPanelFlagId = 357;
constexpr int kUnitPanelOwnerId = 358;
constexpr int kUnitPanelSizeId = 360;
constexpr int kUnitPanelUpgradeId = 361;
constexpr int kUnitPanelLevelId = 363;
constexpr int kUnitPanelLevelUpId = 364;
constexpr int kUnitPanelSupplyId = 366;
constexpr int kUnitPanelSupplySourceId = 367;
constexpr int kUnitPanelActionPointsId = 369;
constexpr int kUnitPanelCommanderId = 371;
constexpr int kUnitPanelCommandersId = 372;
constexpr int kUnitPanelStrengthId = 374;
constexpr int kUnitPanelReplacementsId = 375;
constexpr int kUnitPanelEffectivenessId = 377;
constexpr int kUnitPanelBonusId = 379;
constexpr int kUnitPanelDisbandId = 380;
constexpr int kUnitPanelUndoId = 381;
constexpr int kUnitPanelStrategicMoveId = 382;
constexpr int kUnitPanelAirborneId = 383;
constexpr int kUnitPanelAmphibiousId = 384;
constexpr int kUnitPanelSeaTransportId = 385;
constexpr int kUnitPanelAirFightId = 386;
constexpr int kUnitPanelBombardmentId = 387;
constexpr int kUnitPanelReconId = 388;
constexpr int kUnitPanelNuclearId = 390;

// The windows the panel opens for a unit that are built with their own managers: each
// makes its window (the panel becomes its owner and waits for its answer), or null.
struct sUnitPanelWindows
{
    std::function<cDialog*(cJednostka& unit)> commanders;   // answers 871
    std::function<cDialog*(cJednostka& unit)> replacements; // answers 851 or 852
};
extern sUnitPanelWindows g_UnitPanelWindows;

class cUnitPanel : public cPanel
{
public:
    // Which window the panel waits for.
    enum ePending
    {
        PENDING_NONE = 0,
        PENDING_RENAME = 1,
        PENDING_COMMANDERS = 2,
        PENDING_REPLACEMENTS = 3,
        PENDING_DISBAND = 4,
    };

    cUnitPanel();

    CDXUTDialog* GetDialog() override { return this; }
    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void ForgetPendingAnswer() override { m_Pending = PENDING_NONE; }

    // Fills the panel from the unit on the selected hex.
    void Refresh();
    int Pending() const { return m_Pending; }

private:
    // The orders.
    void OnRenamePressed();
    void OnUpgradePressed();
    void OnLevelUpPressed();
    void OnSupplySourcePressed();
    void OnCommandersPressed();
    void OnReplacementsPressed();
    void OnDisbandPressed();
    void OnUndoPressed();
    void OnStrategicMovePressed();
    void OnAirborneAssaultPressed();
    void OnAirOrderPressed(int orderMode);
    void OnTransportPressed(bool amphibious);
    // The answers of the windows it opened.
    void OnRenameAnswered();
    void OnDisbandAnswered();
    void OnReplacementsAnswered(bool changed);
    void OnCommandersAnswered();

    // Waits for no window; a window that is gone no longer counts.
    bool IsIdle();
    cJednostka* ShownUnit() const;
    void Reset();
    void ShowPicture(const cJednostka& unit);
    void ShowSupply(const cJednostka& unit);
    void ShowUndo(const cJednostka& unit);
    void SetBox(int id, const std::wstring& text, const std::wstring& hint);
    void SetIcon(int id, bool enabled, const std::wstring& hint);
    // Sets the icon from the unit's answer to whether the order is possible now.
    void SetIconFromUnit(int id, bool (cJednostka::*question)(std::wstring*) const, const cJednostka& unit);
    // Opens the window on the stack with the panel as its owner.
    void Open(cDialog* window, ePending pending);
    // The unit's order mode: marks cleared but the selection, then the mode.
    void BeginOrder(int orderMode);

    int m_ShownCategory = -1;
    int m_ShownId = 0;
    // The unit shown at the last refresh (none when none was, or it was not seen): its
    // picture is looked for again only when another unit is shown.
    int m_LastCategory = -1;
    int m_LastId = 0;
    bool m_PictureLoaded = false;
    int m_Pending = PENDING_NONE;
    int m_SourceX = -1;
    int m_SourceY = -1;
};

cUnitPanel* UnitPanel();
