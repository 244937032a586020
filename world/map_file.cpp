// The map file map.qvr: a 268-byte header and one 37-byte record per hex, row by row.
#include <cstring>
#include <system_error>

#include "core/fatal.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "core/version.h"
#include "game/paths.h"
#include "game/save_files.h"
#include "platform/paths.h"
#include "world/map.h"
#include "world/world_files.h"

namespace {
constexpr size_t kHeaderSize = 268;
constexpr size_t kRecordSize = 37;
constexpr size_t kHeaderTextSize = 255;
constexpr int kMaxSide = 32767; // hex coordinates are 16-bit

} // namespace

cMapa::cMapa(const std::wstring& folderPattern)
{
    const std::wstring path = JoinPathPattern(folderPattern, L"map.qvr");
    int w = 0, h = 0;
    std::vector<sHex> hexes;
    if (!LoadFile(path, hexes, w, h))
    {
        // Every later step needs at least one hex: a map without any cannot be played.
        FatalExit(1, FormatText(L"ERROR: Map file %s has no hexes", path));
    }
    SetWidth(w);
    SetHeight(h);
    m_Hexes = std::move(hexes);
    for (sHex& hex : m_Hexes)
        hex.map = this;
    AllocateScratch();
    PropagateRiverMouths();
    AllocateAiGrid();
    BuildSeaZoneHexSets();
    const float sw = float(g_UserSettings.resolutionX) / float(width * kHexWidth);
    const float sh = float(g_UserSettings.resolutionY) / float(height * kHexHeight);
    fitScale = sw < sh ? sw : sh;
    currentScale = fitScale;
    LogLine(LangFormat("loading_map_from_%s..._ok", path));
}

bool cMapa::LoadFile(const std::wstring& path, std::vector<sHex>& hexes, int& w, int& h)
{
    LogLine(L"------ Loading map ------");
    auto data = ReadWholeFile(HostPath(path));
    if (!data)
        FatalExit(1, FormatText(L"Loading from %s... FAILED", path));
    if (data->size() < 5 || std::memcmp(data->data(), "Qvrv1", 5) != 0)
    {
        LogLine(L"ERROR: Wrong map file version");
        // The refusal names an empty file as such: the player then knows what became of it.
        if (data->empty())
            FatalExit(1, FormatText(L"ERROR: Map file %s is empty", path));
        FatalExit(1, FormatText(L"ERROR: Map file %s does not begin with \"Qvrv1\": it is no map file of this "
                                L"version",
                                path));
    }
    // A file shorter than it says would be read past its end: it is refused instead.
    if (data->size() < kHeaderSize)
        FatalExit(1, FormatText(L"ERROR: Map file %s ends inside its header (%i of %i bytes)", path,
                                int(data->size()), int(kHeaderSize)));
    const auto* bytes = reinterpret_cast<const unsigned char*>(data->data());
    w = ReadLE16(bytes + 264);
    h = ReadLE16(bytes + 266);
    LogLine(L"Map size: %ix%i", w, h);
    LogLine(L"Loading hexes data...");
    if (w == 0 || h == 0)
    {
        LogLine(L"ERROR: Map cannot have 0 heigth or 0 width");
        return false;
    }
    if (w > kMaxSide || h > kMaxSide)
        FatalExit(1, FormatText(L"ERROR: Map file %s is %ix%i hexes; at most %i are allowed each way", path, w, h,
                                kMaxSide));
    const size_t needed = kHeaderSize + size_t(w) * size_t(h) * kRecordSize;
    if (data->size() < needed)
    {
        const size_t complete = (data->size() - kHeaderSize) / kRecordSize;
        FatalExit(1, FormatText(L"ERROR: Map file %s ends in the record of hex (%i, %i): %i of %i hexes present", path,
                                int(complete % size_t(w)), int(complete / size_t(w)), int(complete), w * h));
    }
    hexes.assign(size_t(w) * size_t(h), sHex{});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            sHex& hex = hexes[size_t(y) * size_t(w) + size_t(x)];
            ReadHexRecord(hex, bytes + kHeaderSize + (size_t(y) * size_t(w) + size_t(x)) * kRecordSize);
            hex.x = int16_t(x);
            hex.y = int16_t(y);
        }
    return true;
}

