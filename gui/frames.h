#pragma once
// Decorative and structural controls: a nine-piece frame in one of three styles, a tab
// frame whose tabs show and hide ranges of controls, and a progress bar.
#include <memory>
#include <string>
#include <vector>

#include "gui/control.h"

constexpr int kFrameStyleCount = 3;

class CDXUTFrame : public CDXUTControl
{
public:
    explicit CDXUTFrame(CDXUTDialog* dialog = nullptr);

    void UpdateRects() override;
    void Render(cRenderer* device, float elapsed) override;
    // The cell size of a frame style (0 for a style that does not exist).
    static int CellSize(int style);
    const sRect& GetPiece(int n) const { return m_rcPieces[n]; }

private:
    sRect m_rcPieces[9]; // centre, top-left, top, top-right, left, right, bottom-left, bottom, bottom-right
};

struct DXUTTabFrameTab
{
    std::wstring caption; // at most 255 characters
    int captionWidth = 0;
    int value = 0;
    int firstId = 0;
    int lastId = 0;
};

class CDXUTTabFrame : public CDXUTControl
{
public:
    explicit CDXUTTabFrame(CDXUTDialog* dialog = nullptr);

    bool CanHaveFocus() override { return m_bVisible && m_bEnabled; }
    // Its pages lie on it.
    bool RaisedByFocus() const override { return false; }
    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    void UpdateRects() override;
    void Render(cRenderer* device, float elapsed) override;

    tResult AddTab(const wchar_t* caption, int value, int firstId, int lastId);
    void SelectTab(int index, bool notify);
    int GetSelectedIndex(int previous = -1) const { return previous < -1 ? -1 : m_nSelected; }
    void RemoveAllTabs();
    int GetTabCount() const { return int(m_Tabs.size()); }
    const DXUTTabFrameTab* GetTab(int index) const
    {
        return index >= 0 && index < GetTabCount() ? m_Tabs[size_t(index)].get() : nullptr;
    }
    const sRect& GetStripRect() const { return m_rcStrip; }

private:
    void ShowRange(int tab, bool visible);

    sRect m_rcStrip;
    int m_nPadding = 5;
    int m_nSelected = -1;
    std::vector<std::unique_ptr<DXUTTabFrameTab>> m_Tabs;
};

class CDXUTProgressBar : public CDXUTControl
{
public:
    explicit CDXUTProgressBar(CDXUTDialog* dialog = nullptr);

    void UpdateRects() override;
    void Render(cRenderer* device, float elapsed) override;

    void SetRange(int min, int max);
    void SetValue(int value);
    int GetValue() const { return m_nValue; }
    int GetFillWidth() const { return m_nFillWidth; }

    int m_nValue = 50;
    int m_nMin = 0;
    int m_nMax = 100;

private:
    int m_nFillWidth = 0;
};
