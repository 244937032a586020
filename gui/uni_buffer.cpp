#include "gui/uni_buffer.h"

#include <algorithm>
#include <cwctype>

#include "gui/control.h"
#include "platform/text_layout.h"

namespace {
bool IsWordStop(const std::wstring& text, int cp)
{
    if (cp <= 0 || cp >= int(text.size()))
        return true;
    return !std::iswspace(wint_t(text[size_t(cp)])) && std::iswspace(wint_t(text[size_t(cp - 1)]));
}
} // namespace

void CUniBuffer::SetMeasure(const iTextMeasure* measure)
{
    if (measure != m_Measure) {
        m_Measure = measure;
        m_AdvanceCache.clear();
        m_Dirty = true;
    }
}

int CUniBuffer::Advance(wchar_t ch) const
{
    auto it = m_AdvanceCache.find(ch);
    if (it != m_AdvanceCache.end())
        return it->second;
    int advance = m_Measure->TextWidth(std::wstring_view(&ch, 1));
    m_AdvanceCache.emplace(ch, advance);
    return advance;
}

const std::vector<int>& CUniBuffer::Offsets() const
{
    if (m_Dirty) {
        m_Offsets.assign(m_Text.size() + 1, 0);
        for (size_t i = 0; i < m_Text.size(); ++i)
            m_Offsets[i + 1] = m_Offsets[i] + Advance(m_Text[i]);
        m_Dirty = false;
    }
    return m_Offsets;
}

bool CUniBuffer::SetText(std::wstring_view text)
{
    if (text.size() > kMaxLength)
        return false;
    m_Text.assign(text);
    m_Dirty = true;
    return true;
}

bool CUniBuffer::InsertChar(int index, wchar_t ch)
{
    if (index < 0 || index > int(m_Text.size()) || m_Text.size() + 1 > kMaxLength)
        return false;
    m_Text.insert(m_Text.begin() + index, ch);
    m_Dirty = true;
    return true;
}

bool CUniBuffer::InsertString(int index, std::wstring_view text)
{
    if (index < 0 || index > int(m_Text.size()) || m_Text.size() + text.size() > kMaxLength)
        return false;
    m_Text.insert(size_t(index), text);
    m_Dirty = true;
    return true;
}

bool CUniBuffer::RemoveChar(int index)
{
    if (index < 0 || index >= int(m_Text.size()))
        return false;
    m_Text.erase(size_t(index), 1);
    m_Dirty = true;
    return true;
}

tResult CUniBuffer::CPtoX(int cp, bool trail, int* x) const
{
    *x = 0;
    if (!m_Measure)
        return E_NOTIMPL;
    int end = std::clamp(cp + (trail ? 1 : 0), 0, int(m_Text.size()));
    *x = Offsets()[size_t(end)];
    return S_OK;
}

tResult CUniBuffer::XtoCP(int x, int* cp, bool* trail) const
{
    *cp = 0;
    *trail = false;
    if (!m_Measure)
        return E_NOTIMPL;
    if (x <= 0 || m_Text.empty())
        return S_OK;
    const std::vector<int>& offsets = Offsets();
    // The first character whose right edge lies beyond x.
    auto it = std::upper_bound(offsets.begin() + 1, offsets.end(), x);
    if (it == offsets.end()) {
        *cp = int(m_Text.size()) - 1;
        *trail = true;
        return S_OK;
    }
    size_t i = size_t(it - offsets.begin()) - 1;
    *cp = int(i);
    *trail = x >= (offsets[i] + offsets[i + 1] + 1) / 2;
    return S_OK;
}

int CUniBuffer::GetPriorItemPos(int cp) const
{
    for (int i = cp - 1; i > 0; --i)
        if (IsWordStop(m_Text, i))
            return i;
    return 0;
}

int CUniBuffer::GetNextItemPos(int cp) const
{
    for (int i = cp + 1; i < int(m_Text.size()); ++i)
        if (IsWordStop(m_Text, i))
            return i;
    return int(m_Text.size());
}
