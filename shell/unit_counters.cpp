// The counters of land, air and naval units, composed from the current level of the units
// skin: the card in the owner's colour, the unit picture from the owner's own units picture,
// the markings, the markers that only the moving side sees on its own units, and the figures.
#include <algorithm>

#include "core/format.h"
#include "core/settings.h"
#include "game/game.h"
#include "platform/sprite.h"
#include "shell/frame_callbacks.h"
#include "shell/skin_atlas.h"
#include "shell/skin_drawing.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/world.h"

using namespace skin_atlas;

namespace {

// While an icon is drawn: the first level of the family, no names, labels scaled with it.
bool g_DrawingIcon = false;

const sSkinLevel& LevelOf(int family)
{
    return g_DrawingIcon ? g_UnitSkinLevels[size_t(family)][0] : CurrentUnitSkinLevel(family);
}

bool IsOwn(const cUnit& unit)
{
    return g_World.map && unit.m_Owner != 0 && unit.m_Owner == g_World.map->playView.activeCountry;
}

sRect ToRect(const tAtlasRect& r) { return sRect{r.left, r.top, r.right, r.bottom}; }

sRect Moved(sRect r, int across, int down)
{
    const int w = r.Width(), h = r.Height();
    return sRect{r.left + across * w, r.top + down * h, r.right + across * w, r.bottom + down * h};
}

// The picture of a unit type: the owner's own, or the undressed one of units.png. Each
// country has a picture of its own: rows per owner in one picture would run into the corps'
// rows from the sixth country on.
cTexture* PictureOf(const cUnit& unit, sRect& source)
{
    const gui_atlas::sRect cell = unit.m_Type == UNIT_MULBERRY ? kMulberryPicture : UnitPictureCell(unit.m_Type);
    source = sRect{cell.left, cell.top, cell.right, cell.bottom};
    const cPanstwo* owner = unit.GetOwner();
    if (unit.m_Type != UNIT_MULBERRY && owner && owner->UnitsPicture)
        return owner->UnitsPicture.get();
    return g_Textures[TEX_UNITS].Get();
}

cTexture* FlagOf(const cUnit& unit)
{
    return CountryFlagTexture(unit.GetOwner());
}

tColor CardColor(const cUnit& unit, bool second)
{
    const cPanstwo* owner = unit.GetOwner();
    if (!owner)
        return 0xFFB8B4A8;
    return (second ? owner->CounterColor2 : owner->CounterColor1) | 0xFF000000u;
}

// Draws the pieces of one counter: destinations are in the counter's cell of 166 pixels.
class cCounter
{
public:
    cCounter(const sSkinLevel& level, float x, float y, float scale)
        : m_Level(level), m_X(x), m_Y(y), m_Scale(scale), m_Depth(MapLayerDepth(kLayerUnits))
    {
    }

    bool Has(int flag) const { return m_Level.present[size_t(flag)]; }
    const sRect& Rect(int index) const { return m_Level.rects[size_t(index)]; }

    // Pair k of the level: its destination, from the given picture and source.
    void Pair(int k, cTexture* texture, const sRect& source, tColor color = 0xFFFFFFFF) const
    {
        if (Has(k))
            Piece(Rect(k), texture, source, color);
    }
    sRect PairSource(int k) const { return Rect(kPairSourceOffset + k); }

    void Piece(const sRect& dest, cTexture* texture, const sRect& source, tColor color = 0xFFFFFFFF) const
    {
        DrawSkinPiece(texture, source, m_X + float(dest.left) * m_Scale, m_Y + float(dest.top) * m_Scale,
                      float(dest.Width()) * m_Scale, float(dest.Height()) * m_Scale, m_Depth, color);
    }
    // Part of a destination, from its left edge: a bar's filled length.
    void PartPiece(const sRect& dest, float left, float width, cTexture* texture, const sRect& source) const
    {
        DrawSkinPiece(texture, source, m_X + (float(dest.left) + left) * m_Scale, m_Y + float(dest.top) * m_Scale,
                      width * m_Scale, float(dest.Height()) * m_Scale, m_Depth);
    }

