#include "gui/list_box.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>

#include "gui/buttons.h"
#include "gui/dialog.h"
#include "gui/gui_hooks.h"
#include "platform/font.h"

bool CDXUTListBox::s_bPageSizeSet = false;

namespace {

constexpr size_t kMaxTitle = 49;
constexpr size_t kMaxHint = 255;

std::vector<std::wstring_view> SplitCells(std::wstring_view text, bool skipEmpty)
{
    std::vector<std::wstring_view> pieces;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == L';' || text[i] == L'|') {
            std::wstring_view piece = text.substr(start, i - start);
            if (!skipEmpty || !piece.empty())
                pieces.push_back(piece);
            start = i + 1;
        }
    }
    if (!skipEmpty && text.empty())
        pieces.clear();
    return pieces;
}

// A decimal integer after optional white space and sign; false when there are no digits.
// Decimal only, also where the cell's format is "%i": read that way "08%" would be no
// number and "010%" eight. Digits past 2^40 change nothing: no cell is that large, and the
// product of two such keys cannot overflow.
bool ReadInteger(std::wstring_view text, size_t& pos, int64_t& value)
{
    while (pos < text.size() && std::iswspace(wint_t(text[pos])))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    size_t digits = pos;
    int64_t v = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
        if (v < (int64_t(1) << 40))
            v = v * 10 + (text[pos] - L'0');
        ++pos;
    }
    if (pos == digits)
        return false;
    value = negative ? -v : v;
    return true;
}

} // namespace

const std::wstring& DXUTListBoxItem::Text() const
{
    static const std::wstring empty;
    return cells.empty() ? empty : cells.front();
}

int64_t ListSortKey(int sortType, std::wstring_view cell)
{
    size_t pos = 0;
    int64_t a = 0;
    switch (sortType) {
    case LIST_SORT_INTEGER:
    case LIST_SORT_PERCENT:
    case LIST_SORT_PERCENT_OF:
        return ReadInteger(cell, pos, a) ? a : 0;
    case LIST_SORT_DECIMAL: {
        std::wstring text(cell);
        wchar_t* end = nullptr;
        double v = std::wcstod(text.c_str(), &end);
        // "nan" and "inf" are no decimal numbers; a huge one keeps its place at the end.
        if (end == text.c_str() || !std::isfinite(v))
            return 0;
        return int64_t(std::clamp(v * 100.0, -1e18, 1e18));
    }
    case LIST_SORT_PRODUCT: {
        int64_t b = 0;
        if (!ReadInteger(cell, pos, a) || pos >= cell.size() || cell[pos] != L'x')
            return 0;
        ++pos;
        return ReadInteger(cell, pos, b) ? a * b : 0;
    }
    case LIST_SORT_DATE: {
        // Day, month, year, hours, minutes: the year weighs most.
        int64_t v[5] = {};
        for (int64_t& part : v) {
            if (!ReadInteger(cell, pos, part))
                return 0;
            if (pos < cell.size())
                ++pos; // the '.', ' ' or ':' after it
        }
        return (((v[2] * 100 + v[1]) * 100 + v[0]) * 100 + v[3]) * 100 + v[4];
    }
    default:
        return 0;
    }
}

CDXUTListBox::CDXUTListBox(CDXUTDialog* dialog) : CDXUTControl(dialog), m_ScrollBar(dialog)
{
    m_Type = DXUT_CONTROL_LISTBOX;
}

tResult CDXUTListBox::OnInit() { return m_pDialog->InitControl(&m_ScrollBar); }

int CDXUTListBox::GetRowHeight() const
{
    int line = m_nTextHeight;
    return (m_dwStyle & DXUTLISTBOX_TALLROWS) ? int(line * 2.5) : line;
}

