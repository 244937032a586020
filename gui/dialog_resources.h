#pragma once
// What every dialog holds of the shared resources: its texture and font slots (indices
// into the resource manager), the default element of every part of every control type,
// the caption element, and the drawing operations that turn elements into sprites and
// text at the dialog's place on the screen. The dialog class builds on it.
#include <string_view>
#include <vector>

#include "gui/element.h"
#include "gui/resource_manager.h"

struct DXUTElementHolder
{
    unsigned nControlType = 0;
    unsigned iElement = 0;
    CDXUTElement Element;
};

class cDialogResources
{
public:
    // Registers the GUI texture and fonts and builds the default elements.
    cDialogResources();
    virtual ~cDialogResources() = default;

    // Slot n takes the font or texture (registered with the resource manager); the slot
    // list grows to n + 1 with unset (-1) slots.
    tResult SetFont(unsigned n, const std::wstring& face, int height, int weight);
    DXUTFontNode* GetFont(unsigned n) const;
    tResult SetTexture(unsigned n, const std::wstring& file);
    // Slot n takes a picture of several pages, files of one size addressed as one picture with
    // each page under the one before (the GUI atlas): a source rectangle lies on one page, and
    // one wider than a page is read in two halves, the right one under the left.
    tResult SetTexturePages(unsigned n, const std::vector<std::wstring>& files);
    DXUTTextureNode* GetTexture(unsigned n) const;

    tResult SetDefaultElement(unsigned controlType, unsigned n, const CDXUTElement& element);
    CDXUTElement* GetDefaultElement(unsigned controlType, unsigned n);
    const std::vector<DXUTElementHolder>& GetDefaultElements() const { return m_DefaultElements; }
    CDXUTElement& GetCaptionElement() { return m_CapElement; }

    // The GUI texture in slot 0, the eight GUI fonts in slots 0 to 7, the caption element
    // and the default elements of every control type.
    void InitDefaultElements();

    // Drawing, in dialog coordinates. The sprite batch begins on first use; the dialog
    // ends it when it has drawn its controls.
    tResult DrawRect(const sRect& rect, tColor color);
    tResult DrawSprite(CDXUTElement* element, const sRect& dest, float depth);
    tResult DrawSprite(int textureSlot, const sRect& src, const sRect& dest, float depth, tColor color);
    // A texture of the program's own (null draws nothing).
    tResult DrawSprite(cTexture* texture, const sRect& src, const sRect& dest, float depth, tColor color);
    // count -1: the whole text. clip: a screen rectangle the text is limited to.
    tResult DrawText(std::wstring_view text, CDXUTElement* element, const sRect& dest, bool shadow = false, int count = -1,
                     const sRect* clip = nullptr);
    tResult CalcTextRect(std::wstring_view text, CDXUTElement* element, sRect* dest, int count = -1);
    // Whether a line of the text, laid out in the rectangle as the element's format says, is
    // wider than it: with DT_END_ELLIPSIS such a line is drawn cut short.
    bool TextCut(std::wstring_view text, CDXUTElement* element, const sRect& dest);
    // Draws what the sprite batch holds and closes it.
    void EndSpriteBatch();

protected:
    // Where dialog coordinates start on the screen: the dialog's corner, below its caption.
    virtual void GetDrawOffset(int& x, int& y) const
    {
        x = 0;
        y = 0;
    }

    std::vector<int> m_Textures; // indices into the resource manager, -1 unset
    std::vector<std::vector<int>> m_TexturePages; // per slot, the pages after the first
    std::vector<int> m_Fonts;
    std::vector<DXUTElementHolder> m_DefaultElements;
    CDXUTElement m_CapElement;

private:
    cSprite* BeginSprite();
    sRect ToScreen(const sRect& rect) const;
};