    // A name stands in front of everything on the map, outlined. A name a player typed may
    // be as long as the limit lets it: fitted, it is no wider than its rectangle and ends in
    // an ellipsis rather than run across the neighbours' counters.
    void Label(int flag, int rect, int style, const std::wstring& text, bool name = false, bool fit = false) const
    {
        if (!Has(flag))
            return;
        const sRect& r = Rect(rect);
        const sRectF place{m_X + float(r.left) * m_Scale, m_Y + float(r.top) * m_Scale, m_X + float(r.right) * m_Scale,
                           m_Y + float(r.bottom) * m_Scale};
        DrawSkinLabel(m_Level.styles[size_t(style)], text, place, name ? kMapNameDepth : m_Depth, g_DrawingIcon, name,
                      fit);
    }

private:
    const sSkinLevel& m_Level;
    float m_X, m_Y, m_Scale, m_Depth;
};

void DrawCard(const cCounter& c, int cardPair, const cUnit& unit)
{
    if (!c.Has(cardPair))
        return;
    c.Piece(c.Rect(cardPair), g_Textures[TEX_UNITS].Get(), c.PairSource(cardPair), CardColor(unit, false));
    sRect source;
    cTexture* picture = PictureOf(unit, source);
    c.Piece(c.Rect(cardPair), picture, source);
}

// Sets up the icon transform around the drawing: the counter's cell scaled into the rectangle.
template <typename Fn>
void DrawAsIcon(const sRect& rect, Fn draw)
{
    cSprite* sprite = g_Sprite.get();
    if (!sprite || rect.Width() <= 0)
        return;
    const bool begun = !sprite->IsBegun() && Succeeded(sprite->Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT));
    const sMatrix2D saved = sprite->GetTransform();
    const float scale = float(rect.Width()) / float(kCellSize);
    sprite->SetTransform(sMatrix2D::Scaling(scale, scale) * sMatrix2D::Translation(float(rect.left), float(rect.top)));
    const bool wasIcon = g_DrawingIcon;
    g_DrawingIcon = true;
    draw();
    g_DrawingIcon = wasIcon;
    sprite->SetTransform(saved);
    if (begun)
        sprite->End();
}

bool ShowNames() { return g_UserSettings.showUnitName && !g_DrawingIcon; }

} // namespace

void cUnit::DrawCounter(float, float, float, int) const {}

void cUnit::DrawIcon(const sRect&) const {}

void cJednostkaLadowa::DrawCounter(float x, float y, float scale, int) const
{
    const cCounter c(LevelOf(kFamilyLand), x, y, scale);
    cTexture* units = g_Textures[TEX_UNITS].Get();
    const bool own = IsOwn(*this);
    DrawCard(c, kLandCard, *this);
    c.Pair(kLandStripe, units, c.PairSource(kLandStripe), CardColor(*this, true));
    c.Pair(kLandFrame, units, c.PairSource(kLandFrame));
    c.Pair(kLandSize, units, Moved(c.PairSource(kLandSize), IsCorps() ? 1 : 0, 0));
    c.Pair(kLandFlag, FlagOf(*this), c.PairSource(kLandFlag));
    if (own && (m_Attacked || m_ActionPoints <= 0))
        c.Pair(kLandAction, units, c.PairSource(kLandAction));
    if (own && m_WasAttacked)
        c.Pair(kLandAction, units, Moved(c.PairSource(kLandAction), 1, 0));
    if (m_Commander)
        c.Pair(kLandCommander, units, c.PairSource(kLandCommander));
    else if (m_CommandingCommanderId != -1)
        c.Pair(kLandCommander, units, Moved(c.PairSource(kLandCommander), 1, 0));
    if (own && m_ActionPoints >= 1)
        c.Pair(kLandActionPoints, units, c.PairSource(kLandActionPoints));
    if (own && m_Supply < 10)
        c.Pair(kLandLowSupply, units, c.PairSource(kLandLowSupply));
    if (own && c.Has(kLandOwnRimDest - kPairSourceOffset))
        c.Piece(c.Rect(kLandOwnRimDest), units, ToRect(kOwnUnitRim));
    c.Label(9, kLandStrengthText, 0, FormatText(L"%.0f", double(GetCombatStrength())));
    if (m_FreezeTime >= 1 && c.Has(kLandFreezeDest - kPairSourceOffset))
        c.Piece(c.Rect(kLandFreezeDest), units, ToRect(kFreezeMarker));
    c.Label(10, kLandActionPointsText, 1, FormatText(L"%i", m_ActionPoints));
    // A name is wider than its card: in front of the neighbours' counters, as a city's is.
    if (ShowNames())
        c.Label(11, kLandNameText, 2, m_Name, true, true);
}

void cJednostkaLadowa::DrawIcon(const sRect& rect) const
{
    DrawAsIcon(rect, [&] { DrawCounter(0, 0, 1.0f, 0); });
}

