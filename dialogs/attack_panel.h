#pragma once
// The land attack the player is assembling: the attackers and the defender, both sides'
// strengths and factors, and the odds column the attack would be fought at.
#include "dialogs/panel.h"

struct sLandAttack;

constexpr int kAttackPanelFrameId = 451;
constexpr int kAttackPanelDefenderNameId = 454;
constexpr int kAttackPanelDefenderFlagId = 455;
constexpr int kAttackPanelDefenderStrengthId = 457;
constexpr int kAttackPanelDefenderModId = 459;
constexpr int kAttackPanelDefenderEffectiveId = 461;
constexpr int kAttackPanelAttackerNamesId = 464;
constexpr int kAttackPanelAttackerFlagId = 465;
constexpr int kAttackPanelAttackerStrengthId = 467;
constexpr int kAttackPanelAttackerModId = 469;
constexpr int kAttackPanelAttackerEffectiveId = 471;
constexpr int kAttackPanelOddsId = 473;

class cAttackPanel : public cPanel
{
public:
    cAttackPanel();

    CDXUTDialog* GetDialog() override { return this; }
    // Re-reads the play state's assault plan and fills every box.
    void Refresh();

private:
    void ShowAttackers(const sLandAttack* attack);
    void ShowDefender(const sLandAttack* attack);
    void SetBox(int id, const std::wstring& text);
    void SetBoxHint(int id, const std::wstring& hint);
};

cAttackPanel* AttackPanel();
