#include "world/country.h"

#include "game/air_tables.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/fatal.h"
#include "core/csv.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/text.h"
#include "game/game.h"
#include "game/paths.h"
#include "game/table_fields.h"
#include "platform/paths.h"
#include "world/city.h"
#include "world/relations.h"
#include "world/save_limits.h"
#include "world/world.h"
#include "world/world_files.h"

namespace {
int SideOf(int alliance)
{
    if (alliance >= 1 && alliance <= 6)
        return (alliance - 1) % 3 + 1;
    return 0;
}

std::wstring CutText(const std::wstring& text, size_t max)
{
    return text.size() > max ? text.substr(0, max) : text;
}

// Every change of the points is shown at once.
template <typename T>
void AddPoints(T& points, T amount)
{
    points += amount;
    g_World.hooks.refreshPoints();
}

// The technologies that are researched: all but the land warfare doctrine, which comes with time.
constexpr int kResearchedTechs[6] = {0, 1, 3, 4, 5, 6};
} // namespace

cPanstwo::cPanstwo() = default;
cPanstwo::~cPanstwo() = default;
cPanstwo::cPanstwo(const cPanstwo& other) = default;

cAirshipAttackList::cAirshipAttackList(const cAirshipAttackList& other) : std::list<sAirshipAttack*>()
{
    for (const sAirshipAttack* a : other)
        push_back(new sAirshipAttack(*a));
}

cAirshipAttackList::~cAirshipAttackList()
{
    for (sAirshipAttack* a : *this)
        delete a;
}

cPanstwo* GetCountry(int countryId)
{
    if (!g_World.countries || countryId < 1 || size_t(countryId) > g_World.countries->size())
        return nullptr;
    return (*g_World.countries)[size_t(countryId - 1)];
}

int CountryCount()
{
    return g_World.countries ? int(g_World.countries->size()) : 0;
}

// ---- Points ----

void cPanstwo::AddDiplomaticPoints(int amount)
{
    AddPoints<int32_t>(DP, amount);
}

void cPanstwo::AddProductionPoints(double amount)
{
    AddPoints<double>(PP, amount);
}

void cPanstwo::AddStrategicMovementPoints(int amount)
{
    AddPoints<int32_t>(SMP, amount);
}

void cPanstwo::AddSeaTransportPoints(int amount)
{
    AddPoints<int32_t>(STP, amount);
}

void cPanstwo::AddAmphibiousInvasionPoints(int amount)
{
    AddPoints<int32_t>(AIP, amount);
}

// ---- Predicates ----

bool cPanstwo::IsOnSide(int code) const
{
    if (Alliance == ALLIANCE_NEUTRAL)
        return false;
    if (Alliance == code)
        return true;
    // The rule names codes 1 to 6; its note on other codes would put the Comintern's members on
    // side 0 and the Axis members on side -1. They disagree: a code outside 1 to 6 is no side.
    if (code >= 1 && code <= 3)
        return Alliance == code + 3;
    if (code >= 4 && code <= 6)
        return Alliance == code - 3;
    return false;
}

bool IsCountryOrAlly(int holder, int countryId)
{
    if (holder == 0)
        return false;
    if (holder == countryId)
        return true;
    const cPanstwo* country = GetCountry(countryId);
    return country && country->IsAlliedWith(holder);
}

bool cPanstwo::IsAlliedWith(int countryId) const
{
    // No exit in the middle of a game: nobody (id 0) is allied with anybody.
    if (countryId < 1)
    {
        LogLine(L"ERROR: Country ID parameter was 0 while checking alliance!");
        return false;
    }
    const cPanstwo* other = GetCountry(countryId);
    // An id beyond the countries would be read past the list, which holds no country there.
    if (!other)
    {
        LogLine(L"ERROR: Country ID %i does not exist while checking alliance", countryId);
        return false;
    }
    const int side = SideOf(Alliance);
    return side != 0 && side == SideOf(other->Alliance);
}

bool cPanstwo::HasSimilarOrientation(const cPanstwo& other) const
{
    if (Orientation < 0 || Orientation > 5 || other.Orientation < 0 || other.Orientation > 5)
        return false;
    return Orientation % 3 == other.Orientation % 3;
}

bool cPanstwo::IsOrientationInZoneOfInfluence() const
{
    if (Orientation < 0 || Orientation > 5)
        return false;
    return ZoneOfInfluence == Orientation % 3 + 1;
}

int cPanstwo::GetAllianceOrder() const
{
    switch (Alliance)
    {
    case 1: case 4: return 2;
    case 2: case 5: return 1;
    case 3: case 6: return 3;
    default: return 4;
    }
}

