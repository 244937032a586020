#pragma once
// The control layout of one screen resolution: a rectangle per control id and the eight
// GUI fonts, read once at start-up from "data\GUI_<width>x<height>.csv".
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/font.h"
#include "platform/geometry.h"

constexpr int kGuiLayoutRows = 1500;
constexpr int kGuiFontCount = 8;

// One row. The rows that the game draws itself (see ConvertLayoutRectToCorners) hold
// left, top, right, bottom in these four fields after loading.
struct sLayoutRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const sLayoutRect&) const = default;
};

struct sGuiFont
{
    std::wstring face;
    int height = 0;
    int weight = 0; // 100 thin .. 900 black
    int slot = 0;   // the dialog font slot it fills
    tColor color1 = 0;
    tColor color2 = 0;
    std::unique_ptr<cFont> font; // made by the device callbacks
};

// Rows 0 to 999 start at -1 in every field, the others at 0.
extern std::array<sLayoutRect, kGuiLayoutRows> g_GuiLayout;
extern std::array<sGuiFont, kGuiFontCount> g_GuiFonts;
// The frame the game draws around control 315 (the minimap), in corner form.
extern sRect g_MinimapOutline;

// "data\GUI_%ix%i.csv" for a resolution.
std::wstring GuiLayoutFileName(int width, int height);
// The screen sizes that have a layout file in the folder, sorted by width, then height.
std::vector<std::pair<int, int>> LayoutFileSizes(const std::filesystem::path& folder);
// The back buffer of a full screen on a desktop of that size: the desktop's own size when a
// layout exists for it, else the largest layout that fits it (shown letterboxed), else the
// configured size (scaled down to the desktop).
std::pair<int, int> FullScreenSize(int desktopWidth, int desktopHeight, const std::vector<std::pair<int, int>>& layouts,
                                   std::pair<int, int> configured);
// The size of a window on a desktop whose usable area (without the desktop's own panels) is
// given: the configured size when it fits, else the largest layout that fits, else the
// configured size.
std::pair<int, int> WindowedSize(int usableWidth, int usableHeight, const std::vector<std::pair<int, int>>& layouts,
                                 std::pair<int, int> configured);
// Reads the layout of the configured resolution. A missing file ends the program
// with exit code 1 after its log line.
void LoadGuiLayout();
// Reads one layout file (shown in the log under its name). False when it cannot be
// opened; the tables are then unchanged.
bool LoadGuiLayoutFile(const std::filesystem::path& file, const std::wstring& name);
// Turns row id from x, y, width, height into left, top, right, bottom.
void ConvertLayoutRectToCorners(int id);
// Puts both tables back to their state before loading (tests).
void ResetGuiLayout();