void CDXUTListBox::UpdateRects()
{
    CDXUTControl::UpdateRects();
    if (CDXUTElement* element = GetElement(0); element && m_pDialog)
        m_nTextHeight = m_pDialog->GetFontHeight(element->iFont);

    m_rcSelection = m_rcBoundingBox;
    m_rcSelection.right -= m_nSBWidth;
    m_rcSelection = InflateRect(m_rcSelection, -m_nBorder, -m_nBorder);
    m_rcHeader = sRect{m_rcSelection.left, m_rcSelection.top, m_rcSelection.right, m_rcSelection.top + m_nTextHeight};
    m_rcText = InflateRect(m_rcSelection, -m_nMargin, 0);
    // The line kept for the header: a list without columns draws no header, so its rows start
    // at the top (the diplomacy panel's list of three countries at war shows them whole).
    if (!m_Columns.empty())
        m_rcText.top += m_nTextHeight;

    m_ScrollBar.SetLocation(m_rcBoundingBox.right - m_nSBWidth, m_rcBoundingBox.top);
    m_ScrollBar.SetSize(m_nSBWidth, m_height);
    // A font of no height (a layout without its fonts) gives rows of nothing: no page.
    if (int row = GetRowHeight(); row > 0) {
        m_ScrollBar.SetPageSize(m_rcText.Height() / row);
        m_ScrollBar.ShowItem(m_nSelected);
    }
}

void CDXUTListBox::SetColumnsList(int count, std::wstring_view titles, const std::vector<int>& percents)
{
    // New columns make a new table: unsorted, so its first header click sorts ascending.
    m_nSortedColumn = -1;
    m_Columns.clear();
    std::vector<std::wstring_view> names = SplitCells(titles, false);
    for (int i = 0; i < count; ++i) {
        DXUTListBoxColumn column;
        if (size_t(i) < names.size())
            column.title = std::wstring(names[size_t(i)].substr(0, kMaxTitle));
        int percent = size_t(i) < percents.size() ? percents[size_t(i)] : 0;
        column.width = m_rcText.Width() * percent / 100;
        column.format = i == 0 ? DT_VCENTER : DT_CENTER | DT_VCENTER;
        m_Columns.push_back(column);
    }
    // The header comes or goes with the columns.
    UpdateRects();
}

void CDXUTListBox::FitColumnToCells(int column)
{
    CDXUTElement* text = GetElement(0);
    CDXUTElement* title = GetElement(9);
    cFont* font = text && m_pDialog ? m_pDialog->GetFontObject(text->iFont) : nullptr;
    cFont* titleFont = title && m_pDialog ? m_pDialog->GetFontObject(title->iFont) : nullptr;
    if (column < 0 || column >= int(m_Columns.size()) || !font || !titleFont)
        return;
    // What each column needs to show its title and its widest cell whole.
    std::vector<int> needed;
    for (size_t c = 0; c < m_Columns.size(); ++c) {
        sRect extent{};
        CalcTextExtent(*titleFont, m_Columns[c].title, extent, 0);
        int width = extent.Width();
        for (const auto& item : m_Items)
            if (c < item->cells.size()) {
                extent = sRect{};
                CalcTextExtent(*font, item->cells[c], extent, 0);
                width = std::max(width, extent.Width());
            }
        needed.push_back(width);
    }
    int missing = needed[size_t(column)] - m_Columns[size_t(column)].width;
    // The room comes first from what the others leave empty, then from those cut short
    // anyway, and only then from those that show their texts whole.
    for (int pass = 0; pass < 3 && missing > 0; ++pass) {
        std::vector<int> room(m_Columns.size(), 0);
        int total = 0;
        for (size_t c = 0; c < m_Columns.size(); ++c) {
            const int width = m_Columns[c].width, spare = std::max(0, width - needed[c]);
            if (int(c) != column)
                room[c] = pass == 0 ? spare : pass == 1 ? (needed[c] > width ? width : 0) : width - spare;
            total += room[c];
        }
        if (total == 0)
            continue;
        const int want = std::min(missing, total);
        int taken = 0;
        for (size_t c = 0; c < m_Columns.size(); ++c) {
            const int share = want * room[c] / total;
            m_Columns[c].width -= share;
            room[c] -= share;
            taken += share;
        }
        // What rounding left over comes from the first columns with room left.
        for (size_t c = 0; c < m_Columns.size() && taken < want; ++c) {
            const int more = std::min(room[c], want - taken);
            m_Columns[c].width -= more;
            taken += more;
        }
        m_Columns[size_t(column)].width += taken;
        missing -= taken;
    }
}

