// The research window: prices, the reasons an investment is refused, and investing.
#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "dialogs/research_dialog.h"
#include "game/game.h"
#include "gui/controls.h"
#include "tests/dialogs/dialog_bench.h"
#include "world/country.h"

namespace {

class ResearchDialog : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(1);
        albion = GetCountry(1);
        sGameConsts& rules = g_Gra->m_Consts;
        for (int k = 0; k < 7; ++k) {
            rules.ResearchPointsPerLevel[k] = 100;
            rules.MaxTechLevel[k] = 5;
            rules.ResearchLevelPrice[k] = 40.0f;
            albion->TechLevel[k] = 1;
            albion->TechInvestment[k] = 0;
            albion->TechProgress[k] = 0;
        }
        albion->TechProgress[TECH_ARTILLERY] = 25; // a quarter done: 30 PP
        albion->PP = 500.0;
    }

    cDialogResearchu* Open()
    {
        auto* dialog = new cDialogResearchu();
        PushDialog(dialog);
        return dialog;
    }
    CDXUTControl* Invest(int line) { return Top()->GetControl(kResearchInvestIds + line); }

    cPanstwo* albion = nullptr;
};

TEST_F(ResearchDialog, AnInvestmentIsChargedAtThePriceOfTheLevelsProgressAndShowsAtOnce)
{
    cDialogResearchu* dialog = Open();
    EXPECT_FLOAT_EQ(dialog->Price(TECH_ARTILLERY), 30.0f);
    EXPECT_EQ(TextOf(kResearchNameIds + 2), LangText("research_aircraft"));
    EXPECT_EQ(TextOf(kResearchProgressIds), L"25/100");
    EXPECT_EQ(TextOf(kResearchPriceIds), LangFormat("%.0f_pp", 30.0));
    EXPECT_EQ(TextOf(kResearchPriceIds + 1), LangFormat("%.0f_pp", 40.0));
    // The place each column's row keeps above its first line holds a heading of its own.
    for (int row : {794, 795, 796, 797, 798, 799})
        EXPECT_EQ(Top()->GetControl(row), nullptr) << row;
    EXPECT_EQ(TextOf(kResearchHeadingIds + 4), LangText("research_heading_price"));

    Click(kResearchInvestIds);
    Click(kResearchInvestIds);
    EXPECT_DOUBLE_EQ(albion->PP, 440.0) << "both investments of the month cost the same";
    EXPECT_EQ(albion->TechInvestment[TECH_ARTILLERY], 2);
    EXPECT_EQ(HintOf(Top()->GetControl(kResearchPictureIds)), LangText("research_investment_level2_hint"));
    const sLayoutRect strip = LayoutRow(13);
    auto* picture = static_cast<CDXUTImage*>(Top()->GetControl(kResearchPictureIds));
    EXPECT_EQ(picture->m_rcTexture.top, strip.y + 2 * strip.height);
    ASSERT_NO_FATAL_FAILURE(CheckScreen("research_dialog"));

    Key(VK_ESCAPE);
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(ResearchDialog, TheButtonSaysWhyNoInvestmentIsPossible)
{
    albion->TechInvestment[TECH_TANKS] = kMaxTechInvestments;
    albion->TechLevel[TECH_AIRCRAFT] = 5;               // the highest, money plentiful
    albion->TechInvestment[TECH_SUBMARINES] = 4;        // never made by the window
    g_Gra->m_Consts.ResearchPointsPerLevel[TECH_NAVY] = 0; // no price at all
    albion->PP = 40.0;                                  // exactly one nuclear investment
    cDialogResearchu* dialog = Open();

    EXPECT_FALSE(Invest(1)->GetEnabled());
    EXPECT_EQ(HintOf(Invest(1)), LangText("research_invest_hint_max_investment"));
    EXPECT_FALSE(Invest(2)->GetEnabled());
    EXPECT_EQ(HintOf(Invest(2)), LangText("research_invest_hint_max_level_reached"));
    EXPECT_EQ(HintOf(Top()->GetControl(kResearchPictureIds + 3)), LangText("research_investment_hint"));
    EXPECT_FALSE(Invest(4)->GetEnabled());
    EXPECT_EQ(HintOf(Invest(4)), LangText("research_invest_hint_not_researchable"));
    EXPECT_EQ(TextOf(kResearchPriceIds + 4), L"-");
    EXPECT_TRUE(Invest(5)->GetEnabled()) << "points equal to the price are enough";

    // A point spent beside the open window (a purchase over it) leaves the button enabled:
    // its click pays nothing and the button says why.
    albion->PP = 39.0;
    Click(kResearchInvestIds + 5);
    EXPECT_DOUBLE_EQ(albion->PP, 39.0);
    EXPECT_EQ(albion->TechInvestment[TECH_NUCLEAR], 0);
    EXPECT_FALSE(Invest(5)->GetEnabled());
    albion->PP = 40.0;
    dialog->Refresh();

    Click(kResearchInvestIds + 5);
    EXPECT_DOUBLE_EQ(albion->PP, 0.0);
    EXPECT_FALSE(Invest(0)->GetEnabled());
    // The price; the points there are stand in the bottom panel.
    EXPECT_EQ(HintOf(Invest(0)), LangFormat("research_invest_hint_not_enough_pp", double(dialog->Price(0))));
    Key(VK_RETURN);
    EXPECT_TRUE(OpenKinds().empty());

    // A technology of no price is free, even with no points left.
    g_Gra->m_Consts.ResearchLevelPrice[TECH_ARTILLERY] = 0.0f;
    Open();
    EXPECT_TRUE(Invest(0)->GetEnabled());
    EXPECT_EQ(TextOf(kResearchPriceIds + 0), LangFormat("%.0f_pp", 0.0));
}

} // namespace
