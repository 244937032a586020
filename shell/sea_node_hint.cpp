// The hint of a sea node under the mouse: the ships of each side in the zone by type, each
// row named by its side, the node's name and, for a port, its size. Positions come from
// layout rows 16 to 56.
#include "core/format.h"
#include "core/stringbase.h"
#include "gui/layout.h"
#include "platform/font.h"
#include "platform/sprite.h"
#include "shell/draw_helpers.h"
#include "shell/frame_callbacks.h"
#include "shell/skin_atlas.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

struct sHintRows
{
    int count;            // rows shown
    int base;             // the layout row of the first count
    const int32_t* rows[3];
    const char* labels[3]; // whose ships each row counts: six figures alone say nothing
};

// A port shows its own side's ships to that side only; anyone else sees the spotted enemy.
sHintRows RowsOf(const sWezelGrafuMorz& node)
{
    if (node.Kind == SEA_NODE_SEA)
        return {3, 17, {node.OwnCounts, node.AlliedCounts, node.EnemyCounts},
                {"sea_node_hint_own", "sea_node_hint_allied", "sea_node_hint_enemy"}};
    const int viewer = g_World.seaGraph ? g_World.seaGraph->ViewingCountry : 0;
    const cMapa* map = g_World.map;
    const cPanstwo* holder = map && map->IsInside(node.MainX, node.MainY) ? map->GetHex(node.MainX, node.MainY)->GetController()
                                                                         : nullptr;
    if (holder && viewer > 0 && holder->IsAlliedWith(viewer))
        return {2, 36, {node.OwnCounts, node.AlliedCounts, nullptr}, {"sea_node_hint_own", "sea_node_hint_allied", nullptr}};
    return {1, 50, {node.EnemyCounts, nullptr, nullptr}, {"sea_node_hint_enemy", nullptr, nullptr}};
}

sRect LayoutRect(int id, float x, float y)
{
    const sLayoutRect& r = g_GuiLayout[size_t(id)];
    // Rows 16 to 56 hold corners.
    return sRect{int(x) + r.x, int(y) + r.y, int(x) + r.width, int(y) + r.height};
}

} // namespace

void sWezelGrafuMorz::GetHintSize(int& width, int& height) const
{
    width = skin_atlas::kInfoWidth;
    height = skin_atlas::InfoHintHeight(RowsOf(*this).count);
}

void sWezelGrafuMorz::DrawHint(float x, float y) const
{
    cSprite* sprite = g_Sprite.get();
    if (!sprite)
        return;
    const sHintRows rows = RowsOf(*this);
    if (cTexture* info = g_Textures[TEX_UNITS_INFO].Get()) {
        const skin_atlas::tAtlasRect back = skin_atlas::InfoBackground(rows.count), edge = skin_atlas::InfoBottomEdge();
        DrawSpriteScaled(sprite, info, sRect{back.left, back.top, back.right, back.bottom}, x, y, float(back.Width()),
                         float(back.Height()), 0xFFFFFFFF, 0.0f, false);
        DrawSpriteScaled(sprite, info, sRect{edge.left, edge.top, edge.right, edge.bottom}, x, y + float(back.Height()),
                         float(edge.Width()), float(edge.Height()), 0xFFFFFFFF, 0.0f, false);
    }
    const uint32_t centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    if (cFont* figures = g_GuiFonts[2].font.get())
        for (int i = 0; i < rows.count; ++i) {
            for (int k = 0; k < 6; ++k) {
                sRect r = LayoutRect(rows.base + k * rows.count + i, x, y);
                const int32_t n = rows.rows[i][k];
                figures->DrawText(sprite, FormatText(L"%i", n), -1, &r, centred, n > 0 ? 0xFFF2EAD2 : 0xFF8A8878);
            }
            // The row's label stands left of its first figure, under the title's left edge.
            const sRect first = LayoutRect(rows.base + i, x, y);
            sRect label{LayoutRect(rows.base - 1, x, y).left, first.top, first.left - 4, first.bottom};
            figures->DrawText(sprite, LangText(rows.labels[i]), -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE,
                              0xFFE3C77E);
        }
    cFont* title = g_GuiFonts[0].font.get();
    if (!title)
        return;
    // The name in the colours of the map's labels.
    const sTextStyle& names = CurrentCityAppearance().styles[2];
    const tColor text = names.color1 ? names.color1 : 0xFFF2EAD2, shadow = names.color2 ? names.color2 : 0xFF15130E;
    sRect r = LayoutRect(rows.base - 1, x, y);
    sRect moved = OffsetRect(r, 1, 1);
    title->DrawText(sprite, FormatText(L"%s", Name), -1, &moved, centred, shadow);
    title->DrawText(sprite, FormatText(L"%s", Name), -1, &r, centred, text);
    if (Kind == SEA_NODE_PORT) {
        sRect size = LayoutRect(rows.base + 6 * rows.count, x, y);
        title->DrawText(sprite, LangFormat("sea_node_hint_port_size_%i_%i", SizeCurrent, SizeMax), -1, &size, centred,
                        0xFFE3C77E);
    }
}
