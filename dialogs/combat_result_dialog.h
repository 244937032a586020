#pragma once
// The outcome of a combat: both sides' flags, what each lost, icons for what happened. It
// closes itself when its delay runs out, unless the player pauses it.
#include "dialogs/dialog_stack.h"

struct sCombatResult;

constexpr int kCombatResultDialogKind = 900;
constexpr int kCombatResultStatusId = 917;
constexpr int kCombatResultPauseId = 918;
constexpr int kCombatResultCloseId = 919;

class cDialogWynikuWalki : public cDialog
{
public:
    // delayMs: how long it stays open; below 0 it waits for the player.
    cDialogWynikuWalki(const sCombatResult& result, float delayMs);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;
    void OnTimer(float elapsed) override;

    void TogglePause();

private:
    void AddResultIcons(const sCombatResult& result);
    void FitTexts();
    void OnClosePressed();
    void ShowCountdown();
};