void cJednostkaLotnicza::DrawCounter(float x, float y, float scale, int) const
{
    const cCounter c(LevelOf(kFamilyAir), x, y, scale);
    cTexture* units = g_Textures[TEX_UNITS].Get();
    const bool own = IsOwn(*this);
    DrawCard(c, kAirCard, *this);
    c.Pair(kAirFlag, FlagOf(*this), c.PairSource(kAirFlag));
    c.Pair(kAirFrame, units, c.PairSource(kAirFrame));
    c.Pair(kAirLevel, units, Moved(c.PairSource(kAirLevel), 0, std::clamp(m_Level, 0, kLevelPipRows - 1)));
    if (own && m_ActionPoints <= 0)
        c.Pair(kAirAction, units, c.PairSource(kAirAction));
    if (own && m_ActionPoints >= 1)
        c.Pair(kAirActionPoints, units, c.PairSource(kAirActionPoints));
    if (own && m_Supply < 10)
        c.Pair(kAirLowSupply, units, c.PairSource(kAirLowSupply));
    if (own && c.Has(10) && c.Has(11))
        c.Piece(c.Rect(kAirOwnRimDest), units, c.Rect(kAirOwnRimSource));
    c.Label(7, kAirStrengthText, 0, FormatText(L"%i", m_Strength));
    c.Label(8, kAirActionPointsText, 1, FormatText(L"%i", m_ActionPoints));
    if (ShowNames())
        c.Label(9, kAirNameText, 2, m_Name, true, true);
}

void cJednostkaLotnicza::DrawIcon(const sRect& rect) const
{
    DrawAsIcon(rect, [&] { DrawCounter(0, 0, 1.0f, 0); });
}

void cJednostkaMorska::DrawCounter(float x, float y, float scale, int) const { DrawCounter(x, y, scale, 0, false, false); }

void cJednostkaMorska::DrawCounter(float x, float y, float scale, int column, bool battle, bool firstSideActs) const
{
    const cCounter c(LevelOf(kFamilyNaval), x, y, scale);
    cTexture* units = g_Textures[TEX_UNITS].Get();
    if (c.Has(kNavalCard))
        c.Piece(c.Rect(kNavalCard), units, c.PairSource(kNavalCard), CardColor(*this, false));
    if (c.Has(4) && m_MaxHP > 0) {
        // The bar's length shows the ship's class, its filling the hit points left; a ship above
        // the largest new ship's hit points would draw it past its card, so it stops at full width.
        const sRect& bar = c.Rect(kNavalHitPoints);
        const int largest = g_Gra ? std::max(1, g_Gra->m_Consts.ShipHitPointsMax) : std::max(1, m_MaxHP);
        const float length = float(bar.Width()) * float(std::min(m_MaxHP, largest)) / float(largest);
        const float left = (float(bar.Width()) - length) / 2.0f;
        const sRect back{kHitPointsBar.left, kHitPointsBar.top, kHitPointsBar.right, kHitPointsBar.bottom};
        const sRect fill{kHitPointsFill.left, kHitPointsFill.top, kHitPointsFill.right, kHitPointsFill.bottom};
        c.PartPiece(bar, left, length, units, back);
        const float filled = length * float(std::clamp(m_HP, 0, m_MaxHP)) / float(m_MaxHP);
        if (filled > 0)
            c.PartPiece(bar, left, filled, units, fill);
    }
    if (battle) {
        const bool actingHalf = firstSideActs ? column < 15 : column >= 16;
        const bool otherHalf = firstSideActs ? column > 15 : column < 15;
        if (m_ActiveInBattle && actingHalf)
            c.Pair(kNavalActiveMark, units, c.PairSource(kNavalActiveMark));
        if (m_VisibleInBattle && otherHalf && c.Has(7) && c.Has(8))
            c.Piece(c.Rect(kNavalVisibleMarkDest), units, c.Rect(kNavalVisibleMarkSource));
    }
    c.Pair(kNavalFlag, FlagOf(*this), c.PairSource(kNavalFlag));
    sRect source;
    cTexture* picture = PictureOf(*this, source);
    c.Pair(kNavalPicture, picture, source);
    if (ShowNames()) {
        c.Label(5, kNavalShipNameText, 0, m_Name, false, true);
        if (m_Fleet)
            c.Label(6, kNavalFleetNameText, 1, m_Fleet->name, false, true);
    }
}

void cJednostkaMorska::DrawCounterInRect(const sRect& rect) const
{
    DrawAsIcon(rect, [&] { DrawCounter(0, 0, 1.0f, 0, false, false); });
}
