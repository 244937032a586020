#include "shell/units_skin.h"

#include "core/csv.h"
#include "core/log.h"
#include "core/text.h"
#include "game/load_files.h"
#include "platform/paths.h"
#include "shell/dxut.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "world/country.h"
#include "world/world.h"

namespace {

// The rows of one level: the pairs of rectangles, then the family's further rows.
struct sFamilyLayout
{
    int pairs;
    int rows;
};

sFamilyLayout LayoutOf(int family, double version)
{
    if (family == kFamilyLand)
        return {9, 25};
    if (family == kFamilyAir)
        return {7, 21};
    return version >= 1.03 - 1e-9 ? sFamilyLayout{4, 15} : sFamilyLayout{3, 13};
}

// A piece is present when its rectangles end past the origin: a row of width 0 away from the
// origin still counts, as the rule for the flags has it (its piece is drawn zero wide).
bool NonZeroCorner(const sRect& r) { return r.right != 0 && r.bottom != 0; }

void ClosePresentFlags(sSkinLevel& level, int pairs)
{
    for (int k = 0; k < kSkinLevelFlags; ++k) {
        const sRect& further = level.rects[size_t(9 + k)];
        level.present[size_t(k)] =
            k < pairs ? NonZeroCorner(level.rects[size_t(k)]) && NonZeroCorner(further) : NonZeroCorner(further);
    }
}

// A text style row: its rectangle (x, y, width, height) and its style.
void ReadTextRow(sSkinLevel& level, int rect, int style, const std::vector<std::wstring>& row)
{
    ParseRectCells(level.rects[size_t(rect)], row, true);
    ParseTextStyleCells(level.styles[size_t(style)], row);
}

void ReadRow(sSkinLevel& level, int family, const sFamilyLayout& layout, int r, const std::vector<std::wstring>& row)
{
    const int n = layout.pairs;
    if (r == 0) {
        level.name = row[0];
        return;
    }
    if (r == 1) {
        level.zoomThreshold = AtoiLike(WideToUtf8(row[0]));
        return;
    }
    if (r <= 2 * n + 1) {
        const int k = (r - 2) / 2;
        if (r % 2 == 0)
            ParseRectCells(level.rects[size_t(k)], row, true);
        else
            ParseRectCells(level.rects[size_t(9 + k)], row, false);
        return;
    }
    if (family == kFamilyLand) {
        if (r <= 22)
            ReadTextRow(level, 18 + (r - 20), r - 20, row);
        else
            ParseRectCells(level.rects[size_t(21 + (r - 23))], row, false);
    } else if (family == kFamilyAir) {
        if (r <= 18)
            ReadTextRow(level, 16 + (r - 16), r - 16, row);
        else
            ParseRectCells(level.rects[size_t(19 + (r - 19))], row, false);
    } else {
        const int i = r - (2 * n + 2);
        if (i == 0)
            ParseRectCells(level.rects[13], row, false);
        else if (i <= 2)
            ReadTextRow(level, 13 + i, i - 1, row);
        else
            ParseRectCells(level.rects[size_t(16 + (i - 3))], row, false);
    }
}

void ReadCountryColours(cCsvReader& reader, int minimumFields, int firstField)
{
    std::vector<cPanstwo*>* countries = g_World.countries;
    if (!countries)
        return;
    while (!reader.AtEnd()) {
        const int count = reader.ReadRow(true);
        if (count < minimumFields)
            continue;
        const std::vector<std::wstring>& f = reader.m_Fields;
        const int id = LeadingInt(f[0]);
        // Ids run from 1: an id of 0 or past the last country names no country.
        if (id < 1 || id > int(countries->size()))
            continue;
        cPanstwo* country = (*countries)[size_t(id - 1)];
        country->CounterColor1 = uint32_t(LeadingHex(f[size_t(firstField)]));
        if (count > firstField + 1)
            country->CounterColor2 = uint32_t(LeadingHex(f[size_t(firstField + 1)]));
    }
}

} // namespace

