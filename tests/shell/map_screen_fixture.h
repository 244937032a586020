#pragma once
// The game screen's map of Europe 1939 drawn offscreen at 1024 x 768: the window's own
// renderer, the skins of data/gfx, the scenario loaded as the game loads it, every unit in
// sight and Germany moving.
#include <cstdint>
#include <memory>
#include <vector>

class cGra;
class cMapa;
class cSdlRenderer;
class cWindow;

namespace map_screen {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

class cMapScreen
{
public:
    cMapScreen();
    ~cMapScreen();

    // False (with a failure reported) when the window, the renderer or the game cannot be made.
    bool Open();
    cGra* Game() const { return m_Game; }
    cMapa& Map() const;
    cSdlRenderer* Device() const { return m_Device.get(); }

    // The view centred on a hex at a scale (1 is full size), arrived and settled.
    void Look(int column, int row, float scale);
    // One frame of the game screen, with the minimap in its corner.
    void DrawFrame();
    std::vector<uint32_t> Pixels();

private:
    std::unique_ptr<cWindow> m_Window;
    std::unique_ptr<cSdlRenderer> m_Device;
    cGra* m_Game = nullptr;
};

} // namespace map_screen
