#pragma once
// Something on the map that shows a hint under the mouse: the hint display asks it for the
// size of its hint, then has it draw the hint with its top-left corner at a screen point.
// The display keeps the place itself, where the mouse is, so the hint needs only its size.
class cHoverable
{
public:
    virtual ~cHoverable() = default;
    virtual void GetHintSize(int& width, int& height) const
    {
        width = 0;
        height = 0;
    }
    virtual void DrawHint(float, float) const {}
};
