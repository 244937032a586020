#include "shell/map_skin.h"

#include <charconv>
#include <filesystem>

#include "core/log.h"
#include "core/text.h"
#include "platform/paths.h"
#include "platform/texture.h"
#include "shell/draw_helpers.h"
#include "shell/dxut.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "world/map.h"
#include "world/world.h"

namespace {

unsigned g_MapSkinGeneration = 0;

constexpr size_t kLineLimit = 500;
constexpr int kAppearanceLevels = 4;

std::wstring SkinFolder(const std::wstring& skinName) { return FormatText(L"data\\gfx\\[MapSkin]%s", skinName); }

std::vector<std::wstring> Fields(const std::wstring& line)
{
    return SplitText(std::wstring_view(line).substr(0, kLineLimit - 1), L';');
}

// The fields after the first (the line's label), for the row parsers.
std::vector<std::wstring> AfterLabel(const std::vector<std::wstring>& fields)
{
    return fields.size() > 1 ? std::vector<std::wstring>(fields.begin() + 1, fields.end()) : std::vector<std::wstring>{};
}

bool NonZeroCorner(const sRect& r) { return r.right != 0 && r.bottom != 0; }

void ClosePresentFlags(sSkinLevel& level)
{
    for (int k = 0; k < kCityMarkers; ++k)
        level.present[size_t(k)] = NonZeroCorner(level.rects[size_t(CityMarkerDest(k))]) &&
                                   NonZeroCorner(level.rects[size_t(CityMarkerSource(k))]);
    for (int j = 0; j < kCityLabels; ++j) {
        const sRect& r = level.rects[size_t(CityLabel(j))];
        level.present[size_t(CityLabelFlag(j))] = NonZeroCorner(r) && r.right != r.left && r.bottom != r.top;
    }
}

// A whole number with nothing else around it.
bool StrictInt(const std::wstring& field, int& out)
{
    std::string text = WideToUtf8(field);
    size_t first = text.find_first_not_of(" \t\r\n");
    size_t last = text.find_last_not_of(" \t\r\n");
    if (first == std::string::npos)
        return false;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    auto [ptr, ec] = std::from_chars(begin, end, out);
    return ec == std::errc() && ptr == end;
}

} // namespace

bool LoadCityAppearance(const std::wstring& path)
{
    LogLine(L"Opening file with cities appearance definition...");
    LogLine(L"%s", path);
    std::optional<std::vector<std::wstring>> lines = ReadTextLines(HostPath(path));
    if (!lines)
        return false;
    int level = -1;
    int lineInLevel = 0;
    for (const std::wstring& line : *lines) {
        if (!line.empty() && line[0] == L';')
            continue;
        std::vector<std::wstring> fields = Fields(line);
        if (!line.empty() && line[0] == L'#') {
            if (level >= 0)
                ClosePresentFlags(g_CityAppearanceLevels[size_t(level)]);
            if (level + 1 == kAppearanceLevels)
                break;
            ++level;
            lineInLevel = 0;
            // A level read anew starts empty: nothing of an earlier skin's level stays in it.
            sSkinLevel& l = g_CityAppearanceLevels[size_t(level)];
            l.zoomThreshold = 0;
            l.rects = {};
            l.present = {};
            if (line.compare(0, 3, L"#AP") == 0) {
                // The rectangle, then the style: the cells the row parsers expect.
                std::vector<std::wstring> style = AfterLabel(fields);
                ParseRectCells(g_CityLabelRect, style, true);
                ParseTextStyleCells(g_CityLabelStyle, style);
            }
            continue;
        }
        if (level < 0)
            continue;
        sSkinLevel& l = g_CityAppearanceLevels[size_t(level)];
        std::vector<std::wstring> cells = AfterLabel(fields);
        if (lineInLevel == 0) {
            l.zoomThreshold = cells.empty() ? 0 : AtoiLike(WideToUtf8(cells[0]));
        } else if (lineInLevel <= 2 * kCityMarkers) {
            const int k = (lineInLevel - 1) / 2;
            if (lineInLevel % 2 == 1)
                ParseRectCells(l.rects[size_t(CityMarkerDest(k))], cells, true);
            else
                ParseRectCells(l.rects[size_t(CityMarkerSource(k))], cells, false);
        } else if (lineInLevel <= 2 * kCityMarkers + kCityLabels) {
            const int j = lineInLevel - 2 * kCityMarkers - 1;
            ParseRectCells(l.rects[size_t(CityLabel(j))], cells, true);
            ParseTextStyleCells(l.styles[size_t(j)], cells);
        }
        ++lineInLevel;
    }
    if (level >= 0)
        ClosePresentFlags(g_CityAppearanceLevels[size_t(level)]);
    for (int i = level + 1; i < kSkinLevels; ++i) {
        sSkinLevel& l = g_CityAppearanceLevels[size_t(i)];
        l.zoomThreshold = -100;
        // Still chosen when no level serves the zoom, it must not draw an old skin's marks.
        l.present = {};
        for (sTextStyle& style : l.styles)
            style.face.clear();
    }
    return true;
}