bool cPanstwo::IsAtWarWith(int countryId) const
{
    const cRelationsMatrix* relations = WorldRelations();
    return relations && relations->IsAtWar(ID, countryId);
}

bool cPanstwo::IsAtWar() const
{
    const cRelationsMatrix* relations = WorldRelations();
    if (!relations)
        return false;
    for (int id = 1; id <= relations->GetCount(); ++id)
        if (relations->IsAtWar(ID, id))
            return true;
    return false;
}

bool cPanstwo::SideHasMembers() const
{
    return SideOf(Alliance) != 0;
}

cMiasto* cPanstwo::FindBestOwnCity() const
{
    cMiasto* best[2] = {nullptr, nullptr}; // supply cities, then normal and port cities
    if (!g_World.cities)
        return nullptr;
    for (cMiasto* city : *g_World.cities) {
        if (city->GetControllerId() != ID || city->Type == CITY_RESOURCES)
            continue;
        cMiasto*& slot = best[city->Type == CITY_SUPPLY || city->Type == CITY_SUPPLY_PORT ? 0 : 1];
        if (!slot || city->ProductionPoints > slot->ProductionPoints)
            slot = city;
    }
    return best[0] ? best[0] : best[1];
}

namespace {
int UnitTypeSlot(int type)
{
    if (type >= 0 && type <= 6)
        return type;
    if (type >= 20 && type <= 22)
        return type - 13;
    if (type >= 40 && type <= 45)
        return type - 30;
    if (type == 60)
        return 16;
    return -1;
}
} // namespace

std::wstring cPanstwo::GetUnitTypeName(int type) const
{
    const int slot = UnitTypeSlot(type);
    if (slot < 0)
        return L"Unknown";
    return UnitTypeNames[slot];
}

void cPanstwo::SetUnitTypeName(int slot, const std::wstring& text)
{
    // A slot beyond the 17 would write past the names.
    if (slot < 0 || slot >= kUnitTypeSlots)
    {
        LogLine(L"ERROR: unit type name slot %i does not exist (0 to 16)", slot);
        return;
    }
    UnitTypeNames[slot] = text;
    UnitTypeNameSet[slot] = true;
}

void cPanstwo::SetSavedView(float x, float y, float zoom)
{
    SavedView[0] = x;
    SavedView[1] = y;
    SavedView[2] = zoom;
}

void cPanstwo::SetName(const std::wstring& text)
{
    Name = CutText(text, kCountryNameMax);
    SkinName = Name;
    LoadUnitsSkinTexture(g_UserSettings.unitsSkin);
}

void cPanstwo::SetSkinName(const std::wstring& text)
{
    SkinName = CutText(text, kCountryNameMax);
    LoadUnitsSkinTexture(g_UserSettings.unitsSkin);
}

namespace {

// Decodes the picture at a game path when the file is there, and keeps where it came from.
bool LoadPictureIfPresent(const std::wstring& path, std::shared_ptr<cTexture>& picture, std::wstring& from)
{
    if (!FileExists(HostPath(path)))
        return false;
    picture = g_World.hooks.loadTexture(path);
    if (picture)
        from = path;
    else // there but no picture: the writer is told why the next place's is shown
        LogLine(L"Loading file \"%s\" (%i) [FAILED]", path, 1);
    return picture != nullptr;
}

} // namespace

void cPanstwo::LoadUnitsSkinTexture(const std::wstring& skin)
{
    UnitsPicture.reset();
    UnitsPicturePath.clear();
    LoadPictureIfPresent(FormatText(L"data\\gfx\\[UnitsSkin]%s\\units_%s.png", skin, SkinName), UnitsPicture,
                         UnitsPicturePath);
}

// The scenario's own flag first, then the common one of that name.
void cPanstwo::LoadFlagTexture(const std::wstring& scenario)
{
    FlagPicture.reset();
    FlagPath.clear();
    if (!LoadPictureIfPresent(FormatText(L"data\\scenarios\\%s\\Flags\\%s.png", scenario, Name), FlagPicture, FlagPath))
        LoadPictureIfPresent(FormatText(L"data\\gfx\\Flags\\%s.png", Name), FlagPicture, FlagPath);
}

// ---- countries.csv ----

