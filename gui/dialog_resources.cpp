#include "gui/dialog_resources.h"

#include <cmath>

cDialogResources::cDialogResources()
{
    m_Fonts.reserve(5);
    InitDefaultElements();
}

namespace {

// Puts the manager's index into slot n, growing the list with empty (-1) slots.
tResult SetSlot(std::vector<int>& slots, unsigned n, int index)
{
    if (slots.size() < n + 1)
        slots.resize(n + 1, -1);
    if (index < 0)
        return E_OUTOFMEMORY;
    slots[n] = index;
    return S_OK;
}

} // namespace

tResult cDialogResources::SetFont(unsigned n, const std::wstring& face, int height, int weight)
{
    return SetSlot(m_Fonts, n, DXUTGetGlobalDialogResourceManager()->AddFont(face, height, weight));
}

DXUTFontNode* cDialogResources::GetFont(unsigned n) const
{
    if (n >= m_Fonts.size())
        return nullptr;
    return DXUTGetGlobalDialogResourceManager()->GetFontNode(m_Fonts[n]);
}

tResult cDialogResources::SetTexture(unsigned n, const std::wstring& file)
{
    if (n < m_TexturePages.size())
        m_TexturePages[n].clear();
    return SetSlot(m_Textures, n, DXUTGetGlobalDialogResourceManager()->AddTexture(file));
}

tResult cDialogResources::SetTexturePages(unsigned n, const std::vector<std::wstring>& files)
{
    if (files.empty())
        return E_INVALIDARG;
    const tResult result = SetTexture(n, files[0]);
    if (m_TexturePages.size() < n + 1)
        m_TexturePages.resize(n + 1);
    for (size_t page = 1; page < files.size(); ++page)
        m_TexturePages[n].push_back(DXUTGetGlobalDialogResourceManager()->AddTexture(files[page]));
    return result;
}

DXUTTextureNode* cDialogResources::GetTexture(unsigned n) const
{
    if (n >= m_Textures.size())
        return nullptr;
    return DXUTGetGlobalDialogResourceManager()->GetTextureNode(m_Textures[n]);
}

tResult cDialogResources::SetDefaultElement(unsigned controlType, unsigned n, const CDXUTElement& element)
{
    for (auto& holder : m_DefaultElements) {
        if (holder.nControlType == controlType && holder.iElement == n) {
            holder.Element = element;
            return S_OK;
        }
    }
    m_DefaultElements.push_back(DXUTElementHolder{controlType, n, element});
    return S_OK;
}

CDXUTElement* cDialogResources::GetDefaultElement(unsigned controlType, unsigned n)
{
    for (auto& holder : m_DefaultElements)
        if (holder.nControlType == controlType && holder.iElement == n)
            return &holder.Element;
    return nullptr;
}

sRect cDialogResources::ToScreen(const sRect& rect) const
{
    int x = 0, y = 0;
    GetDrawOffset(x, y);
    return OffsetRect(rect, x, y);
}

cSprite* cDialogResources::BeginSprite()
{
    cSprite* sprite = DXUTGetGlobalDialogResourceManager()->GetSprite();
    if (sprite && !sprite->IsBegun())
        sprite->Begin(SPRITE_ALPHABLEND);
    return sprite;
}

void cDialogResources::EndSpriteBatch()
{
    cSprite* sprite = DXUTGetGlobalDialogResourceManager()->GetSprite();
    if (sprite && sprite->IsBegun())
        sprite->End();
}

tResult cDialogResources::DrawRect(const sRect& rect, tColor color)
{
    CDXUTDialogResourceManager* manager = DXUTGetGlobalDialogResourceManager();
    cRenderer* device = manager->GetD3DDevice();
    if (!device)
        return E_FAIL;
    // What the sprite batch holds lies below the rectangle.
    if (manager->GetSprite() && manager->GetSprite()->IsBegun())
        manager->GetSprite()->Flush();
    sRect r = ToScreen(rect);
    device->FillRect(sRectF{float(r.left), float(r.top), float(r.right), float(r.bottom)}, color);
    return S_OK;
}

tResult cDialogResources::DrawSprite(CDXUTElement* element, const sRect& dest, float depth)
{
    if (!element || element->TextureColor.Current.a == 0)
        return S_OK;
    return DrawSprite(element->iTexture, element->rcTexture, dest, depth, element->TextureColor.Current.ToArgb());
}