void CDXUTListBox::SetColumnHints(std::wstring_view hints)
{
    std::vector<std::wstring_view> pieces = SplitCells(hints, false);
    for (size_t i = 0; i < m_Columns.size(); ++i)
        m_Columns[i].hint = i < pieces.size() ? std::wstring(pieces[i].substr(0, kMaxHint)) : std::wstring();
}

void CDXUTListBox::SetColumnSortTypesList(int count, const std::vector<int>& types)
{
    for (int i = 0; i < count && size_t(i) < m_Columns.size() && size_t(i) < types.size(); ++i)
        m_Columns[size_t(i)].sortType = types[size_t(i)];
}

std::wstring ListCellText(std::wstring_view text)
{
    std::wstring cell = text.empty() ? std::wstring(L" ") : std::wstring(text);
    std::replace_if(cell.begin(), cell.end(), [](wchar_t c) { return c == L';' || c == L'|'; }, L' ');
    return cell;
}

tResult CDXUTListBox::AddItem(std::wstring_view text, void* data)
{
    auto item = std::make_unique<DXUTListBoxItem>();
    for (std::wstring_view cell : SplitCells(text, true))
        item->cells.emplace_back(cell);
    item->pData = data;
    m_Items.push_back(std::move(item));
    m_ScrollBar.SetTrackRange(0, int(m_Items.size()));
    return S_OK;
}

void CDXUTListBox::SetItemText(int index, std::wstring_view text)
{
    DXUTListBoxItem* item = GetItem(index);
    if (!item)
        return;
    item->cells.clear();
    for (std::wstring_view cell : SplitCells(text, true))
        item->cells.emplace_back(cell);
}

void CDXUTListBox::RemoveAllItems()
{
    m_Items.clear();
    m_ScrollBar.SetTrackRange(0, 1);
    m_ScrollBar.SetTrackPos(0);
    m_nSelected = -1;
}

DXUTListBoxItem* CDXUTListBox::GetItem(int index)
{
    return index >= 0 && index < int(m_Items.size()) ? m_Items[size_t(index)].get() : nullptr;
}

int CDXUTListBox::GetSelectedIndex(int previous)
{
    if (previous < -1)
        return -1;
    if (m_dwStyle & DXUTLISTBOX_MULTISELECTION) {
        for (int i = previous + 1; i < int(m_Items.size()); ++i)
            if (m_Items[size_t(i)]->bSelected)
                return i;
        return -1;
    }
    return m_nSelected;
}

void* CDXUTListBox::GetSelectedData()
{
    DXUTListBoxItem* item = GetSelectedItem();
    return item ? item->pData : nullptr;
}

void CDXUTListBox::SelectItem(int index, bool notify)
{
    if (m_Items.empty())
        return;
    int old = m_nSelected;
    m_nSelected = std::clamp(index, 0, int(m_Items.size()) - 1);
    if (old != m_nSelected) {
        if (m_dwStyle & DXUTLISTBOX_MULTISELECTION)
            m_Items[size_t(m_nSelected)]->bSelected = true;
        m_nSelStart = m_nSelected;
        m_ScrollBar.ShowItem(m_nSelected);
    }
    if (notify)
        m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this);
}

