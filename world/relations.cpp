#include "world/relations.h"

#include <climits>

#include "core/fatal.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/paths.h"
#include "game/table_fields.h"
#include "world/country.h"
#include "world/world.h"
#include "world/world_files.h"

namespace {
enum eCheck
{
    CHECK_RELATIONS,
    CHECK_SET_WAR,
    CHECK_CHANGE_LOSSES,
    CHECK_LOSSES,
    CHECK_LOSS_SHARE,
};

std::wstring ZeroIdText(int check)
{
    switch (check)
    {
    case CHECK_SET_WAR: return LangMessage("country_id_parameter_was_0_while_setting_war.");
    case CHECK_CHANGE_LOSSES: return LangMessage("country_id_parameter_was_0_while_changing_losses");
    case CHECK_LOSSES: return LangMessage("country_id_parameter_was_0_while_checking_losses");
    case CHECK_LOSS_SHARE: return LangMessage("country_id_parameter_was_0_while_checking_losses'_share");
    default: return L"ERROR: Country ID parameter was 0 while checking relations";
    }
}
} // namespace

bool cRelationsMatrix::CheckIds(int a, int b, int check) const
{
    // No exit in the middle of a game: nobody (id 0) is at peace and has no losses.
    if (a == 0 || b == 0)
    {
        LogLine(ZeroIdText(check));
        return false;
    }
    if (a < 0 || b < 0 || a > N || b > N)
    {
        // Outside the matrix: answered as peace without losses, never read past the cells.
        LogLine(L"ERROR: Country ID %i or %i is outside the relations of %i countries", a, b, N);
        return false;
    }
    return true;
}

bool cRelationsMatrix::IsAtWar(int a, int b) const
{
    if (!CheckIds(a, b, CHECK_RELATIONS))
        return false;
    if (a == b)
        return false;
    return Cells[size_t(a - 1) * size_t(N) + size_t(b - 1)].war != 0;
}

bool CountriesAtWar(int a, int b)
{
    const cRelationsMatrix* relations = WorldRelations();
    return a > 0 && b > 0 && relations && relations->IsAtWar(a, b);
}

void cRelationsMatrix::SetWar(int a, int b, uint8_t flag)
{
    if (CheckIds(a, b, CHECK_SET_WAR))
        Cells[size_t(a - 1) * size_t(N) + size_t(b - 1)].war = flag;
}

void cRelationsMatrix::AddLosses(int dealer, int sufferer, float amount)
{
    if (CheckIds(dealer, sufferer, CHECK_CHANGE_LOSSES))
        Cells[size_t(dealer - 1) * size_t(N) + size_t(sufferer - 1)].losses += amount;
}

float cRelationsMatrix::GetLosses(int a, int b) const
{
    if (!CheckIds(a, b, CHECK_LOSSES))
        return 0.0f;
    return Cells[size_t(a - 1) * size_t(N) + size_t(b - 1)].losses;
}

float cRelationsMatrix::GetLossShare(int a, int b) const
{
    if (!CheckIds(a, b, CHECK_LOSS_SHARE))
        return 0.0f;
    return Shares[size_t(a - 1) * size_t(N) + size_t(b - 1)];
}

float cRelationsMatrix::GetLossesColumnSum(int b) const
{
    // A column outside the matrix is never read past the cells: nobody lost anything there.
    if (b < 1 || b > N)
        return 0.0f;
    float sum = 0.0f;
    for (int a = 1; a <= N; ++a)
        sum += Cells[size_t(a - 1) * size_t(N) + size_t(b - 1)].losses;
    return sum;
}

void cRelationsMatrix::MakePeaceWithAll(int c)
{
    for (int v = 1; v <= N; ++v)
        if (v != c && IsAtWar(c, v))
        {
            SetWar(c, v, 0);
            SetWar(v, c, 0);
        }
}

