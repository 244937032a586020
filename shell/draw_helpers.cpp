#include "shell/draw_helpers.h"

#include <algorithm>

#include "core/text.h"
#include "gui/gui_atlas.h"
#include "gui/resource_manager.h"
#include "platform/paths.h"
#include "shell/frame_callbacks.h"
#include "shell/textures.h"

std::array<sSpriteDepth, kSpriteDepthEntries> g_SpriteDepths;

tResult DrawSpriteScaled(cSprite* sprite, cTexture* texture, const sRect& src, float x, float y, float width, float height,
                         tColor color, float depth, bool combine)
{
    if (!sprite || !texture || src.Width() == 0 || src.Height() == 0)
        return E_INVALIDARG;
    float sx = width / float(src.Width());
    float sy = height / float(src.Height());
    if (sx == 0 || sy == 0)
        return S_OK; // nothing to see, and the position below would divide by zero
    sMatrix2D saved = sprite->GetTransform();
    sMatrix2D scaling = sMatrix2D::Scaling(sx, sy);
    sprite->SetTransform(combine ? scaling * saved : scaling);
    sVector3 position{x / sx, y / sy, depth};
    sprite->Draw(texture, &src, nullptr, &position, color);
    sprite->SetTransform(saved);
    return S_OK;
}

namespace {

// A further page of the GUI atlas, as the dialogs hold it; null when it is not there.
cTexture* GuiAtlasPage(int page)
{
    if (page < 0 || page >= gui_atlas::kAtlasPageCount)
        return nullptr;
    CDXUTDialogResourceManager* manager = DXUTGetGlobalDialogResourceManager();
    DXUTTextureNode* node = manager->GetTextureNode(manager->AddTexture(gui_atlas::kAtlasPageFiles[page]));
    return node ? node->pTexture.get() : nullptr;
}

} // namespace

void DrawGuiBox(int x, int y, int w, int h, int pictureIndex, const sLayoutRect& pictureDest)
{
    cSprite* sprite = g_Sprite.get();
    cTexture* gui = g_Textures[TEX_GUI].Get();
    if (!sprite || !gui)
        return;
    bool begun = Succeeded(sprite->Begin(SPRITE_ALPHABLEND));
    const tColor white = 0xFFFFFFFF;
    struct sPiece
    {
        sRect src;
        int x, y, w, h;
    };
    // The box is drawn in the first frame style's cells. Edges and centre stretch over what
    // the corners leave; a box smaller than two corners has none, as a negative stretch would
    // draw them mirrored over the corners.
    const gui_atlas::sFrameStyle& style = gui_atlas::kFrameStyles[0];
    const int c = style.cell;
    auto cell = [&](int column, int row) {
        gui_atlas::sRect r = gui_atlas::GridCell(style.x, style.y, c, column, row);
        return MakeRect(r.left, r.top, r.right, r.bottom);
    };
    const int midW = w - 2 * c;
    const int midH = h - 2 * c;
    const sPiece pieces[9] = {
        {cell(1, 0), x + c, y, midW, c},
        {cell(1, 2), x + c, y + h - c, midW, c},
        {cell(0, 1), x, y + c, c, midH},
        {cell(2, 1), x + w - c, y + c, c, midH},
        {cell(1, 1), x + c, y + c, midW, midH},
        {cell(0, 0), x, y, c, c},
        {cell(2, 0), x + w - c, y, c, c},
        {cell(0, 2), x, y + h - c, c, c},
        {cell(2, 2), x + w - c, y + h - c, c, c},
    };
    for (const auto& p : pieces)
        if (p.w > 0 && p.h > 0)
            DrawSpriteScaled(sprite, gui, p.src, float(p.x), float(p.y), float(p.w), float(p.h), white, 0.0f, false);
    const sLayoutRect& grid = g_GuiLayout[58];
    // A layout without row 58 (all -1) has no picture cells to cut.
    if (pictureIndex >= 0 && grid.width > 0 && grid.height > 0) {
        int left = grid.x + gui_atlas::kBoxPictureSpacing * (pictureIndex / 10);
        int top = grid.y + gui_atlas::kBoxPictureSpacing * (pictureIndex % 10);
        // Pictures drawn for other screen sizes lie on the atlas's further pages.
        const int page = gui_atlas::PageOf(top);
        cTexture* pictures = page == 0 ? gui : GuiAtlasPage(page);
        top -= page * gui_atlas::kAtlasSize;
        sRect src{left, top, left + grid.width, top + grid.height};
        DrawSpriteScaled(sprite, pictures, src, float(pictureDest.x), float(pictureDest.y), float(pictureDest.width),
                         float(pictureDest.height), white, 0.0f, false);
    }
    if (begun)
        sprite->End();
}

void LoadSpriteDepthTable(const std::wstring& path)
{
    std::optional<std::vector<std::wstring>> lines = ReadTextLines(HostPath(path));
    if (!lines)
        return;
    int entry = 0;
    for (const std::wstring& line : *lines) {
        if (entry >= kSpriteDepthEntries)
            break;
        if (!line.empty() && line[0] == L'#')
            continue;
        // A line counts up to its 500th character; the tail of a longer one is no line of its
        // own, else a long comment would take a depth's place. A depth below 0 would lie
        // behind the back.
        std::wstring first = SplitText(std::wstring_view(line).substr(0, 499), L';')[0];
        int n = std::clamp(AtoiLike(WideToUtf8(first)), 0, 39);
        g_SpriteDepths[entry].depth = n;
        g_SpriteDepths[entry].scale = 0.6f + float(39 - n) / 100.0f;
        ++entry;
    }
}

float FitSquareInRect(sLayoutRect& rect, int horizontalMode, int verticalMode)
{
    int oldWidth = rect.width;
    int side = std::min(rect.width, rect.height);
    if (horizontalMode == 2)
        rect.x += rect.width - side;
    else if (horizontalMode != 0)
        rect.x += (rect.width - side) / 2;
    if (verticalMode == 2)
        rect.y += rect.height - side;
    else if (verticalMode != 0)
        rect.y += (rect.height - side) / 2;
    rect.width = side;
    rect.height = side;
    // An empty rectangle has no scale to give: 0, not a division by zero.
    return oldWidth != 0 ? float(side) / float(oldWidth) : 0.0f;
}
