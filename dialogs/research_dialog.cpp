#include "dialogs/research_dialog.h"

#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "world/country.h"

namespace {

constexpr int kTechOfLine[kResearchLines] = {TECH_ARTILLERY, TECH_TANKS,  TECH_AIRCRAFT,
                                             TECH_SUBMARINES, TECH_NAVY, TECH_NUCLEAR};
constexpr const char* kNameKeys[kResearchLines] = {"research_artillery",  "research_tanks",    "research_aircraft",
                                                   "research_submarines", "research_warships", "research_nuclear"};
constexpr const char* kInvestmentHints[kMaxTechInvestments + 1] = {
    "research_investment_level0_hint", "research_investment_level1_hint", "research_investment_level2_hint",
    "research_investment_level3_hint"};
// The strip of investment pictures in the GUI picture: one cell per count.
constexpr int kInvestmentPictureRow = 13;

cPanstwo* CountryOf(int id) { return g_Gra ? GetCountry(id) : nullptr; }

// The rectangle of a line's control in a column: the column's row, one line further down
// per line, the row's own place left free.
sLayoutRect LineRect(int columnRow, int line)
{
    sLayoutRect r = LayoutRow(columnRow);
    r.y += (line + 1) * (r.height + 10);
    return r;
}

template <class T>
T* Control(CDXUTDialog& dialog, int id, int type)
{
    return static_cast<T*>(dialog.GetControl(id, type));
}

} // namespace

int ResearchTechOfLine(int line) { return line >= 0 && line < kResearchLines ? kTechOfLine[line] : -1; }

cDialogResearchu::cDialogResearchu() : cDialog(kResearchDialogKind, LayoutRow(kResearchDialogKind))
{
    if (g_Gra && g_Gra->m_PlayState)
        m_CountryId = g_Gra->m_PlayState->GetActiveCountryId();
    if (auto* frame = Control<CDXUTFrame>(*this, kResearchDialogKind, DXUT_CONTROL_FRAME))
        frame->m_bDraggable = false;
    AddText(792, LangText("research_title"), true);
    // Each column's heading stands in the place its row keeps above the first line; it tells
    // what the column's boxes do, as they do.
    constexpr const char* kHeadings[][2] = {{"research_heading_technology", ""},
                                            {"research_heading_level", "research_technology_level_hint"},
                                            {"research_heading_investments", "research_investment_hint"},
                                            {"research_heading_progress", "research_progress_hint"},
                                            {"research_heading_price", "research_price_hint"}};
    for (int c = 0; c < 5; ++c) {
        sLayoutRect r = LayoutRow(794 + c);
        if (794 + c == 796) {
            // The picture column is narrower than its heading: the heading takes the room up to
            // the columns beside it.
            const sLayoutRect level = LayoutRow(795), progress = LayoutRow(797);
            r.x = level.x + level.width;
            r.width = progress.x - r.x;
        }
        CDXUTStatic* heading = nullptr;
        AddStatic(kResearchHeadingIds + c, LangText(kHeadings[c][0]).c_str(), r.x, r.y, r.width, r.height, false,
                  &heading);
        if (heading) {
            heading->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_NOCLIP;
            if (*kHeadings[c][1])
                heading->SetHint(LangText(kHeadings[c][1]));
        }
    }
    auto addBox = [this](int id, int columnRow, int line, const wchar_t* text, const std::wstring& hint) {
        const sLayoutRect r = LineRect(columnRow, line);
        CDXUTEditBox* box = nullptr;
        AddEditBox(id, text, r.x, r.y, r.width, r.height, false, &box);
        if (box) {
            box->SetEnabled(false);
            box->SetHint(hint);
        }
    };
    for (int r = 0; r < kResearchLines; ++r)
        addBox(kResearchNameIds + r, 794, r, LangText(kNameKeys[r]).c_str(),
               LangText(std::string(kNameKeys[r]) + "_hint"));
    for (int r = 0; r < kResearchLines; ++r)
        addBox(kResearchLevelIds + r, 795, r, L"-", LangText("research_technology_level_hint"));
    const sLayoutRect strip = LayoutRow(kInvestmentPictureRow);
    for (int r = 0; r < kResearchLines; ++r) {
        const sLayoutRect p = LineRect(796, r);
        CDXUTImage* image = nullptr;
        AddImage(kResearchPictureIds + r, int(kGuiPictureSlot), strip.x, strip.y, strip.x + strip.width,
                 strip.y + strip.height, p.x, p.y, p.width, p.height, 0, false, &image);
        if (image)
            image->SetHint(LangText("research_investment_hint"));
    }
    for (int r = 0; r < kResearchLines; ++r)
        addBox(kResearchProgressIds + r, 797, r, L"-", LangText("research_progress_hint"));
    for (int r = 0; r < kResearchLines; ++r)
        addBox(kResearchPriceIds + r, 798, r, L"-", LangText("research_price_hint"));
    for (int r = 0; r < kResearchLines; ++r) {
        const sLayoutRect b = LineRect(799, r);
        CDXUTButton* button = nullptr;
        AddButton(kResearchInvestIds + r, LangText("research_invest").c_str(), b.x, b.y, b.width, b.height, 0, false,
                  &button);
        if (button)
            button->SetHint(LangText("research_invest_hint"));
    }
    AddButtonFromLayout(kResearchCloseId, LangText("research_close").c_str(), LangText("research_close_hint").c_str());
    Refresh();
}