void CDXUTListBox::SortByColumn(int column)
{
    if (column < 0 || column >= int(m_Columns.size()) || m_Columns[size_t(column)].sortType == LIST_SORT_NONE)
        return;
    const DXUTListBoxColumn& col = m_Columns[size_t(column)];
    struct sRecord
    {
        int index;
        std::wstring_view text;
        DXUTListBoxItem* item;
        int64_t key;
    };
    std::vector<sRecord> records;
    records.reserve(m_Items.size());
    for (size_t i = 0; i < m_Items.size(); ++i) {
        DXUTListBoxItem* item = m_Items[i].get();
        std::wstring_view text = size_t(column) < item->cells.size() ? std::wstring_view(item->cells[size_t(column)])
                                                                       : std::wstring_view();
        records.push_back(sRecord{int(i), text, item, col.sortType == LIST_SORT_TEXT ? 0 : ListSortKey(col.sortType, text)});
    }
    // wchar_t holds a whole character here (UTF-32): against UTF-16 units this differs only
    // between characters above U+FFFF and those from U+E000, which no table holds together.
    if (col.sortType == LIST_SORT_TEXT)
        std::sort(records.begin(), records.end(), [](const sRecord& a, const sRecord& b) { return a.text < b.text; });
    else
        std::sort(records.begin(), records.end(), [](const sRecord& a, const sRecord& b) { return a.key < b.key; });

    std::vector<std::unique_ptr<DXUTListBoxItem>> sorted(m_Items.size());
    int newSelected = -1;
    for (size_t k = 0; k < records.size(); ++k) {
        size_t target = col.descending ? records.size() - 1 - k : k;
        if (records[k].index == m_nSelected)
            newSelected = int(target);
        sorted[target] = std::move(m_Items[size_t(records[k].index)]);
    }
    m_Items = std::move(sorted);

    // The selection follows its item; without one it goes to the first row.
    SelectItem(std::max(newSelected, 0), false);
    m_nSortedColumn = column;
}

void CDXUTListBox::ClickColumnHeader(int column)
{
    if (column < 0 || column >= int(m_Columns.size()))
        return;
    DXUTListBoxColumn& col = m_Columns[size_t(column)];
    ++col.descending;
    if (col.descending >= 2 || column != m_nSortedColumn)
        col.descending = 0;
    SortByColumn(column);
}

int CDXUTListBox::RowAt(int y) const
{
    int row = GetRowHeight();
    if (row <= 0 || y < m_rcText.top)
        return -1;
    return (y - m_rcText.top) / row + m_ScrollBar.GetTrackPos();
}

int CDXUTListBox::ColumnAt(int x) const
{
    int remaining = x - m_rcText.left;
    int column = 0;
    for (const auto& c : m_Columns) {
        if (c.width < remaining) {
            remaining -= c.width;
            ++column;
        } else {
            break;
        }
    }
    return column < int(m_Columns.size()) ? column : -1;
}

bool CDXUTListBox::CellAt(int x, int y, std::wstring_view& text, CDXUTElement& element, sRect& rect)
{
    const CDXUTElement* normal = GetElement(0);
    const CDXUTElement* titleElement = GetElement(9);
    if (!normal || !titleElement || (!m_rcText.Contains(x, y) && !m_rcHeader.Contains(x, y)))
        return false;
    const int row = RowAt(y);
    const DXUTListBoxItem* item = GetItem(row);
    const int height = GetRowHeight();
    if (m_Columns.size() <= 1) {
        if (!item || height <= 0)
            return false;
        text = item->Text();
        element = *normal;
        element.dwTextFormat = DT_LEFT | DT_VCENTER;
        const int top = m_rcText.top + (row - m_ScrollBar.GetTrackPos()) * height;
        rect = sRect{m_rcText.left, top, m_rcText.right, top + height};
        return true;
    }
    const int column = ColumnAt(x);
    if (column < 0)
        return false;
    int left = m_rcText.left;
    for (int c = 0; c < column; ++c)
        left += m_Columns[size_t(c)].width;
    const DXUTListBoxColumn& col = m_Columns[size_t(column)];
    if (y < m_rcText.top) {
        text = col.title;
        element = *titleElement;
        element.dwTextFormat = col.format;
        rect = sRect{left, m_rcBoundingBox.top, left + col.width, m_rcHeader.bottom};
        return true;
    }
    if (!item || height <= 0 || size_t(column) >= item->cells.size())
        return false;
    text = item->cells[size_t(column)];
    element = *normal;
    element.dwTextFormat = col.format;
    const int top = m_rcText.top + (row - m_ScrollBar.GetTrackPos()) * height;
    rect = sRect{left, top, left + col.width, top + height};
    return true;
}

