#pragma once
// The table control: rows of cells under named columns with widths in per cent, a header
// row, a hint per column, sorting by a column with six kinds of key, single selection or
// multi-selection with Shift and Ctrl, and an inner scroll bar.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gui/control.h"
#include "gui/scroll_bar.h"

// Style flags.
constexpr uint32_t DXUTLISTBOX_MULTISELECTION = 1;
constexpr uint32_t DXUTLISTBOX_TALLROWS = 2;

// Sort keys a column's cells yield.
enum eListSortType
{
    LIST_SORT_NONE = 0,
    LIST_SORT_TEXT = 1,      // the text, ordinal
    LIST_SORT_INTEGER = 2,   // "12"
    LIST_SORT_PERCENT = 3,   // "12%"
    LIST_SORT_DECIMAL = 4,   // "1.25", compared in hundredths
    LIST_SORT_PERCENT_OF = 5, // "40% (2.0/5.0)"
    LIST_SORT_PRODUCT = 6,   // "3x4", compared as 12
    // "31.12.08 23:59", day.month.year, compared as the time it names: read as an integer
    // (2) the saved games would sort by the day of the month alone.
    LIST_SORT_DATE = 7,
};

struct DXUTListBoxColumn
{
    int width = 0;
    std::wstring title; // at most 49 characters
    std::wstring hint;  // at most 255; empty = none
    uint32_t format = DT_VCENTER;
    int sortType = LIST_SORT_NONE;
    uint8_t descending = 0;
};

struct DXUTListBoxItem
{
    std::vector<std::wstring> cells;
    void* pData = nullptr;
    sRect rcActive;
    bool bSelected = false;
    // The first cell, or an empty text.
    const std::wstring& Text() const;
};

// The key a cell yields for a sort type (0 for a cell that does not match).
int64_t ListSortKey(int sortType, std::wstring_view cell);
// A text (a name a player typed or a file holds) as one cell of a row: the separators that
// split a row become blanks, and an empty text a blank, so that it neither spills into the
// next columns nor lets them move up into its own.
std::wstring ListCellText(std::wstring_view text);

class CDXUTListBox : public CDXUTControl
{
public:
    explicit CDXUTListBox(CDXUTDialog* dialog = nullptr);

    tResult OnInit() override;
    bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
    void OnMouseLeave() override
    {
        CDXUTControl::OnMouseLeave();
        m_nHoveredRow = -1;
        m_nHoveredColumn = -1;
        SetCutText(nullptr);
    }
    bool HandleKeyboard(unsigned message, tWParam wParam, tLParam lParam) override;
    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    void Render(cRenderer* device, float elapsed) override;
    void UpdateRects() override;

    uint32_t GetStyle() const { return m_dwStyle; }
    void SetStyle(uint32_t style) { m_dwStyle = style; }
    int GetSize() const { return int(m_Items.size()); }

    // Titles split at ';' or '|'; widths in per cent of the text area (set it first).
    template <class... Percents>
    void SetColumns(int count, std::wstring_view titles, Percents... percents)
    {
        SetColumnsList(count, titles, std::vector<int>{int(percents)...});
    }
    void SetColumnsList(int count, std::wstring_view titles, const std::vector<int>& percents);
    void SetColumnHints(std::wstring_view hints);
    // Widens the column to its widest cell and its title (a date that must be read whole):
    // the others give up what they leave empty first, then what they cut short anyway.
    void FitColumnToCells(int column);
    template <class... Types>
    void SetColumnSortTypes(int count, Types... types)
    {
        SetColumnSortTypesList(count, std::vector<int>{int(types)...});
    }
    void SetColumnSortTypesList(int count, const std::vector<int>& types);
    const std::vector<DXUTListBoxColumn>& GetColumns() const { return m_Columns; }
    int GetSortedColumn() const { return m_nSortedColumn; }

    // Cells split at ';' or '|', empty pieces left out.
    tResult AddItem(std::wstring_view text, void* data);
    // The row's cells anew from the text, split as AddItem splits it.
    void SetItemText(int index, std::wstring_view text);
    void RemoveAllItems();
    DXUTListBoxItem* GetItem(int index);
    int GetSelectedIndex(int previous = -1);
    DXUTListBoxItem* GetSelectedItem(int previous = -1) { return GetItem(GetSelectedIndex(previous)); }
    void* GetSelectedData();
    void SelectItem(int index, bool notify = false);
    void SortByColumn(int column);
    void ClickColumnHeader(int column);

    int GetHoveredRow() const { return m_nHoveredRow; }
    int GetHoveredColumn() const { return m_nHoveredColumn; }
    CDXUTScrollBar& GetScrollBar() { return m_ScrollBar; }
    const sRect& GetTextRect() const { return m_rcText; }
    const sRect& GetSelectionRect() const { return m_rcSelection; }
    int GetRowHeight() const;

    // The page size of list boxes is set on their first drawing once per run.
    static bool s_bPageSizeSet;

private:
    int RowAt(int y) const;
    int ColumnAt(int x) const;
    // The text under a point of the rows or the header, drawn as the element says in the rectangle.
    bool CellAt(int x, int y, std::wstring_view& text, CDXUTElement& element, sRect& rect);
    void UpdateHover(int x, int y);
    void SetRangeState(int from, int to, bool state);

    int m_nHoveredColumn = -1;
    int m_nHoveredRow = -1;
    CDXUTScrollBar m_ScrollBar;
    sRect m_rcHeader;
    sRect m_rcText;
    sRect m_rcSelection;
    int m_nSBWidth = 16;
    int m_nBorder = 6;
    int m_nMargin = 5;
    int m_nTextHeight = 0;
    uint32_t m_dwStyle = 0;
    int m_nSelected = -1;
    int m_nSelStart = 0;
    bool m_bDrag = false;
    // None until the first sort: column 0 would otherwise show a direction it was never
    // sorted in, and its first header click would sort it descending, unlike any other column.
    int m_nSortedColumn = -1;
    std::vector<DXUTListBoxColumn> m_Columns;
    std::vector<std::unique_ptr<DXUTListBoxItem>> m_Items;
};