std::wstring cDialogResearchu::RefusalOf(int tech, double points) const
{
    const cPanstwo* country = CountryOf(m_CountryId);
    if (!country || m_Prices[tech] < 0.0f)
        return LangText("research_invest_hint_not_researchable");
    const sGameConsts& rules = GameConsts();
    if (country->TechLevel[tech] >= rules.MaxTechLevel[tech])
        return LangText("research_invest_hint_max_level_reached");
    if (country->TechInvestment[tech] >= kMaxTechInvestments)
        return LangText("research_invest_hint_max_investment");
    if (float(points) < m_Prices[tech])
        return LangFormat("research_invest_hint_not_enough_pp", double(m_Prices[tech]));
    return {};
}

void cDialogResearchu::Refresh()
{
    const cPanstwo* country = CountryOf(m_CountryId);
    const sGameConsts& rules = GameConsts();
    for (int k = 0; k < 7; ++k) {
        const int points = rules.ResearchPointsPerLevel[k];
        const float base = rules.ResearchLevelPrice[k];
        // A technology without research points cannot be bought (its price would divide by
        // nothing), nor one of a price below 0 (an investment would pay the country).
        if (k == TECH_DOCTRINE || !country || points <= 0 || base < 0.0f)
            m_Prices[k] = -1.0f;
        else
            m_Prices[k] = float(points - country->TechProgress[k]) * base / float(points);
    }
    if (!country)
        return;
    const double production = country->PP;
    const sLayoutRect strip = LayoutRow(kInvestmentPictureRow);
    for (int r = 0; r < kResearchLines; ++r) {
        const int k = kTechOfLine[r];
        if (auto* level = Control<CDXUTEditBox>(*this, kResearchLevelIds + r, DXUT_CONTROL_EDITBOX))
            level->SetText(FormatText(L"%i", country->TechLevel[k]).c_str());
        const int invested = country->TechInvestment[k];
        if (auto* picture = Control<CDXUTImage>(*this, kResearchPictureIds + r, DXUT_CONTROL_IMAGE)) {
            const int top = strip.y + invested * strip.height;
            picture->SetTextureRect(sRect{strip.x, top, strip.x + strip.width, top + strip.height});
            if (invested >= 0 && invested <= kMaxTechInvestments)
                picture->SetHint(LangText(kInvestmentHints[invested]));
        }
        if (auto* progress = Control<CDXUTEditBox>(*this, kResearchProgressIds + r, DXUT_CONTROL_EDITBOX))
            progress->SetText(
                FormatText(L"%i/%i", country->TechProgress[k], rules.ResearchPointsPerLevel[k]).c_str());
        if (auto* price = Control<CDXUTEditBox>(*this, kResearchPriceIds + r, DXUT_CONTROL_EDITBOX))
            price->SetText(m_Prices[k] < 0.0f ? L"-" : LangFormat("%.0f_pp", double(m_Prices[k])).c_str());
        if (auto* invest = Control<CDXUTButton>(*this, kResearchInvestIds + r, DXUT_CONTROL_BUTTON)) {
            const std::wstring reason = RefusalOf(k, production);
            invest->SetEnabled(reason.empty());
            invest->SetHint(reason.empty() ? LangText("research_invest_hint") : reason);
        }
    }
}

void cDialogResearchu::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    if (controlId == kResearchCloseId)
        OnClosePressed();
    else if (controlId >= kResearchInvestIds && controlId < kResearchInvestIds + kResearchLines)
        OnInvestPressed(controlId - kResearchInvestIds);
}

void cDialogResearchu::OnKeyboard(unsigned key, bool keyDown, bool)
{
    ClickOnEnterOrEscape(key, keyDown, kResearchCloseId, kResearchCloseId);
}

void cDialogResearchu::OnInvestPressed(int line)
{
    const int k = kTechOfLine[line];
    {
        cWindowLock lock;
        cPanstwo* country = CountryOf(m_CountryId);
        // Points spent beside the open window (a purchase over it, a Mulberry from the hex
        // panel) leave its button enabled: paid unchecked, the country would go below 0.
        if (!country || !RefusalOf(k, country->PP).empty()) {
            Refresh();
            return;
        }
        country->AddProductionPoints(-double(m_Prices[k]));
        country->TechInvestment[k] += 1;
    }
    Refresh();
}

void cDialogResearchu::OnClosePressed() { CloseTopDialogs(1); }