void CDXUTListBox::UpdateHover(int x, int y)
{
    if (!m_rcBoundingBox.Contains(x, y)) {
        m_nHoveredRow = -1;
        m_nHoveredColumn = -1;
        SetCutText(nullptr);
        return;
    }
    m_nHoveredRow = RowAt(y);
    // A cell or title drawn cut short shows its whole text in the hint.
    std::wstring_view text;
    CDXUTElement element;
    sRect rect;
    const bool cut = CellAt(x, y, text, element, rect) && m_pDialog->TextCut(text, &element, rect);
    const std::wstring whole(cut ? text : std::wstring_view());
    SetCutText(cut ? &whole : nullptr);
    int column = ColumnAt(x);
    if (column < 0) {
        m_nHoveredColumn = -1;
        return;
    }
    if (column != m_nHoveredColumn) {
        m_nHoveredColumn = column;
        const std::wstring& hint = m_Columns[size_t(column)].hint;
        SetHint(hint.empty() ? nullptr : hint.c_str());
        GuiSetHintControl(this, true);
    }
}

void CDXUTListBox::SetRangeState(int from, int to, bool state)
{
    if (from > to)
        std::swap(from, to);
    for (int i = std::max(from, 0); i <= to && i < int(m_Items.size()); ++i)
        m_Items[size_t(i)]->bSelected = state;
}

bool CDXUTListBox::HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam)
{
    if (!m_bEnabled || !m_bVisible)
        return false;
    TakeFocusOnPress(message);
    if (m_ScrollBar.HandleMouse(message, x, y, wParam, lParam))
        return true;

    const bool multi = (m_dwStyle & DXUTLISTBOX_MULTISELECTION) != 0;
    const int page = m_ScrollBar.GetPageSize();
    const int position = m_ScrollBar.GetTrackPos();
    switch (message) {
    case WM_MOUSEMOVE:
        if (!m_bDrag) {
            UpdateHover(x, y);
            return false;
        }
        {
            int row = GetRowHeight();
            int index = row > 0 ? (y - m_rcText.top) / row + position : -1;
            if (y >= m_rcText.top && index >= position && index < position + page && index < int(m_Items.size())) {
                m_nSelected = index;
                m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this, false);
            } else if (y < m_rcText.top) {
                m_ScrollBar.Scroll(-1);
                m_nSelected = m_ScrollBar.GetTrackPos();
                m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this, false);
            } else if (index >= position + page) {
                m_ScrollBar.Scroll(1);
                m_nSelected = std::min(int(m_Items.size()), m_ScrollBar.GetTrackPos() + page) - 1;
                m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this, false);
            }
        }
        return true;

    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (m_Items.empty() || !m_rcSelection.Contains(x, y))
            return false;
        int row = GetRowHeight();
        if (row <= 0)
            return true;
        if (y < m_rcText.top) {
            // The column under the click itself: the hovered one is forgotten when the
            // pointer leaves, and a click may come before any move over the header.
            ClickColumnHeader(ColumnAt(x));
            return true;
        }
        int index = (y - m_rcText.top) / row + position;
        if (index >= position && index < int(m_Items.size()) && index < position + page) {
            GuiCaptureMouse(true);
            m_bDrag = true;
            if (message == WM_LBUTTONDBLCLK) {
                m_pDialog->SendEvent(EVENT_LISTBOX_ITEM_DBLCLK, true, this);
                return true;
            }
            m_nSelected = index;
            const bool shift = GuiKeyDown(VK_SHIFT);
            const bool control = GuiKeyDown(VK_CONTROL);
            if (!shift)
                m_nSelStart = m_nSelected;
            if (multi) {
                DXUTListBoxItem& item = *m_Items[size_t(m_nSelected)];
                if (control && shift) {
                    SetRangeState(m_nSelStart, m_nSelected, m_Items[size_t(m_nSelStart)]->bSelected);
                } else if (shift) {
                    SetRangeState(0, int(m_Items.size()) - 1, false);
                    SetRangeState(m_nSelStart, m_nSelected, true);
                } else if (control) {
                    item.bSelected = !item.bSelected;
                } else {
                    SetRangeState(0, int(m_Items.size()) - 1, false);
                    item.bSelected = true;
                }
            }
            m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this);
        }
        return true;
    }

    case WM_LBUTTONUP:
        GuiCaptureMouse(false);
        m_bDrag = false;
        if (m_nSelected != -1 && m_nSelected < int(m_Items.size()) && m_nSelStart < int(m_Items.size())) {
            SetRangeState(m_nSelStart, m_nSelected, m_Items[size_t(m_nSelStart)]->bSelected);
            if (m_nSelStart != m_nSelected)
                m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this, false);
        }
        return false;

    case WM_MOUSEWHEEL: {
        // Kept by the focus, the wheel would scroll a chosen list under a pointer that lies on
        // the box of details beside it: it goes to what the pointer is on.
        if (!ContainsPoint(x, y))
            return false;
        int notches = WheelDelta(wParam) / WHEEL_DELTA;
        m_ScrollBar.Scroll(-notches * GuiWheelScrollLines());
        return true;
    }

    default:
        return false;
    }
}

