#include "gui/layout.h"

#include <algorithm>
#include <cstdint>
#include <regex>

#include <vector>

#include "core/fatal.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/text.h"
#include "platform/paths.h"

namespace {

std::array<sLayoutRect, kGuiLayoutRows> InitialLayout()
{
    std::array<sLayoutRect, kGuiLayoutRows> rows;
    for (int i = 0; i < 1000; ++i)
        rows[i] = sLayoutRect{-1, -1, -1, -1};
    return rows;
}

// The C library's reading of a decimal integer: leading white space, a sign, digits up to
// the first other character; no digits give 0.
int ReadNumber(const std::wstring& field)
{
    std::string narrow;
    for (wchar_t c : field)
        narrow += (c < 128) ? char(c) : '?';
    return AtoiLike(narrow);
}

// A place, size, font height or weight held to the 16 bits of a window position: the mouse
// reaches no farther, and the sums and products the controls make of them cannot overflow.
int ReadCoordinate(const std::wstring& field) { return std::clamp(ReadNumber(field), -32768, 32767); }

bool IsSeparator(const std::wstring& line) { return !line.empty() && line[0] == L'#'; }

// The rows that hold rectangles the game draws itself (panel areas, map frames).
bool IsCornerRow(int id) { return id == 1 || (id >= 3 && id <= 9) || (id >= 16 && id <= 56); }

void ReadFontLine(const std::wstring& line, int& lastNumber)
{
    std::vector<std::wstring> fields = SplitText(line, L';');
    int n = ReadNumber(fields[0]);
    lastNumber = n;
    if (n < 1 || n > kGuiFontCount)
        return;
    sGuiFont& font = g_GuiFonts[n - 1];
    if (fields.size() > 1)
        font.face = fields[1];
    if (fields.size() > 2)
        font.height = ReadCoordinate(fields[2]);
    if (fields.size() > 3)
        font.weight = ReadCoordinate(fields[3]) * 8 + 100;
    // Two colours of three fields each (red, green, blue); a present colour is opaque, and a
    // missing field keeps that component.
    tColor* colors[2] = {&font.color1, &font.color2};
    for (size_t c = 0; c < 2; ++c) {
        size_t first = 4 + 3 * c;
        if (fields.size() <= first)
            break;
        tColor& color = *colors[c];
        color |= 0xFF000000u;
        for (size_t k = 0; k < 3 && first + k < fields.size(); ++k) {
            int shift = 16 - 8 * int(k);
            color = (color & ~(tColor(0xFF) << shift)) | ((tColor(ReadNumber(fields[first + k])) & 0xFF) << shift);
        }
    }
}

} // namespace

std::array<sLayoutRect, kGuiLayoutRows> g_GuiLayout = InitialLayout();
std::array<sGuiFont, kGuiFontCount> g_GuiFonts;
sRect g_MinimapOutline;

std::wstring GuiLayoutFileName(int width, int height) { return FormatText(L"data\\GUI_%ix%i.csv", width, height); }

void ConvertLayoutRectToCorners(int id)
{
    if (id < 0 || id >= kGuiLayoutRows)
        return;
    g_GuiLayout[id].width += g_GuiLayout[id].x;
    g_GuiLayout[id].height += g_GuiLayout[id].y;
}

void ResetGuiLayout()
{
    g_GuiLayout = InitialLayout();
    for (auto& font : g_GuiFonts)
        font = sGuiFont{};
    g_MinimapOutline = sRect{};
}

