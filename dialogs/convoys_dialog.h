#pragma once
// The convoys window: the player's standing convoys between two ports. New convoys are
// picked on the map (the window steps aside meanwhile); convoys can be deleted, moved up or
// down the list, switched between production and supply, and given the value they carry.
#include "dialogs/dialog_stack.h"

struct sKonwoj;

constexpr int kConvoysDialogKind = 940;
constexpr int kConvoysListId = 944;
constexpr int kConvoysNewId = 945;
constexpr int kConvoysMoveUpId = 946;
constexpr int kConvoysMoveDownId = 947;
constexpr int kConvoysDeleteId = 950;
constexpr int kConvoysProductionId = 952;
constexpr int kConvoysSupplyId = 953;
constexpr int kConvoysValueTextId = 954;
constexpr int kConvoysValueSliderId = 955;
constexpr int kConvoysExitId = 956;

class cDialogKonwojow : public cDialog
{
public:
    // The convoys of the country that moves now.
    cDialogKonwojow();

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    // Back from a pick on the map: the list is filled again and the window shows.
    void OnReactivate() override;
    // While the window stands aside for a pick: a pick given up brings it back.
    void OnTimer(float elapsed) override;

    // Fills the list; a convoy id other than -1 is selected (with notification).
    void FillConvoyList(int convoyId);
    void UpdateControls();
    // Both ports picked: the convoy between them is made and selected.
    void CreateConvoyFromPick();

    int SelectedConvoyId() const { return m_SelectedId; }
    int SelectedIndex() const { return m_SelectedIndex; }
    int OwnerId() const { return m_OwnerId; }

private:
    void OnConvoyChosen();
    void OnNewPressed();
    void OnMovePressed(int step);
    void OnDeletePressed();
    void OnTypePressed(int type);
    void OnValueMoved();
    void OnExitPressed();
    void ComeBackFromPick();

    // The country's convoys and the selected one, looked up afresh each time: the game may
    // remove convoys while the window is open.
    std::vector<sKonwoj>* Convoys() const;
    sKonwoj* Selected() const;

    int m_OwnerId = 0;
    int m_SelectedId = -1;
    int m_SelectedIndex = -1;
    bool m_Picking = false;
};

// The sea nodes picked on the map for a new convoy (0: not yet).
struct sConvoyPick
{
    int departureNode = 0;
    int destinationNode = 0;
};
extern sConvoyPick g_ConvoyPick;

// The map's click on a sea node while a new convoy's ports are picked (input modes 14 and
// 15): the departure, then the destination, which makes the convoy and brings the window
// back. False when no pick is running.
bool TakeConvoyPortPick(int seaNodeId);
