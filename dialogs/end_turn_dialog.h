#pragma once
// The question before the player's turn ends, with "do not ask again".
#include "dialogs/confirm_dialog.h"

constexpr int kEndTurnDontAskId = 707;

class cDialogPotwKoncaTury : public cDialogPotwierdzenia
{
public:
    cDialogPotwKoncaTury();

protected:
    void OnYesPressed(unsigned event, CDXUTControl* control) override;
    void OnNoPressed(unsigned event, CDXUTControl* control) override;
    void OnReactivate() override;

private:
    void EndTurn();

    bool m_EndTurnOnceTold = false;
};