void cMapa::ReadHexRecord(sHex& hex, const unsigned char* r)
{
    hex.terrain = r[0];
    hex.keptByte = r[1];
    hex.riverMask = r[2];
    hex.seaZone = ReadLE16(r + 3);
    hex.variant = r[5];
    hex.controller = r[6];
    hex.owner = r[7];
    hex.originalOwner = r[8];
    hex.fortification = r[9];
    std::memcpy(hex.mudChance, r + 10, 12);
    std::memcpy(hex.winterChance, r + 22, 12);
    hex.weather = r[34];
    const uint16_t flags = ReadLE16(r + 35);
    hex.coastal = (flags & 1) ? 1 : 0;
    hex.weatherApplies = (flags & 2) ? 0 : 1;
    hex.borders = 0;
    hex.city = nullptr;
    hex.seaNodeDisplay = 0;
    hex.marks = 0;
    hex.unit = nullptr;
    hex.markValue = -1;
}

bool cMapa::Save(const std::wstring& folder, const wchar_t* outputPathFormat)
{
    const std::wstring path = outputPathFormat ? JoinPathPattern(outputPathFormat, L"output_map.qvr")
                                               : JoinFolder(folder, L"map.qvr");
    std::string out;
    out.reserve(kHeaderSize + m_Hexes.size() * kRecordSize);
    out.append("Qvrv1", 5);
    std::string text = WideToUtf8(FormatText(L"Map for %s v%.2f created by Kestrevane.", kGameName, kGameVersion));
    text.resize(kHeaderTextSize, '\0');
    text.back() = '\0';
    out += text;
    const float one = 1.0f;
    uint32_t oneBits = 0;
    std::memcpy(&oneBits, &one, 4);
    AppendLE32(out, oneBits);
    AppendLE16(out, uint16_t(width));
    AppendLE16(out, uint16_t(height));
    for (const sHex& hex : m_Hexes)
    {
        out.push_back(char(hex.terrain));
        out.push_back(char(hex.keptByte));
        out.push_back(char(hex.riverMask));
        AppendLE16(out, hex.seaZone);
        out.push_back(char(hex.variant));
        out.push_back(char(hex.controller));
        out.push_back(char(hex.owner));
        out.push_back(char(hex.originalOwner));
        out.push_back(char(hex.fortification));
        out.append(reinterpret_cast<const char*>(hex.mudChance), 12);
        out.append(reinterpret_cast<const char*>(hex.winterChance), 12);
        out.push_back(char(uint8_t(hex.weather)));
        // Both bits are kept: a coastal hex that the weather does not touch stays so.
        const uint16_t flags = uint16_t((hex.coastal ? 1 : 0) | (hex.weatherApplies ? 0 : 2));
        AppendLE16(out, flags);
    }
    // A save's map is written as every file of a save, whose failure the save names; the map
    // a scenario's author bakes goes beside the scenario's own.
    std::error_code why;
    if (outputPathFormat ? !WriteWholeFile(HostPath(path), out, &why) : !WriteSaveFile(path, out)) {
        LogLine(L"Saving map to \"%s\" FAILED%s", path, why ? L": " + Utf8ToWide(why.message()) : std::wstring());
        return false;
    }
    return true;
}

bool cMapa::BuildFromScenario(const std::wstring& folderPattern)
{
    const std::wstring path = JoinPathPattern(folderPattern, L"map.qvr");
    int w = 0, h = 0;
    std::vector<sHex> hexes;
    if (!LoadFile(path, hexes, w, h))
    {
        // A map of no hexes would replace the one being set up, and every later step needs a
        // hex: the map in play stays as it is and no file is written.
        return false;
    }
    SetWidth(w);
    SetHeight(h);
    m_MarkedHexes.clear(); // it points into the hexes that go now
    m_Hexes = std::move(hexes);
    for (sHex& hex : m_Hexes)
        hex.map = this;
    AllocateScratch();
    // A map of another size needs a grid of its size, or the opponent reads past its end.
    if (m_AiGrid.size() != m_Hexes.size())
        AllocateAiGrid();
    PropagateRiverMouths();
    BuildSeaZoneHexSets();
    ApplyWeatherTables(folderPattern);
    return Save(L"", folderPattern.c_str());
}