void LoadCountries(const std::wstring& folderPattern, std::vector<cPanstwo*>& countries,
                   const std::wstring& scenarioFolderName)
{
    const std::wstring path = JoinPathPattern(folderPattern, L"countries.csv");
    cCsvReader reader = OpenTableOrFail(path, L"Otwieram plik z panstwami ze sciezka...");
    DeleteCountries(countries);
    while (!reader.AtEnd())
    {
        // Empty fields keep their place: dropped, they would move every later column onto
        // another's, and an empty number is refused as no number. The ';' that ends a row adds none.
        reader.ReadRow(true);
        if (!reader.m_Fields.empty() && reader.m_Fields.back().empty())
            reader.m_Fields.pop_back();
        const int count = int(reader.m_Fields.size());
        const int line = reader.GetRowCount();
        // Where a line end was lost the table would read on with only the first of two countries:
        // the load is refused with the line rather than a country gone unseen.
        RefuseIfCommentCarriesRow(reader, path, kCountriesCsvColumns - 1);
        if (count == 0)
            continue;
        const std::vector<std::wstring>& t = reader.m_Fields;
        RefuseIfRowsRunTogether(reader, path, kCountriesCsvColumns - 1, kCountriesCsvColumnsWithPurchases);
        if (count < kCountriesCsvColumns - 1)
        {
            LogLine(L"WARNING: wrong tokens (columns/values) amount (%i) in %s at line %i (counting from 1)", count,
                    path, line);
            continue;
        }
        const cTableFields f(path, line, t);
        // Country k is the k-th row: an id out of step would give every later row another's id.
        const int id = f.Int(0, INT_MIN, INT_MAX, L"ID");
        const int expected = int(countries.size()) + 1;
        if (id != expected)
            FatalExit(1, FormatText(L"ERROR: country ID %i in %s at line %i should be %i: ids must follow 1, 2, 3...",
                                    id, path, line, expected));
        // A hex keeps its controller and owners in one byte each.
        if (expected > 255)
            FatalExit(1, FormatText(L"ERROR: too many countries in %s at line %i: at most 255", path, line));
        auto country = std::make_unique<cPanstwo>();
        cPanstwo& c = *country;
        c.ID = id;
        c.IsActive = f.Flag(1, L"IsActive?");
        WarnIfNameTooLong(t[2], kCountryNameMax, L"country", path, line);
        c.SetName(t[2]);
        c.Color1 = f.Hex(3, L"Color1");
        c.Color2 = f.Hex(4, L"Color2");
        c.CounterColor1 = c.Color1;
        c.CounterColor2 = c.Color2;
        c.Color3 = f.Hex(5, L"Color3");
        c.Color4 = f.Hex(6, L"Color4");
        // The codes pick sides, turn groups and leanings: any other would sit on no side the rules know.
        c.Alliance = f.Int(7, ALLIANCE_NEUTRAL, 6, L"Alliance");
        c.Orientation = f.Int(8, ORIENTATION_DEMOCRACY, ORIENTATION_PRO_COMINTERN, L"Orientation");
        // A script may set a zone of no side (the rules read any zone but 1 to 3 as none) for
        // itself to read back, and a save keeps it.
        c.ZoneOfInfluence = f.Int(9, INT_MIN, INT_MAX, L"Zone of Influence");
        // Diplomacy keeps the entry within 0 to 100 (100: joined); a script may set it below.
        c.AllianceEntry = f.ClampedInt(10, 0, 100, L"Alliance entry");
        // Events move the strength anywhere, and a save keeps it.
        c.PoliticalStrength = f.ClampedInt(11, -kMaxCountryPoints, kMaxCountryPoints, L"Polit. Str.");
        c.FinishedTurn = f.Flag(12, L"Finished turn?");
        c.HumanControlled = f.Flag(13, L"Human controlled?");
        // Levels multiply bonuses and points are summed every turn: kept to what a game can reach.
        static const wchar_t* const kTechNames[] = {L"Artillery", L"Tanks",    L"Land warfer doctrine (0-5)",
                                                    L"Aircraft",  L"Subs",     L"Navy",
                                                    L"Nukes"};
        for (int i = 0; i < 7; ++i)
            c.TechLevel[i] = f.ClampedInt(size_t(14 + i), 0, 100, FormatText(L"technology level %i, %s", i + 1,
                                                                            kTechNames[i]));
        // The points and the factors below are added up and multiplied every month: kept far beyond
        // any game but finite, where 1e308 or "inf" would make every sum after them inf or nan.
        c.PP = f.ClampedNumber(21, -kMaxCountryProductionPoints, kMaxCountryProductionPoints, L"PPs");
        auto factor = [&](size_t field, const wchar_t* what) {
            return float(f.ClampedNumber(field, -kMaxCountryFactor, kMaxCountryFactor, what));
        };
        auto points = [&](size_t field, const std::wstring& what) {
            return f.ClampedInt(field, -kMaxCountryPoints, kMaxCountryPoints, what);
        };
        c.DP = points(22, L"DPs");
        c.SMP = points(23, L"SMPs");
        c.STP = points(24, L"STPs");
        c.AIP = points(25, L"AIPs");
        c.SMPMax = points(26, L"SMP");
        c.STPUsedByConvoys = points(27, L"STP used by convoys");
        c.AIPMax = points(28, L"AIP");
        for (int i = 0; i < 6; ++i)
        {
            const int tech = kResearchedTechs[i];
            c.TechInvestment[tech] = f.ClampedInt(size_t(29 + i), 0, kMaxTechInvestment,
                                                  FormatText(L"technology investment %i, %s", tech + 1, kTechNames[tech]));
            c.TechProgress[tech] = f.ClampedInt(size_t(35 + i), 0, kMaxCountryPoints,
                                                FormatText(L"research progress %i, %s", tech + 1, kTechNames[tech]));
        }
        c.TechInvestment[TECH_DOCTRINE] = -1;
        c.TechProgress[TECH_DOCTRINE] = -1;
        // A place on the diplomacy picture.
        c.CapitalX = f.Int(41, -kMaxCountryPoints, kMaxCountryPoints, L"X");
        c.CapitalY = f.Int(42, -kMaxCountryPoints, kMaxCountryPoints, L"Y");
        c.DoneDelayWarEntry = f.Flag(43, L"DoneDelayWarEntry");
        c.DoneHasteWarEntry = f.Flag(44, L"DoneHasteWarEntry");
        c.DoneParliamentaryElections = f.Flag(45, L"DoneParliamentaryElections");
        c.DoneTurnInOrientation = f.Flag(46, L"DoneTurnInOrientation");
        // Beyond 0 to 100 the unrest is read as its end, as always; a warning says so.
        c.SocialUnrest = float(f.ClampedNumber(47, 0.0, 100.0, L"Social unrest"));
        c.WarEconomy = factor(48, L"WarEconomy(%)");
        c.Power = f.Int(49, 1, 3, L"Power");
        c.Region = f.Int(50, 1, 5, L"Region");
        c.DifficultyLevel = f.Int(51, 0, 4, L"Difficulty level");
        c.NuclearBombs = f.Int(52, 0, kMaxCountryPoints, L"Nuclear bombs");
        c.DPGrowthPerMonth = points(53, L"DP growth per month");
        // The counters go down every month, reached or not.
        for (int i = 0; i < 5; ++i)
            c.MonthsToDoctrineLevel[i] = points(size_t(54 + i), FormatText(L"months to doctrine level %i", i + 1));
        c.DoneExertPressureAxis = f.Flag(59, L"DoneExertPressureAxis");
        c.DoneExertPressureAllied = f.Flag(60, L"DoneExertPressureAllied");
        c.DoneExertPressureComintern = f.Flag(61, L"DoneExertPressureComintern");
        c.PBEMPlayerId = f.Int(62, 0, kMaxPbemPlayers, L"PBEM Player ID");
        c.UnitUpkeepCostModifier = factor(63, L"Unit upkeep cost modifier");
        c.WinterBattle = factor(64, L"Winter battle");
        c.WinterMove = factor(65, L"Winter move");
        c.MudBattle = factor(66, L"Mud battle");
        c.MudMove = factor(67, L"Mud move");
        // 1 marks the country that closes the turn order.
        c.SpecialFlags = f.Flag(68, L"Country type special flags") ? 1 : 0;
        // Without a skin name of its own a country's skin is its name.
        if (f.Has(69))
        {
            WarnIfNameTooLong(t[69], kCountryNameMax, L"skin", path, line);
            c.SetSkinName(t[69]);
        }
        // The counts of bought points set the next prices: a saved game keeps them.
        if (f.Has(70) || f.Has(71))
        {
            c.SMPBought = f.Int(70, 0, kMaxCountryPoints, L"Bought SMP");
            c.AIPBought = f.Int(71, 0, kMaxCountryPoints, L"Bought AIP");
        }
        // Unit-counter pictures come with the units skin, applied to every country later.
        c.UnitsPicture.reset();
        c.UnitsPicturePath.clear();
        c.LoadFlagTexture(scenarioFolderName);
        LogLine(L"Added country %s (ID: %i, AllianceID: %i)", c.Name, c.ID, c.Alliance);
        countries.push_back(country.release());
    }
}