unsigned MapSkinGeneration() { return g_MapSkinGeneration; }

void LoadEyecandies(cMapa& map, const std::wstring& scenarioFolder)
{
    ++g_MapSkinGeneration;
    map.AllocateScratch();
    if (!g_Textures[TEX_EYECANDIES].Get())
        return;
    const std::filesystem::path path = HostPath(scenarioFolder + L"\\eyecandies.csv");
    // The file is optional: a scenario without it has no eyecandies, and an ERROR line would
    // report a fault where there is none. One that is there but cannot be read still gets it.
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        LogLine(L"No eyecandies in %s: it has no eyecandies.csv", scenarioFolder);
        return;
    }
    std::optional<std::vector<std::wstring>> lines = ReadTextLines(path);
    if (!lines) {
        LogLine(L"ERROR unable to load eyecandies data from %s/eyecandies.csv", scenarioFolder);
        return;
    }
    std::vector<sHexDecoration>& decorations = map.Decorations();
    for (const std::wstring& line : *lines) {
        std::vector<std::wstring> fields = Fields(line);
        if (fields.size() < 5) {
            LogLine(L"WARNING incorrect entry in %s/eyecandies.csv:\n%s", scenarioFolder, line);
            continue;
        }
        int v[9] = {};
        bool ok = fields.size() >= 9;
        for (size_t i = 0; ok && i < 9; ++i)
            ok = StrictInt(fields[i], v[i]);
        if (!ok) {
            LogLine(L"ERROR incorrect entry data format in %s/eyecandies.csv: %s", scenarioFolder, line);
            continue;
        }
        // The depth level is kept to 0..39, as the depth table keeps its levels: outside it the
        // decoration's depth would leave the range every other map sprite lies in.
        const int x = v[0], y = v[1], level = std::clamp(v[2], 0, 39);
        if (!map.IsInside(x, y) || decorations.empty()) {
            LogLine(L"WARNING eyecandy outside the map in %s/eyecandies.csv: %s", scenarioFolder, line);
            continue;
        }
        // Clear weather's cell at (a + 1, b + 1), winter's at (c + 1, d + 1), mud's at the
        // cell of the column and row given last.
        sHexDecoration& d = decorations[size_t(y) * size_t(map.width) + size_t(x)];
        d.cell[0] = HeldInInt(v[3] + 1LL);
        d.cell[1] = HeldInInt(v[4] + 1LL);
        d.cell[2] = HeldInInt(v[5] + 1LL);
        d.cell[3] = HeldInInt(v[6] + 1LL);
        d.cell[4] = HeldInInt(v[7] * 167LL + 1);
        d.cell[5] = HeldInInt(v[8] * 167LL + 1);
        d.gate = 0.6f + float(39 - level) / 100.0f;
        d.layer = level;
    }
}

void LoadMapSkin(const std::wstring& skinName)
{
    ++g_MapSkinGeneration;
    const std::wstring folder = SkinFolder(skinName);
    if (DirectoryExists(HostPath(folder))) {
        const struct
        {
            eSharedTexture holder;
            const wchar_t* file;
        } pictures[] = {{TEX_TERRAIN, L"terrain.png"}, {TEX_OTHERS, L"others.png"}, {TEX_EYECANDIES, L"eyecandies.png"}};
        for (const auto& p : pictures) {
            g_Textures[p.holder].Release();
            const std::wstring path = folder + L"\\" + p.file;
            // One mip level whatever the device: this renderer keeps one level per texture,
            // and the smaller sizes come from the smooth scaling below.
            g_Textures[p.holder].Load(path.c_str(), 1, 1);
            // Terrain hexes tile edge to edge and grow at the smaller levels; the thin lines of
            // the overlays stay seen.
            if (cTexture* picture = g_Textures[p.holder].Get())
                picture->SetSmooth(true, p.holder == TEX_TERRAIN ? cTexture::kGrowCover : cTexture::kKeepCover);
        }
        if (g_World.map && !g_World.scenarioName.empty())
            LoadEyecandies(*g_World.map, FormatText(L"data\\scenarios\\%s", g_World.scenarioName));
        for (int i = 0; i < kSpriteDepthEntries; ++i)
            g_SpriteDepths[size_t(i)] = sSpriteDepth{2 * i, 1.0f - 0.02f * float(i)};
        LoadSpriteDepthTable(folder + L"\\sprites_depth.csv");
    }
    if (!LoadCityAppearance(folder + L"\\appearance.csv"))
        return;
    if (cRenderer* device = DXUTGetD3DDevice())
        CreateSkinFonts(device);
    SelectCityAppearanceLevel();
}