bool LoadUnitSkinTable(int family, const std::filesystem::path& file, const std::wstring& shownName)
{
    auto& levels = g_UnitSkinLevels[size_t(family)];
    cCsvReader reader(file);
    int filled = 0;
    if (!reader.IsOk()) {
        LogLine(L"ERROR during opening CSV file %s", shownName);
    } else {
        double version = 1.0;
        sFamilyLayout layout = LayoutOf(family, version);
        int row = 0;
        while (!reader.AtEnd() && filled < kSkinLevels) {
            if (reader.ReadRow(true) == 0)
                continue;
            const std::vector<std::wstring>& fields = reader.m_Fields;
            if (row == 0 && fields[0] == L"Game version") {
                version = fields.size() > 1 ? LeadingDouble(fields[1]) : 1.0;
                layout = LayoutOf(family, version);
                continue;
            }
            sSkinLevel& level = levels[size_t(filled)];
            // A level read anew starts empty: nothing of an earlier skin's level stays in it.
            if (row == 0) {
                level.rects = {};
                level.present = {};
            }
            ReadRow(level, family, layout, row, fields);
            if (++row == layout.rows) {
                ClosePresentFlags(level, layout.pairs);
                row = 0;
                ++filled;
            }
        }
        // Whether a level cut short by the end of the file was filled is not said: it keeps
        // what it read, its threshold among it, rather than losing it to the unfilled ones.
        if (row > 0 && filled < kSkinLevels) {
            ClosePresentFlags(levels[size_t(filled)], layout.pairs);
            ++filled;
        }
    }
    // A level the file did not fill draws nothing: its rectangles were another skin's, and
    // would cut wrong pieces from this skin's pictures.
    for (int i = filled; i < kSkinLevels; ++i) {
        levels[size_t(i)].zoomThreshold = -100;
        levels[size_t(i)].present = {};
        for (sTextStyle& style : levels[size_t(i)].styles)
            style.face.clear();
    }
    g_SelectedUnitSkinLevel[size_t(family)] = 0;
    return reader.IsOk();
}

void LoadUnitsSkin(const std::wstring& skinName)
{
    const std::wstring folder = FormatText(L"data\\gfx\\[UnitsSkin]%s", skinName);
    if (FileExists(HostPath(folder + L"\\units.png"))) {
        g_Textures[TEX_UNITS].Release();
        // One mip level whatever the device: this renderer keeps one level per texture.
        g_Textures[TEX_UNITS].Load((folder + L"\\units.png").c_str(), 1, 1);
        g_Textures[TEX_UNITS_INFO].Release();
        g_Textures[TEX_UNITS_INFO].Load((folder + L"\\info.png").c_str(), 1, 1);
        if (g_World.countries)
            for (cPanstwo* country : *g_World.countries)
                country->LoadUnitsSkinTexture(skinName);
    }
    const wchar_t* tables[kUnitFamilies] = {L"land_units.csv", L"air_units.csv", L"naval_units.csv"};
    for (int family = 0; family < kUnitFamilies; ++family) {
        const std::wstring path = folder + L"\\" + tables[family];
        LoadUnitSkinTable(family, HostPath(path), path);
    }
    if (g_World.countries) {
        // The scenario's colours first, then the skin's over them. The game's countries.csv is
        // not read again: its countries hold the colours of its fields 3 and 4 since loading.
        for (cPanstwo* country : *g_World.countries) {
            country->CounterColor1 = country->Color1;
            country->CounterColor2 = country->Color2;
        }
        cCsvReader skinColours(HostPath(folder + L"\\countries.csv"));
        if (skinColours.IsOk())
            ReadCountryColours(skinColours, 3, 2);
    }
    if (cRenderer* device = DXUTGetD3DDevice())
        CreateSkinFonts(device);
    SelectUnitSkinLevels();
}
