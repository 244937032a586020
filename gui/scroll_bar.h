#pragma once
// The scroll bar inside combo boxes, list boxes and memos: arrows that step and repeat
// while held, a track that pages, and a thumb that drags.
#include "gui/control.h"

class CDXUTScrollBar : public CDXUTControl
{
public:
    explicit CDXUTScrollBar(CDXUTDialog* dialog = nullptr);

    bool HandleMouse(unsigned message, int x, int y, tWParam wParam, tLParam lParam) override;
    void Render(cRenderer* device, float elapsed) override;
    void UpdateRects() override;

    void SetTrackRange(int start, int end);
    int GetTrackPos() const { return m_nPosition; }
    void SetTrackPos(int position);
    int GetPageSize() const { return m_nPageSize; }
    void SetPageSize(int pageSize);
    int GetTrackStart() const { return m_nStart; }
    int GetTrackEnd() const { return m_nEnd; }
    void Scroll(int delta);
    void ShowItem(int index);

    bool IsThumbShown() const { return m_bShowThumb; }
    const sRect& GetUpButtonRect() const { return m_rcUpButton; }
    const sRect& GetDownButtonRect() const { return m_rcDownButton; }
    const sRect& GetTrackRect() const { return m_rcTrack; }
    const sRect& GetThumbRect() const { return m_rcThumb; }

    // The thumb drag is one for all scroll bars.
    static void CancelThumbDrag() { s_bDrag = false; }

private:
    enum eArrowState { CLEAR, CLICKED_UP, CLICKED_DOWN, HELD_UP, HELD_DOWN };
    void UpdateThumbRect();
    void Cap();
    // Scrolls by step while the arrow is held: once after a pause, then quickly.
    void RepeatArrow(int step, eArrowState clicked, eArrowState held, double now);

    bool m_bShowThumb = true;
    sRect m_rcUpButton;
    sRect m_rcDownButton;
    sRect m_rcTrack;
    sRect m_rcThumb;
    int m_nPosition = 0;
    int m_nPageSize = 1;
    int m_nStart = 0;
    int m_nEnd = 1;
    int m_LastMouseX = 0;
    int m_LastMouseY = 0;
    eArrowState m_Arrow = CLEAR;
    double m_dArrowTS = 0;

    static bool s_bDrag;
    static int s_nThumbOffsetY;
};
