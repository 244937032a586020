#include "gui/uni_buffer.h"

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

bool CUniBuffer::SetText(std::wstring_view text)
{
    if (text.size() > kMaxLength)
        return false;
    m_Text.assign(text);
    return true;
}

bool CUniBuffer::InsertChar(int index, wchar_t ch)
{
    if (index < 0 || index > int(m_Text.size()) || m_Text.size() + 1 > kMaxLength)
        return false;
    m_Text.insert(m_Text.begin() + index, ch);
    return true;
}

bool CUniBuffer::InsertString(int index, std::wstring_view text)
{
    if (index < 0 || index > int(m_Text.size()) || m_Text.size() + text.size() > kMaxLength)
        return false;
    m_Text.insert(size_t(index), text);
    return true;
}

bool CUniBuffer::RemoveChar(int index)
{
    if (index < 0 || index >= int(m_Text.size()))
        return false;
    m_Text.erase(size_t(index), 1);
    return true;
}

tResult CUniBuffer::CPtoX(int cp, bool trail, int* x) const
{
    *x = 0;
    if (!m_Measure)
        return E_NOTIMPL;
    int end = cp + (trail ? 1 : 0);
    if (end < 0)
        end = 0;
    if (end > int(m_Text.size()))
        end = int(m_Text.size());
    *x = m_Measure->TextWidth(std::wstring_view(m_Text).substr(0, size_t(end)));
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
    int left = 0;
    for (size_t i = 0; i < m_Text.size(); ++i) {
        int right = m_Measure->TextWidth(std::wstring_view(m_Text).substr(0, i + 1));
        if (x < right) {
            *cp = int(i);
            *trail = x >= (left + right + 1) / 2;
            return S_OK;
        }
        left = right;
    }
    // Beyond the end: on the trailing edge of the last character.
    *cp = int(m_Text.size()) - 1;
    *trail = true;
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