tResult cDialogResources::DrawSprite(int textureSlot, const sRect& src, const sRect& dest, float depth, tColor color)
{
    if (textureSlot < 0)
        return S_OK;
    DXUTTextureNode* node = GetTexture(unsigned(textureSlot));
    cTexture* texture = node ? node->pTexture.get() : nullptr;
    const size_t slot = size_t(textureSlot);
    if (!texture || slot >= m_TexturePages.size() || m_TexturePages[slot].empty())
        return DrawSprite(texture, src, dest, depth, color);
    const int pageWidth = texture->Width(), pageHeight = texture->Height();
    if (src.Width() > pageWidth && dest.Width() > 0) {
        // The two halves, each over its share of the destination.
        const int leftWidth = (src.Width() + 1) / 2;
        const int split = dest.left + int(std::lround(double(dest.Width()) * leftWidth / src.Width()));
        DrawSprite(textureSlot, sRect{src.left, src.top, src.left + leftWidth, src.bottom},
                   sRect{dest.left, dest.top, split, dest.bottom}, depth, color);
        return DrawSprite(textureSlot,
                          sRect{src.left, src.bottom, src.right - leftWidth, src.bottom + src.Height()},
                          sRect{split, dest.top, dest.right, dest.bottom}, depth, color);
    }
    const int page = pageHeight > 0 && src.top >= pageHeight ? src.top / pageHeight : 0;
    if (page == 0)
        return DrawSprite(texture, src, dest, depth, color);
    if (size_t(page) > m_TexturePages[slot].size())
        return S_OK;
    DXUTTextureNode* pageNode = DXUTGetGlobalDialogResourceManager()->GetTextureNode(m_TexturePages[slot][size_t(page - 1)]);
    return DrawSprite(pageNode ? pageNode->pTexture.get() : nullptr, OffsetRect(src, 0, -page * pageHeight), dest, depth,
                      color);
}

tResult cDialogResources::DrawSprite(cTexture* texture, const sRect& src, const sRect& dest, float depth, tColor color)
{
    if (!texture || src.Width() == 0 || src.Height() == 0)
        return S_OK;
    cSprite* sprite = BeginSprite();
    if (!sprite)
        return E_FAIL;
    sRect screen = ToScreen(dest);
    sRectF from{float(src.left), float(src.top), float(src.right), float(src.bottom)};
    sRectF to{float(screen.left), float(screen.top), float(screen.right), float(screen.bottom)};
    return sprite->DrawStretched(texture, from, to, depth, color);
}

tResult cDialogResources::DrawText(std::wstring_view text, CDXUTElement* element, const sRect& dest, bool shadow,
                                   int count, const sRect* clip)
{
    if (!element || element->FontColor.Current.a == 0)
        return S_OK;
    DXUTFontNode* node = element->iFont >= 0 ? GetFont(unsigned(element->iFont)) : nullptr;
    if (!node || !node->pFont)
        return S_OK;
    CDXUTDialogResourceManager* manager = DXUTGetGlobalDialogResourceManager();
    cRenderer* device = manager->GetD3DDevice();
    if (!device)
        return E_FAIL;
    sRect screen = ToScreen(dest);
    tColor color = element->FontColor.Current.ToArgb();
    tColor shadowColor = color & 0xFF000000u;
    cSprite* sprite = nullptr;
    if (clip) {
        // Cut text: draw it at once under the clip rectangle, outside the sprite batch.
        EndSpriteBatch();
        device->SetClipRect(clip);
    } else {
        sprite = BeginSprite();
    }
    if (shadow) {
        sRect shadowRect = OffsetRect(screen, 1, 1);
        node->pFont->DrawText(sprite, text, count, &shadowRect, element->dwTextFormat, shadowColor);
    }
    node->pFont->DrawText(sprite, text, count, &screen, element->dwTextFormat, color);
    if (clip)
        device->SetClipRect(nullptr);
    return S_OK;
}

bool cDialogResources::TextCut(std::wstring_view text, CDXUTElement* element, const sRect& dest)
{
    DXUTFontNode* node = element && element->iFont >= 0 ? GetFont(unsigned(element->iFont)) : nullptr;
    if (!node || !node->pFont || text.empty())
        return false;
    return LayoutText(*node->pFont, text, dest, element->dwTextFormat & ~DT_END_ELLIPSIS).widestLine > dest.Width();
}

tResult cDialogResources::CalcTextRect(std::wstring_view text, CDXUTElement* element, sRect* dest, int count)
{
    if (!element || !dest)
        return E_INVALIDARG;
    DXUTFontNode* node = element->iFont >= 0 ? GetFont(unsigned(element->iFont)) : nullptr;
    if (!node || !node->pFont)
        return E_FAIL;
    node->pFont->DrawText(nullptr, text, count, dest, element->dwTextFormat | DT_CALCRECT, 0);
    return S_OK;
}
