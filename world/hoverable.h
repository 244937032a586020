#pragma once
// Something on the map that shows a hint under the mouse.
class cHoverable
{
public:
    virtual ~cHoverable() = default;
    // Where the hint stands, in screen pixels.
    virtual void GetHintPosition(int& x, int& y) const { x = 0; y = 0; }
    virtual void DrawHint() {}
};
