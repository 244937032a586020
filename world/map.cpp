#include "world/map.h"

#include <algorithm>
#include <stdexcept>

#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "world/world.h"

namespace {
// Stands in for the first hex of a map that has none, so that a look-up never fails.
sHex g_NoHex;
} // namespace

cMapa::cMapa(int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    SetWidth(w);
    SetHeight(h);
    AllocateHexes(w, h);
    AllocateScratch();
    AllocateAiGrid();
}

// The minimap picture and its overlay are the shell's textures: the teardown releases them with the rest.
cMapa::~cMapa() = default;

void cMapa::AllocateHexes(int w, int h)
{
    m_Hexes.assign(size_t(w) * size_t(h), sHex{});
    m_MarkedHexes.clear();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            sHex& hex = m_Hexes[size_t(y) * size_t(w) + size_t(x)];
            hex.map = this;
            hex.x = int16_t(x);
            hex.y = int16_t(y);
        }
}

void cMapa::AllocateScratch()
{
    if (width * height == 0)
    {
        LogLine(LangText("critical_error:_map_cannot_have_0_height_or_0_width!"));
        return;
    }
    if (m_Decorations.size() != size_t(width) * size_t(height))
        m_Decorations.assign(size_t(width) * size_t(height), sHexDecoration{});
    for (sHexDecoration& d : m_Decorations)
        d.Reset();
}

void cMapa::AllocateAiGrid()
{
    if (width == 0 || height == 0)
        throw std::runtime_error("Error, map can't have width nor heigth = 0");
    m_AiGrid.assign(size_t(width) * size_t(height), 0);
}

sHex* cMapa::GetHex(int x, int y)
{
    if (m_Hexes.empty())
        return &g_NoHex;
    if (!IsInside(x, y))
        return &m_Hexes[0];
    return &m_Hexes[size_t(y) * size_t(width) + size_t(x)];
}

const sHex* cMapa::GetHex(int x, int y) const
{
    return const_cast<cMapa*>(this)->GetHex(x, y);
}

bool cMapa::HasNeighbour(int x, int y, int direction) const
{
    const bool odd = IsOddColumn(x);
    switch (direction)
    {
    case 0: return y - 1 >= 0;
    case 1: return x + 1 < width && (!odd || y - 1 >= 0);
    case 2: return x + 1 < width && (odd || y + 1 < height);
    case 3: return y + 1 < height;
    case 4: return x - 1 >= 0 && (odd || y + 1 < height);
    case 5: return x - 1 >= 0 && (!odd || y - 1 >= 0);
    default: return false;
    }
}

sHex* cMapa::GetNeighbour(int x, int y, int direction)
{
    if (direction < 0 || direction > 5)
        return nullptr;
    int nx = x, ny = y;
    GetNeighbourCoordsOut(x, y, direction, nx, ny);
    if (!IsInside(nx, ny) || m_Hexes.empty())
        return nullptr;
    return &m_Hexes[size_t(ny) * size_t(width) + size_t(nx)];
}

void cMapa::SetWidth(int w)
{
    width = w;
    cameraMinX = kHexWidth;
    cameraMaxX = w * kHexWidth;
    visibleColumnsAtScale1 = int(float(g_UserSettings.resolutionX) / kHexHalfWidth + 2.0f);
}

void cMapa::SetHeight(int h)
{
    height = h;
    cameraMinY = kHexWidth;
    cameraMaxY = h * kHexHeight;
    visibleRowsAtScale1 = g_UserSettings.resolutionY / kHexHeight + 2;
}

// ---- Marks ----

void sHex::SetMark(uint32_t bits, int32_t value)
{
    // Bit 24 is kept outside the list (the air units' out-of-reach shade lies on every
    // hex); a hex that carries only it is not listed yet, else its next mark would never be cleared.
    if ((marks & ~uint32_t(MARK_BIT24)) == 0 && map)
    {
        // A hex cleared without leaving the list is still in it; never list it twice.
        auto& list = map->m_MarkedHexes;
        if (std::find(list.begin(), list.end(), this) == list.end())
            list.push_back(this);
    }
    marks |= bits;
    markValue = value;
}

void sHex::ClearMark(uint32_t bits, bool remove)
{
    if (remove && map)
    {
        auto& list = map->m_MarkedHexes;
        auto it = std::find(list.begin(), list.end(), this);
        if (it != list.end())
            list.erase(it);
    }
    marks &= ~bits;
    markValue = -1;
}

void cMapa::ClearMarks(uint32_t bits, bool clearBit24)
{
    for (sHex* hex : m_MarkedHexes)
        if (hex->marks & bits)
        {
            hex->marks &= ~bits;
            hex->markValue = -1;
        }
    m_MarkedHexes.remove_if([](const sHex* hex) { return hex->marks == 0; });
    if (clearBit24)
        for (sHex& hex : m_Hexes)
            hex.marks &= ~uint32_t(MARK_BIT24);
}

void cMapa::MarkZoneHexes(int seaZoneId, uint32_t bits)
{
    for (sHex& hex : m_Hexes)
        if (hex.IsSea() && hex.seaZone == seaZoneId)
            hex.SetMark(bits, -1);
}

