// The sortable list box: sort keys, header clicks, selection kept across sorts, hints per
// column, the selection styles and the keys.
#include "tests/gui/gui_fixture.h"

#include <algorithm>

#include "platform/font.h"

namespace {

class ListBox : public cGuiTest
{
protected:
    CDXUTListBox* AddList(uint32_t style = 0)
    {
        dialog.AddListBoxFromLayout(109, style);
        auto* list = static_cast<CDXUTListBox*>(dialog.GetControl(109));
        list->SetColumns(3, L"Unit;Strength|Size", 40, 30, 30);
        list->SetColumnHints(L"The unit's name;How strong it is");
        list->SetColumnSortTypes(3, LIST_SORT_TEXT, LIST_SORT_PERCENT, LIST_SORT_PRODUCT);
        return list;
    }
    std::vector<std::wstring> Column(CDXUTListBox* list, size_t column)
    {
        std::vector<std::wstring> cells;
        for (int i = 0; i < list->GetSize(); ++i)
            cells.push_back(list->GetItem(i)->cells[column]);
        return cells;
    }
    // The window position of the middle of a row of the list (dialog at the origin).
    int RowY(CDXUTListBox* list, int row) { return list->GetTextRect().top + row * list->GetRowHeight() + 2; }
};

TEST_F(ListBox, SortKeysReadEveryCellFormat)
{
    EXPECT_EQ(ListSortKey(LIST_SORT_INTEGER, L"  -12 units"), -12);
    EXPECT_EQ(ListSortKey(LIST_SORT_INTEGER, L"none"), 0);
    EXPECT_EQ(ListSortKey(LIST_SORT_PERCENT, L"40%"), 40);
    EXPECT_EQ(ListSortKey(LIST_SORT_DECIMAL, L"2.57"), 257);
    EXPECT_EQ(ListSortKey(LIST_SORT_DECIMAL, L"-1.5"), -150);
    EXPECT_EQ(ListSortKey(LIST_SORT_DECIMAL, L"nan"), 0);
    EXPECT_EQ(ListSortKey(LIST_SORT_DECIMAL, L"-inf"), 0);
    EXPECT_EQ(ListSortKey(LIST_SORT_DECIMAL, L"1e300"), int64_t(1e18));
    EXPECT_EQ(ListSortKey(LIST_SORT_PERCENT_OF, L"75% (3.0/4.0)"), 75);
    EXPECT_EQ(ListSortKey(LIST_SORT_PRODUCT, L"5x30"), 150);
    EXPECT_EQ(ListSortKey(LIST_SORT_PRODUCT, L"5 by 30"), 0);
    EXPECT_EQ(ListSortKey(LIST_SORT_PRODUCT, L"5x"), 0);
    // Dates read day first; the year weighs most.
    EXPECT_LT(ListSortKey(LIST_SORT_DATE, L"31.12.25 23:59"), ListSortKey(LIST_SORT_DATE, L"01.01.26 00:00"));
    EXPECT_LT(ListSortKey(LIST_SORT_DATE, L"08.12.26 09:59"), ListSortKey(LIST_SORT_DATE, L"08.12.26 10:00"));
    EXPECT_EQ(ListSortKey(LIST_SORT_DATE, L"--.--.-- --:--"), 0);
}

TEST_F(ListBox, CellsSplitAtBothSeparatorsAndEmptyPiecesAreDropped)
{
    CDXUTListBox* list = AddList();
    list->AddItem(L"a|b;c", nullptr);
    list->AddItem(L"a;;b", nullptr);
    list->AddItem(L"", nullptr);
    EXPECT_EQ(list->GetItem(0)->cells, (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(list->GetItem(1)->cells, (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_TRUE(list->GetItem(2)->cells.empty());
    EXPECT_EQ(list->GetItem(3), nullptr);
    EXPECT_EQ(list->GetColumns()[1].title, L"Strength");
    EXPECT_EQ(list->GetColumns()[2].hint, L"");
    EXPECT_EQ(list->GetColumns()[0].width, list->GetTextRect().Width() * 40 / 100);
    // An item without a cell in the sorted column sorts with key 0.
    list->RemoveAllItems();
    list->AddItem(L"full;1%;2x2", nullptr);
    list->AddItem(L"short", nullptr);
    list->SortByColumn(2);
    EXPECT_EQ(list->GetItem(0)->cells[0], L"short");
}

TEST_F(ListBox, PercentCellsSortByNumberAndTextCellsByCharacters)
{
    CDXUTListBox* list = AddList();
    list->AddItem(L"b;100%;10x10", nullptr);
    list->AddItem(L"a;5%;5x30", nullptr);
    list->AddItem(L"c;40%;1x1", nullptr);
    list->SortByColumn(1);
    EXPECT_EQ(Column(list, 1), (std::vector<std::wstring>{L"5%", L"40%", L"100%"}));
    list->SetColumnSortTypes(2, LIST_SORT_TEXT, LIST_SORT_TEXT);
    list->SortByColumn(1);
    EXPECT_EQ(Column(list, 1), (std::vector<std::wstring>{L"100%", L"40%", L"5%"}));
    list->SortByColumn(2);
    EXPECT_EQ(Column(list, 2), (std::vector<std::wstring>{L"1x1", L"10x10", L"5x30"}));
    EXPECT_EQ(list->GetSortedColumn(), 2);
    // A column without a sort type does not sort.
    list->SetColumnSortTypes(3, 0, 0, 0);
    list->SortByColumn(0);
    EXPECT_EQ(list->GetSortedColumn(), 2);
}

TEST_F(ListBox, HeaderClicksCycleAscendingDescendingAndAnotherColumnStartsAscending)
{
    CDXUTListBox* list = AddList();
    list->AddItem(L"b;100%;10x10", nullptr);
    list->AddItem(L"a;5%;5x30", nullptr);
    list->AddItem(L"c;40%;1x1", nullptr);
    int columnX = list->GetTextRect().left + list->GetColumns()[0].width + 10;
    int headerY = list->GetTextRect().top - 3;
    // Unsorted, no column is marked, and the first click on the first column sorts it ascending.
    EXPECT_EQ(list->GetSortedColumn(), -1);
    Move(list->GetTextRect().left + 10, headerY);
    Click(list->GetTextRect().left + 10, headerY);
    EXPECT_EQ(Column(list, 0), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    Move(columnX, headerY);
    Click(columnX, headerY);
    EXPECT_EQ(Column(list, 1), (std::vector<std::wstring>{L"5%", L"40%", L"100%"}));
    Click(columnX, headerY);
    EXPECT_EQ(Column(list, 1), (std::vector<std::wstring>{L"100%", L"40%", L"5%"}));
    Click(columnX, headerY);
    EXPECT_EQ(Column(list, 1), (std::vector<std::wstring>{L"5%", L"40%", L"100%"}));
    int sizeX = columnX + list->GetColumns()[1].width;
    Click(sizeX, headerY);
    EXPECT_EQ(Column(list, 2), (std::vector<std::wstring>{L"1x1", L"10x10", L"5x30"}));
    EXPECT_TRUE(events.empty()) << "sorting selects without an event";

    // The header runs from the list's top edge to the bottom of its line; its bars start at
    // the boundaries, each with a piece centred on it, the sorted column's marked ascending.
    Click(columnX, headerY);
    Move(list->GetTextRect().left + 10, 5000);
    device.ClearCalls();
    Render(1.0f);
    cTexture* gui = dialog.GetTexture(0)->pTexture.get();
    const int boundary1 = list->GetTextRect().left + list->GetColumns()[0].width;
    const int boundary2 = boundary1 + list->GetColumns()[1].width;
    std::vector<std::pair<int, float>> pieces; // left edge, cell of the strip
    for (const sQuad& q : device.Quads()) {
        if (q.texture != gui || q.src.left < 425 || q.src.left >= 500 || q.src.top < 1936 || q.src.top >= 2011)
            continue;
        EXPECT_EQ(q.corners[0].y, float(list->GetBoundingBox().top));
        EXPECT_EQ(q.corners[2].y, float(list->GetSelectionRect().top + dialog.GetFontHeight(1)));
        pieces.push_back({int(q.corners[0].x), q.src.left + (q.src.top - 1936) / 100});
    }
    ASSERT_GE(pieces.size(), 4u);
    EXPECT_EQ(pieces[0], std::make_pair(boundary1 - 12, 425.0f));
    const auto marked = std::find(pieces.begin(), pieces.end(), std::make_pair(boundary2 - 12, 450.0f));
    EXPECT_NE(marked, pieces.end()) << "the ascending piece right of the sorted column";

    // Filled anew with other columns (a window's other table), the list is unsorted again.
    list->RemoveAllItems();
    list->SetColumns(3, L"Country|Alliance|Points", 40, 30, 30);
    list->SetColumnSortTypes(3, LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_INTEGER);
    list->AddItem(L"x;b;95", nullptr);
    list->AddItem(L"y;a;120", nullptr);
    EXPECT_EQ(list->GetSortedColumn(), -1);
    Click(sizeX, headerY);
    EXPECT_EQ(Column(list, 2), (std::vector<std::wstring>{L"95", L"120"}));
}

TEST_F(ListBox, TheSelectedItemStaysSelectedAndInViewAfterASort)
{
    CDXUTListBox* list = AddList();
    list->SortByColumn(1); // empty: nothing happens
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    for (int i = 0; i < 40; ++i)
        list->AddItem(L"unit " + std::to_wstring(100 + i) + L";" + std::to_wstring(i) + L"%;1x1", reinterpret_cast<void*>(intptr_t(i + 1)));
    list->SortByColumn(1);
    EXPECT_EQ(list->GetSelectedIndex(), 0) << "nothing selected: the first row";
    list->SelectItem(3);
    void* chosen = list->GetSelectedData();
    list->ClickColumnHeader(1); // descending
    ASSERT_EQ(list->GetSelectedData(), chosen);
    EXPECT_EQ(list->GetSelectedIndex(), 36);
    CDXUTScrollBar& bar = list->GetScrollBar();
    EXPECT_GE(36, bar.GetTrackPos());
    EXPECT_LT(36, bar.GetTrackPos() + bar.GetPageSize());
    // The order survives a refill when the dialog sorts again.
    list->RemoveAllItems();
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    list->AddItem(L"x;1%", nullptr);
    list->AddItem(L"y;2%", nullptr);
    list->SortByColumn(list->GetSortedColumn());
    EXPECT_EQ(list->GetItem(0)->cells[0], L"y");
}

TEST_F(ListBox, AClickInTheHeaderOfAnEmptyListDoesNothing)
{
    CDXUTListBox* list = AddList();
    int x = list->GetTextRect().left + 5;
    Move(x, list->GetTextRect().top - 3);
    EXPECT_FALSE(Down(x, list->GetTextRect().top - 3));
    EXPECT_EQ(list->GetColumns()[0].descending, 0);
}

TEST_F(ListBox, TheHintFollowsTheColumnUnderTheMouse)
{
    CDXUTListBox* list = AddList();
    list->AddItem(L"a;1%;1x1", nullptr);
    int y = RowY(list, 0);
    int left = list->GetTextRect().left;
    Move(left + 5, y);
    EXPECT_EQ(list->GetHoveredColumn(), 0);
    EXPECT_EQ(hintText, L"The unit's name");
    hintControl = nullptr;
    Move(left + 20, y); // the same column: the hint is not set again
    EXPECT_EQ(hintControl, nullptr);
    Move(left + list->GetColumns()[0].width, y); // on the boundary: still the left column
    EXPECT_EQ(list->GetHoveredColumn(), 0);
    Move(left + list->GetColumns()[0].width + 1, y);
    EXPECT_EQ(hintText, L"How strong it is");
    EXPECT_TRUE(hintForced);
    EXPECT_EQ(list->GetHoveredRow(), 0);
    // Column 2 has no hint: the list's hint goes away.
    Move(left + list->GetColumns()[0].width + list->GetColumns()[1].width + 5, y);
    EXPECT_EQ(list->GetHint(), nullptr);
    // Leaving the list forgets its row and column: no header stays lit.
    Move(left + 5, 5000);
    EXPECT_EQ(list->GetHoveredColumn(), -1);
    EXPECT_EQ(list->GetHoveredRow(), -1);
}

// A cell too wide for its column keeps its start and ends in an ellipsis; over it the hint
// holds the whole cell, then the column's hint. A column can take from the others what
// its widest cell needs.
TEST_F(ListBox, ACellTooWideShowsItsStartAndTheHintHoldsItWholeAndAColumnCanFitItsCells)
{
    CDXUTListBox* list = AddList();
    const std::wstring name = L"Seetransportgruppe Hamburg";
    list->AddItem(name + L";40%;1x1", nullptr);
    list->AddItem(L"Stuka;100%;21-9-1939", nullptr);
    device.ClearCalls();
    Render(1.0f);
    cTexture* gui = dialog.GetTexture(0)->pTexture.get();
    const sRect text = list->GetTextRect();
    int cells = 0;
    for (const sQuad& q : device.Quads())
        if (q.texture != gui && q.corners[0].y >= float(text.top) && q.corners[0].x < float(text.left + 5)) {
            ++cells;
            EXPECT_EQ(q.src.left, 0.0f);
            EXPECT_LE(q.corners[2].x, float(text.left + list->GetColumns()[0].width));
        }
    EXPECT_EQ(cells, 2);
    Move(text.left + 5, RowY(list, 0));
    EXPECT_EQ(hintText, name + L"\n" + L"The unit's name");
    Move(text.left + 5, RowY(list, 1));
    EXPECT_EQ(hintText, L"The unit's name") << "a cell that fits";

    list->SetColumns(3, L"Ship;Strength;Sunk on", 45, 40, 15);
    cFont* font = dialog.GetFontObject(list->GetElement(0)->iFont);
    ASSERT_NE(font, nullptr);
    const int date = font->TextWidth(L"21-9-1939");
    int total = 0;
    for (const DXUTListBoxColumn& column : list->GetColumns())
        total += column.width;
    ASSERT_GT(date, list->GetColumns()[2].width);
    list->FitColumnToCells(2);
    EXPECT_GE(list->GetColumns()[2].width, date);
    int after = 0;
    for (const DXUTListBoxColumn& column : list->GetColumns())
        after += column.width;
    EXPECT_EQ(after, total);
}

// Without columns there is no header: the rows start at the top, and as many show.
TEST_F(ListBox, AListWithoutColumnsShowsItsRowsFromItsTop)
{
    dialog.AddListBoxFromLayout(110, 0);
    auto* list = static_cast<CDXUTListBox*>(dialog.GetControl(110));
    const sRect& rows = list->GetSelectionRect();
    EXPECT_EQ(list->GetTextRect().top, rows.top);
    EXPECT_EQ(list->GetScrollBar().GetPageSize(), rows.Height() / list->GetRowHeight());
    list->SetColumns(2, L"Country;Since", 50, 50);
    EXPECT_EQ(list->GetTextRect().top, rows.top + dialog.GetFontHeight(list->GetElement(0)->iFont))
        << "a header above the rows";
}

TEST_F(ListBox, ADoubleClickSelectsWithTheFirstClickAndReportsTheSecond)
{
    CDXUTListBox* list = AddList();
    list->AddItem(L"a;1%", nullptr);
    list->AddItem(L"b;2%", nullptr);
    int x = list->GetTextRect().left + 5;
    int y = RowY(list, 1);
    Move(x, y);
    Down(x, y);
    Up(x, y);
    Mouse(WM_LBUTTONDBLCLK, x, y);
    Up(x, y);
    EXPECT_EQ(events, (std::vector<sSeenEvent>{{EVENT_LISTBOX_SELECTION, 109}, {EVENT_LISTBOX_ITEM_DBLCLK, 109}}));
    EXPECT_EQ(sounds, events);
    EXPECT_EQ(list->GetSelectedIndex(), 1);
}

TEST_F(ListBox, KeysMoveTheSelectionWithinTheItems)
{
    CDXUTListBox* list = AddList();
    CDXUTDialog::RequestFocus(list);
    EXPECT_TRUE(KeyDown(VK_DOWN)) << "an empty list uses the keys";
    EXPECT_TRUE(events.empty());
    for (int i = 0; i < 30; ++i)
        list->AddItem(std::to_wstring(i), nullptr);
    int page = list->GetScrollBar().GetPageSize();
    ASSERT_GT(page, 2);
    KeyDown(VK_DOWN);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    KeyDown(VK_NEXT);
    EXPECT_EQ(list->GetSelectedIndex(), page - 1);
    KeyDown(VK_END);
    EXPECT_EQ(list->GetSelectedIndex(), 29);
    EXPECT_EQ(list->GetScrollBar().GetTrackPos(), 30 - page);
    EXPECT_TRUE(KeyDown(VK_DOWN)); // at the end: used, no event
    EXPECT_EQ(events.size(), 3u);
    KeyDown(VK_HOME);
    EXPECT_EQ(list->GetScrollBar().GetTrackPos(), 0);
    EXPECT_FALSE(list->HandleKeyboard(WM_KEYDOWN, VK_LEFT, 0));
}

TEST_F(ListBox, MultiSelectionTogglesWithCtrlAndSpansWithShift)
{
    CDXUTListBox* list = AddList(DXUTLISTBOX_MULTISELECTION);
    for (int i = 0; i < 6; ++i)
        list->AddItem(std::to_wstring(i), nullptr);
    int x = list->GetTextRect().left + 5;
    Click(x, RowY(list, 1));
    keys[VK_CONTROL] = true;
    Click(x, RowY(list, 3));
    keys[VK_CONTROL] = false;
    std::vector<int> selected;
    for (int i = list->GetSelectedIndex(); i != -1; i = list->GetSelectedIndex(i))
        selected.push_back(i);
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));

    keys[VK_SHIFT] = true;
    Click(x, RowY(list, 5));
    keys[VK_SHIFT] = false;
    selected.clear();
    for (int i = list->GetSelectedIndex(); i != -1; i = list->GetSelectedIndex(i))
        selected.push_back(i);
    EXPECT_EQ(selected, (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(list->GetSelectedIndex(-2), -1);

    // A plain click leaves one.
    Click(x, RowY(list, 0));
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(list->GetSelectedIndex(0), -1);

    // Dragging over rows selects the range from the press.
    Move(x, RowY(list, 1));
    Down(x, RowY(list, 1));
    Move(x, RowY(list, 3));
    Up(x, RowY(list, 3));
    selected.clear();
    for (int i = list->GetSelectedIndex(); i != -1; i = list->GetSelectedIndex(i))
        selected.push_back(i);
    EXPECT_EQ(selected, (std::vector<int>{1, 2, 3}));
}

} // namespace