void SaveCountries(const std::wstring& folder, const std::vector<cPanstwo*>& countries)
{
    std::wstring text =
        L"#Important! Ids must follow sequence (1,2,3...etc);;;;;;;;;;;;;;Tech levels;;;;;;;Points;;;;;Points "
        L"max/used;;;Tech investments;;;;;;Tech research progress;;;;;;Capital coordinates on diplomacy bmp "
        L"image;;DoneDelayWarEntry;DoneHasteWarEntry;DoneParliamentaryElections;DoneTurnInOrientation;;;Data for "
        L"settings screen only;Data for settings screen only;;Nuclear;;Months to reach new level of land warfare "
        L"doctrine (cumulated);;;;;DoneExertPressureAxis;DoneExertPressureAllied;DoneExertPressureComintern;;;Weather "
        L"modifiers;;;;\n"
        L"#ID;IsActive?;Name;Color1;Color2;Color3;Color4;Alliance;Orientation;Zone of Influence;Alliance entry;Polit. "
        L"Str.;Finished turn?;Human controlled?;Artillery;Tanks;Land warfer doctrine "
        L"(0-5);Aircraft;Subs;Navy;Nukes;PPs;DPs;SMPs;STPs;AIPs;SMP;STP used by "
        L"convoys;AIP;Artillery;Tanks;Aircraft;Subs;Navy;Nukes;Artillery;Tanks;Aircraft;Subs;Navy;Nukes;X;Y;0/1;0/1;0/"
        L"1;0/1;Social unrest;WarEconomy(%);Power (1-major, 2-minor, 3-other);Region (1-africa, 2-asia, 3-europe, 4-n. "
        L"America, 5-s.america);Difficulty level (0-v.hard, 1-hard, 2-normal, 3-easy, 4-v.easy);Nuclear bombs;DP "
        L"growth per month;Lev 1;Lev 2;Lev 3;Lev 4;Lev 5;0/1;0/1;0/1;PBEM Player ID;Unit upkeep cost modifier;Winter "
        L"battle;Winter move;Mud battle;Mud move;Country type special flags;Skins name [optional];Bought SMP;Bought AIP";
    // Numbers as the shortest text that reads back exactly, not with six decimals: six decimals
    // round the points and factors, and the table's own promise is that a re-read save gives the
    // same values; a continued game must play as the unbroken one.
    for (const cPanstwo* p : countries)
    {
        const cPanstwo& c = *p;
        text += FormatText(L"\n%i;%i;%s;%X;%X;%X;%X;%i;%i;%i;%i;%i;%i;%i;", c.ID, int(c.IsActive), c.Name, c.Color1,
                           c.Color2, c.Color3, c.Color4, c.Alliance, c.Orientation, c.ZoneOfInfluence,
                           c.AllianceEntry, c.PoliticalStrength, int(c.FinishedTurn), int(c.HumanControlled));
        for (int i = 0; i < 7; ++i)
            text += FormatText(L"%i;", c.TechLevel[i]);
        text += FormatText(L"%s;%i;%i;%i;%i;%i;%i;%i;", ExactNumberText(c.PP), c.DP, c.SMP, c.STP, c.AIP, c.SMPMax,
                           c.STPUsedByConvoys, c.AIPMax);
        for (int i : kResearchedTechs)
            text += FormatText(L"%i;", c.TechInvestment[i]);
        for (int i : kResearchedTechs)
            text += FormatText(L"%i;", c.TechProgress[i]);
        text += FormatText(L"%i;%i;%i;%i;%i;%i;%s;%s;%i;%i;%i;%i;%i;", c.CapitalX, c.CapitalY,
                           int(c.DoneDelayWarEntry), int(c.DoneHasteWarEntry), int(c.DoneParliamentaryElections),
                           int(c.DoneTurnInOrientation), ExactNumberText(c.SocialUnrest), ExactNumberText(c.WarEconomy), c.Power, c.Region,
                           c.DifficultyLevel, c.NuclearBombs, c.DPGrowthPerMonth);
        for (int i = 0; i < 5; ++i)
            text += FormatText(L"%i;", c.MonthsToDoctrineLevel[i]);
        text += FormatText(L"%i;%i;%i;%i;%s;%s;%s;%s;%s;%i;%s;%i;%i;", int(c.DoneExertPressureAxis),
                           int(c.DoneExertPressureAllied), int(c.DoneExertPressureComintern), c.PBEMPlayerId,
                           ExactNumberText(c.UnitUpkeepCostModifier), ExactNumberText(c.WinterBattle),
                           ExactNumberText(c.WinterMove), ExactNumberText(c.MudBattle), ExactNumberText(c.MudMove),
                           c.SpecialFlags, c.SkinName, c.SMPBought, c.AIPBought);
    }
    WriteSaveTextFile(JoinFolder(folder, L"countries.csv"), text);
}

void DeleteCountries(std::vector<cPanstwo*>& countries)
{
    for (cPanstwo* c : countries)
        delete c;
    countries.clear();
}