// ---- Camera ----

void cMapa::ScrollBy(float dx, float dy, float speed)
{
    camera.targetX += dx;
    camera.targetY += dy;
    camera.targetX = std::clamp(camera.targetX, float(cameraMinX), float(std::max(cameraMinX, cameraMaxX)));
    camera.targetY = std::clamp(camera.targetY, float(cameraMinY), float(std::max(cameraMinY, cameraMaxY)));
    camera.velocityX = (camera.targetX - camera.currentX) * speed;
    camera.velocityY = (camera.targetY - camera.currentY) * speed;
    if (camera.velocityX > 0.0f && camera.velocityX < 0.1f)
        camera.velocityX = 0.1f;
    else if (camera.velocityX < 0.0f && camera.velocityX > -0.1f)
        camera.velocityX = -0.1f;
    if (camera.velocityY > 0.0f && camera.velocityY < 0.1f)
        camera.velocityY = 0.005f;
    else if (camera.velocityY < 0.0f && camera.velocityY > -0.1f)
        camera.velocityY = -0.1f;
}

void cMapa::ScrollToPoint(sFloatPoint point, bool notify)
{
    ScrollBy(point.x - camera.currentX, point.y - camera.currentY, 1.0f);
    if (notify)
        g_World.hooks.setGameState(12);
}

void cMapa::CenterAtHex(int x, int y)
{
    if (!IsInside(x, y))
    {
        LogLine(LangFormat("warning:_attempt_to_center_map_on_hex_(%i,%i)_which_is_out_of_range!", x, y));
        return;
    }
    LogLine(L"CenterAtHex");
    ScrollBy(float(x * kHexWidth) - camera.targetX, float(y * kHexHeight) - camera.targetY, 1.0f);
}

void cMapa::CenterAtMinimapPoint(int mouseX, int mouseY)
{
    // No minimap fitted yet: a click on it names no hex (and would divide by zero).
    if (minimapRect[2] <= 0 || minimapRect[3] <= 0)
        return;
    const int column = int(float(mouseX - minimapRect[0]) / float(minimapRect[2]) * float(width));
    const int row = int(float(mouseY - minimapRect[1]) / float(minimapRect[3]) * float(height));
    CenterAtHex(column, row);
}

void cMapa::Zoom(float steps, int mouseX, int mouseY)
{
    zoomFactor -= steps * (zoomFactor >= 0.75f ? 0.05f : 0.01f);
    zoomFactor = std::clamp(zoomFactor, 0.0f, 1.0f);
    const float W = float(g_UserSettings.resolutionX);
    const float previous = targetScale;
    const float s = W / ((float(width * kHexWidth) - W) * zoomFactor + W);
    targetScale = s;
    const int state = g_World.hooks.gameState();
    if (state == 7 || state == 8)
    {
        camera.zoomShiftX += float(mouseX) / previous - float(mouseX) / s;
        camera.zoomShiftY += float(mouseY) / previous - float(mouseY) / s;
    }
    else
    {
        camera.zoomShiftX = 0.0f;
        camera.zoomShiftY = 0.0f;
    }
}

void cMapa::ClearSelection()
{
    g_World.hooks.clearSelection();
}

std::pair<int, int> cMapa::GetCameraBookmark(int index) const
{
    return m_Bookmarks[size_t(std::clamp(index, 0, 9))];
}

int cMapa::SetCameraBookmark(int index, int x, int y)
{
    const int slot = std::clamp(index, 0, 9);
    m_Bookmarks[size_t(slot)] = {x, y};
    return slot;
}

// ---- Loading steps ----

void cMapa::PropagateRiverMouths()
{
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
        {
            const sHex& hex = *GetHex(x, y);
            for (int k = 0; k < 6; ++k)
            {
                if (!hex.HasRiver(k))
                    continue;
                if (sHex* n = GetNeighbour(x, y, (k + 5) % 6); n && n->IsSea())
                    n->riverMask |= uint8_t((1u << k) | 64u);
                if (sHex* n = GetNeighbour(x, y, (k + 1) % 6); n && n->IsSea())
                    n->riverMask |= uint8_t((1u << ((k + 3) % 6)) | 64u);
            }
        }
    for (sHex& hex : m_Hexes)
        if (hex.IsSea())
        {
            hex.controller = 0;
            hex.owner = 0;
            hex.originalOwner = 0;
            hex.fortification = 0;
        }
}

void cMapa::BuildSeaZoneHexSets()
{
    m_CoastalHexesByZone.clear();
    for (const sHex& hex : m_Hexes)
        if (hex.IsLand() && hex.seaZone != 0)
            m_CoastalHexesByZone[hex.seaZone].push_back({hex.x, hex.y});
}

const std::vector<std::pair<int, int>>& cMapa::GetCoastalHexesOfZone(int seaZoneId) const
{
    static const std::vector<std::pair<int, int>> kNone;
    auto it = m_CoastalHexesByZone.find(seaZoneId);
    return it == m_CoastalHexesByZone.end() ? kNone : it->second;
}