void cRelationsMatrix::RecomputeLossShares()
{
    for (int b = 1; b <= N; ++b)
    {
        const float s = GetLossesColumnSum(b);
        for (int a = 1; a <= N; ++a)
        {
            const size_t i = size_t(a - 1) * size_t(N) + size_t(b - 1);
            Shares[i] = s == 0.0f ? 0.0f : Cells[i].losses / s;
        }
    }
}

void cRelationsMatrix::Resize(int n)
{
    N = n < 0 ? 0 : n;
    Cells.assign(size_t(N) * size_t(N), sCell{});
    Shares.assign(size_t(N) * size_t(N), 0.0f);
}

void cRelationsMatrix::Load(int n, const std::wstring& folderPattern)
{
    Resize(n);
    ReadFile(JoinPathPattern(folderPattern, L"relations.csv"), false);
    ReadFile(JoinPathPattern(folderPattern, L"losses.csv"), true);
}

void cRelationsMatrix::ReadFile(const std::wstring& path, bool losses)
{
    const std::vector<std::string> lines = ReadTextLinesOrFail(
        path, losses ? L"Otwieram plik ze stratami ze sciezka..." : L"Otwieram plik z relacjami ze sciezka...");
    int lineNo = 0;
    for (const std::string& line : lines)
    {
        ++lineNo;
        if (line.empty() || line[0] == '#' || line.size() <= 2)
            continue;
        std::vector<int> columns;
        const std::vector<std::string> tokens = SplitTokens(StripLineEnd(line), ";", &columns);
        if (tokens.empty())
            continue;
        const cTableFields row(path, lineNo, tokens, columns);
        const int a = row.Int(0, INT_MIN, INT_MAX, L"Country ID");
        if (a <= 0 || a > N)
        {
            LogLine(L"Error in file %s line no. %i", path, lineNo);
            FatalExit(1, FormatText(L"%s, line %i: %s", path, lineNo, LangMessage("wrong_country_id")));
        }
        for (int b = 1; b <= N && size_t(b + 1) < tokens.size(); ++b)
        {
            sCell& cell = Cells[size_t(a - 1) * size_t(N) + size_t(b - 1)];
            const std::wstring what = FormatText(losses ? L"losses of country %i to country %i"
                                                        : L"war of country %i with country %i",
                                                 a, b);
            // Casualties below 0 could cancel a column's sum and divide the shares by zero.
            if (losses)
                cell.losses = float(row.ClampedNumber(size_t(b + 1), 0.0, 1e9, what));
            else
                cell = sCell{uint8_t(row.Flag(size_t(b + 1), what) ? 1 : 0), 0.0f};
        }
    }
}

void cRelationsMatrix::SaveRelations(const std::wstring& folder) const
{
    std::wstring text = L"#Relations matrix [0=peace, 1=war]\n"
                        L"#Country ID;Country Name;Relations with all countries [0=peace, 1=war]";
    for (int a = 1; a <= N; ++a)
    {
        const cPanstwo* country = GetCountry(a);
        text += FormatText(L"\n%i;%s", a, country ? country->Name : std::wstring());
        for (int b = 1; b <= N; ++b)
            text += FormatText(L";%i", IsAtWar(a, b) ? 1 : 0);
    }
    WriteSaveTextFile(JoinFolder(folder, L"relations.csv"), text);
}

void cRelationsMatrix::SaveLosses(const std::wstring& folder) const
{
    std::wstring text = L"#Losses matrix:\n#Country ID;Country Name;Casualties dealt against all countries";
    for (int a = 1; a <= N; ++a)
    {
        const cPanstwo* country = GetCountry(a);
        text += FormatText(L"\n%i;%s;", a, country ? country->Name : std::wstring());
        // Exact rather than six decimals: a saved game must continue with the same shares of
        // a surrender's land, and "%f" drops casualties below a millionth.
        for (int b = 1; b <= N; ++b)
            text += FormatText(L"%s;", ExactNumberText(GetLosses(a, b)));
    }
    WriteSaveTextFile(JoinFolder(folder, L"losses.csv"), text);
}