bool LoadGuiLayoutFile(const std::filesystem::path& file, const std::wstring& name)
{
    // Whole lines, however long: a reader of 1000 characters would make the tail of a
    // longer line a row of its own.
    std::optional<std::vector<std::wstring>> read = ReadTextLines(file);
    if (!read)
        return false;
    const std::vector<std::wstring>& lines = *read;

    for (int i = 0; i < 1000; ++i)
        g_GuiLayout[i] = sLayoutRect{-1, -1, -1, -1};

    size_t at = 0;
    // A header up to and including the first separator line.
    while (at < lines.size() && !IsSeparator(lines[at]))
        ++at;
    if (at < lines.size())
        ++at;
    // Control rectangles, up to the next separator line.
    for (; at < lines.size() && !IsSeparator(lines[at]); ++at) {
        std::vector<std::wstring> fields = SplitText(lines[at], L';');
        int id = ReadNumber(fields[0]);
        if (id < 0 || id >= kGuiLayoutRows)
            continue;
        sLayoutRect& row = g_GuiLayout[id];
        int* values[4] = {&row.x, &row.y, &row.width, &row.height};
        for (size_t f = 1; f < fields.size() && f <= 4; ++f)
            *values[f - 1] = ReadCoordinate(fields[f]);
    }
    // Fonts; separator lines between them are skipped.
    int lastFontNumber = 0;
    for (; at < lines.size(); ++at) {
        if (IsSeparator(lines[at]))
            continue;
        ReadFontLine(lines[at], lastFontNumber);
    }
    if (lastFontNumber < kGuiFontCount) {
        // Fewer than eight fonts: the eighth is the seventh at three quarters of its height.
        sGuiFont& last = g_GuiFonts[kGuiFontCount - 1];
        const sGuiFont& source = g_GuiFonts[kGuiFontCount - 2];
        last.face = source.face;
        last.height = int(source.height * 0.75);
        last.weight = source.weight;
        last.slot = source.slot;
        last.color1 = source.color1;
        last.color2 = source.color2;
    }
    LogLine(L"Loading GUI coordinates nad fonts from \"%s\"... OK", name);

    for (int id = 0; id < kGuiLayoutRows; ++id)
        if (IsCornerRow(id))
            ConvertLayoutRectToCorners(id);
    const sLayoutRect& minimap = g_GuiLayout[315];
    g_MinimapOutline = sRect{minimap.x - 2, minimap.y - 2, minimap.x + minimap.width + 4, minimap.y + minimap.height + 4};
    return true;
}

std::vector<std::pair<int, int>> LayoutFileSizes(const std::filesystem::path& folder)
{
    std::vector<std::pair<int, int>> sizes;
    const std::wregex layoutFile(L"GUI_([0-9]{1,5})x([0-9]{1,5})\\.csv");
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::wsmatch match;
        // Read as the UTF-8 it is: the C library's own conversion throws at a letter beyond ASCII.
        const std::wstring name = Utf8ToWide(entry.path().filename().string());
        if (entry.is_regular_file(error) && std::regex_match(name, match, layoutFile))
            sizes.push_back({std::stoi(match[1].str()), std::stoi(match[2].str())});
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

std::pair<int, int> FullScreenSize(int desktopWidth, int desktopHeight, const std::vector<std::pair<int, int>>& layouts,
                                   std::pair<int, int> configured)
{
    std::pair<int, int> best{0, 0};
    for (const auto& size : layouts) {
        if (size == std::make_pair(desktopWidth, desktopHeight))
            return size;
        if (size.first <= desktopWidth && size.second <= desktopHeight &&
            int64_t(size.first) * size.second > int64_t(best.first) * best.second)
            best = size;
    }
    return best.first > 0 ? best : configured;
}

std::pair<int, int> WindowedSize(int usableWidth, int usableHeight, const std::vector<std::pair<int, int>>& layouts,
                                 std::pair<int, int> configured)
{
    if (configured.first <= usableWidth && configured.second <= usableHeight)
        return configured;
    return FullScreenSize(usableWidth, usableHeight, layouts, configured);
}

void LoadGuiLayout()
{
    std::wstring name = GuiLayoutFileName(g_UserSettings.resolutionX, g_UserSettings.resolutionY);
    if (!LoadGuiLayoutFile(HostPath(name), name))
        FatalExit(1, FormatText(L"Loading GUI coordinates from \"%s\"... FAILED", name));
}
