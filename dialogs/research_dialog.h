#pragma once
// The research window: the player invests production points in six technologies, at most
// three investments each, at a price that falls as the current level's research advances.
#include "dialogs/dialog_stack.h"

constexpr int kResearchDialogKind = 790;
constexpr int kResearchCloseId = 800;
constexpr int kResearchNameIds = 1000;   // + line
constexpr int kResearchLevelIds = 1010;
constexpr int kResearchPictureIds = 1020;
constexpr int kResearchProgressIds = 1030;
constexpr int kResearchPriceIds = 1040;
constexpr int kResearchInvestIds = 1050;
constexpr int kResearchHeadingIds = 1060; // + column, the invest buttons' without one
constexpr int kResearchLines = 6;
constexpr int kMaxTechInvestments = 3;

class cDialogResearchu : public cDialog
{
public:
    // For the country that moves now.
    cDialogResearchu();

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;

    // Prices and every line, from the country and the rules.
    void Refresh();
    // The price of one more investment; below 0 for a technology that cannot be researched.
    float Price(int tech) const { return tech >= 0 && tech < 7 ? m_Prices[tech] : -1.0f; }
    int CountryId() const { return m_CountryId; }

private:
    void OnInvestPressed(int line);
    void OnClosePressed();
    // Why the line's technology cannot take an investment now; empty when it can.
    std::wstring RefusalOf(int tech, double points) const;

    int m_CountryId = 0;
    float m_Prices[7] = {-1, -1, -1, -1, -1, -1, -1};
};

// The technology shown on a line (0 to 5).
int ResearchTechOfLine(int line);