bool CDXUTListBox::HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam)
{
    if (!m_bEnabled || !m_bVisible)
        return false;
    if (m_ScrollBar.HandleKeyboard(message, wParam, lParam))
        return true;
    if (message != WM_KEYDOWN)
        return false;
    int page = m_ScrollBar.GetPageSize();
    int target = m_nSelected;
    switch (wParam) {
    case VK_PRIOR:
        target -= page - 1;
        break;
    case VK_NEXT:
        target += page - 1;
        break;
    case VK_END:
        target = int(m_Items.size()) - 1;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_UP:
        target -= 1;
        break;
    case VK_DOWN:
        target += 1;
        break;
    default:
        return false;
    }
    if (m_Items.empty())
        return true;
    target = std::clamp(target, 0, int(m_Items.size()) - 1);
    if (target != m_nSelected) {
        m_nSelected = target;
        if (m_dwStyle & DXUTLISTBOX_MULTISELECTION) {
            SetRangeState(0, int(m_Items.size()) - 1, false);
            if (!GuiKeyDown(VK_SHIFT)) {
                m_Items[size_t(m_nSelected)]->bSelected = true;
                m_nSelStart = m_nSelected;
            } else {
                SetRangeState(m_nSelStart, m_nSelected, true);
            }
        } else {
            m_nSelStart = m_nSelected;
        }
        m_ScrollBar.ShowItem(m_nSelected);
        m_pDialog->SendEvent(EVENT_LISTBOX_SELECTION, true, this);
    }
    return true;
}

