#pragma once
// The text of edit boxes and memos, with caret and hit-testing from the glyph advances of
// the font the text is drawn in.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/messages.h"

class iTextMeasure;

class CUniBuffer
{
public:
    static constexpr size_t kMaxLength = 65535;

    explicit CUniBuffer(int fontSlot = 1) : m_iFont(fontSlot) {}

    int GetFontSlot() const { return m_iFont; }
    void SetFontSlot(int slot) { m_iFont = slot; }
    // The font the positions are measured with; null when there is none (no device).
    void SetMeasure(const iTextMeasure* measure);

    const std::wstring& GetText() const { return m_Text; }
    int GetTextSize() const { return int(m_Text.size()); }
    // False (the text unchanged) when the result would be longer than the limit.
    bool SetText(std::wstring_view text);
    bool InsertChar(int index, wchar_t ch);
    bool InsertString(int index, std::wstring_view text);
    bool RemoveChar(int index);
    void Clear()
    {
        m_Text.clear();
        m_Dirty = true;
    }
    wchar_t operator[](int index) const { return m_Text[size_t(index)]; }

    // The x of a caret position: its leading edge, or its trailing edge (the leading edge
    // of the next position). E_NOTIMPL without a font.
    tResult CPtoX(int cp, bool trail, int* x) const;
    // The position under x; trail tells that x lies on the character's right half.
    tResult XtoCP(int x, int* cp, bool* trail) const;
    // Word starts before and after a position.
    int GetPriorItemPos(int cp) const;
    int GetNextItemPos(int cp) const;

private:
    // The x of every caret position: the sums of the glyph advances before it.
    const std::vector<int>& Offsets() const;
    int Advance(wchar_t ch) const;

    std::wstring m_Text;
    int m_iFont;
    const iTextMeasure* m_Measure = nullptr;
    mutable std::unordered_map<wchar_t, int> m_AdvanceCache;
    mutable std::vector<int> m_Offsets;
    mutable bool m_Dirty = true;
};