void CDXUTListBox::Render(cRenderer* device, float elapsed)
{
    if (!m_bVisible)
        return;
    int state = StateFor(false);
    BlendElements(state, elapsed);
    CDXUTElement* body[9];
    if (!GetElements(0, body))
        return;
    DrawNineSlice(m_pDialog, body, m_rcBoundingBox, 25, 0.2f);

    // The header: a bar from every boundary between two columns, then the titles.
    if (!m_Columns.empty() && GetElement(9)) {
        sRect header{m_rcHeader.left, m_rcBoundingBox.top, m_rcHeader.right, m_rcHeader.bottom};
        int x = m_rcText.left;
        for (size_t c = 0; c + 1 < m_Columns.size(); ++c) {
            x += m_Columns[c].width;
            const DXUTListBoxColumn& left = m_Columns[c];
            unsigned base = 9;
            if (int(c) == m_nSortedColumn && left.sortType != LIST_SORT_NONE)
                base = left.descending ? 15 : 12;
            int pieceRight = x + 13;
            m_pDialog->DrawSprite(GetElement(base), sRect{x - 12, header.top, pieceRight, header.bottom}, 0.2f);
            int endLeft = std::max(pieceRight, header.right - 25);
            if (endLeft > pieceRight)
                m_pDialog->DrawSprite(GetElement(base + 1), sRect{pieceRight, header.top, endLeft, header.bottom}, 0.2f);
            m_pDialog->DrawSprite(GetElement(base + 2), sRect{endLeft, header.top, header.right, header.bottom}, 0.2f);
        }
        // The hovered column lights up with the rows' hover piece, over the bars: a piece of
        // the header strip laid on the bar it is cut from would not show.
        if (m_nHoveredColumn >= 0 && m_nHoveredColumn < int(m_Columns.size())) {
            int left = m_rcText.left;
            for (int c = 0; c < m_nHoveredColumn; ++c)
                left += m_Columns[size_t(c)].width;
            sRect hover{left, header.top, left + m_Columns[size_t(m_nHoveredColumn)].width, header.bottom};
            m_pDialog->DrawSprite(GetElement(19), IntersectRects(hover, header), 0.2f);
        }
        CDXUTElement title = *GetElement(9);
        int left = m_rcText.left;
        for (const auto& column : m_Columns) {
            title.dwTextFormat = column.format | DT_END_ELLIPSIS;
            sRect cell{left, header.top, left + column.width, header.bottom};
            m_pDialog->DrawText(column.title, &title, cell);
            left += column.width;
        }
    }

    // The list draws the scroll bar it holds, as the memo and the drop-down draw theirs:
    // nothing else would, and the bar takes clicks.
    if (m_Items.empty()) {
        m_ScrollBar.Render(device, elapsed);
        return;
    }
    int row = GetRowHeight();
    if (!s_bPageSizeSet && row > 0) {
        m_ScrollBar.SetPageSize(m_rcText.Height() / row);
        s_bPageSizeSet = true;
    }
    CDXUTElement* selectionElement = GetElement(18);
    CDXUTElement* hoverElement = GetElement(19);
    CDXUTElement* textElement = GetElement(0);
    if (!selectionElement || !hoverElement || !textElement)
        return;
    const bool multi = (m_dwStyle & DXUTLISTBOX_MULTISELECTION) != 0;
    sRect rowRect{m_rcText.left, m_rcText.top, m_rcText.right, m_rcText.top + row};
    for (int i = m_ScrollBar.GetTrackPos(); i < int(m_Items.size()) && row > 0 && rowRect.bottom <= m_rcText.bottom; ++i) {
        DXUTListBoxItem& item = *m_Items[size_t(i)];
        item.rcActive = rowRect;
        bool selected = multi ? item.bSelected : i == m_nSelected;
        if (m_bDrag && multi && m_nSelStart < int(m_Items.size()) && m_nSelected >= 0) {
            int lo = std::min(m_nSelStart, m_nSelected), hi = std::max(m_nSelStart, m_nSelected);
            if (i >= lo && i <= hi)
                selected = m_Items[size_t(m_nSelStart)]->bSelected;
        }
        sRect band{m_rcSelection.left, rowRect.top, m_rcSelection.right, rowRect.bottom};
        if (i == m_nHoveredRow)
            m_pDialog->DrawSprite(hoverElement, band, 0.2f);
        if (selected)
            m_pDialog->DrawSprite(selectionElement, band, 0.2f);
        CDXUTElement cellElement = selected ? *selectionElement : *textElement;
        if (m_Columns.size() > 1) {
            int left = m_rcText.left;
            for (size_t c = 0; c < m_Columns.size(); ++c) {
                sRect cell{left, rowRect.top, left + m_Columns[c].width, rowRect.bottom};
                left += m_Columns[c].width;
                if (c >= item.cells.size())
                    continue;
                cellElement.dwTextFormat = m_Columns[c].format | DT_END_ELLIPSIS;
                sRect clip = m_pDialog->ToScreenRect(cell);
                m_pDialog->DrawText(item.cells[c], &cellElement, cell, false, -1, &clip);
            }
        } else {
            cellElement.dwTextFormat = DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS;
            sRect clip = m_pDialog->ToScreenRect(rowRect);
            m_pDialog->DrawText(item.Text(), &cellElement, rowRect, false, -1, &clip);
        }
        rowRect = OffsetRect(rowRect, 0, row);
    }
    m_ScrollBar.Render(device, elapsed);
}
