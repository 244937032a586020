#include "tools/layoutgen/layout_description.h"

#include "gui/gui_atlas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>

namespace layoutgen {

namespace {

constexpr int kBaseWidth = 1024, kBaseHeight = 768;

std::string Trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return "";
    const size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

std::vector<std::string> Split(const std::string& s, char by)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, by))
        parts.push_back(Trim(part));
    return parts;
}

bool ParseInt(const std::string& s, int& out)
{
    if (s.empty())
        return false;
    size_t used = 0;
    try {
        out = std::stoi(s, &used);
    } catch (...) {
        return false;
    }
    return used == s.size();
}

// Applies one tag to a row or to a window's defaults; false when the tag is unknown.
bool ApplyTag(const std::string& tag, sRow& row)
{
    if (tag == "left") row.horizontal = eAnchor::Near;
    else if (tag == "centre") row.horizontal = eAnchor::Middle;
    else if (tag == "right") row.horizontal = eAnchor::Far;
    else if (tag == "wide") row.horizontal = eAnchor::Stretch;
    else if (tag == "top") row.vertical = eAnchor::Near;
    else if (tag == "middle") row.vertical = eAnchor::Middle;
    else if (tag == "bottom") row.vertical = eAnchor::Far;
    else if (tag == "tall") row.vertical = eAnchor::Stretch;
    else if (tag == "margins") row.fields = eFields::Margins;
    else if (tag == "x-only") row.fields = eFields::XOnly;
    else if (tag == "edges") row.fields = eFields::Edges;
    else if (tag == "as-is") row.fields = eFields::AsIs;
    else if (tag == "window-button-grid") row.fields = eFields::WindowButtonGrid;
    else if (tag.rfind("drawn-for=", 0) == 0) {
        row.fields = eFields::DrawnFor;
        try {
            row.forRow = std::stoi(tag.substr(10));
        } catch (...) {
            return false;
        }
    }
    else if (tag == "over") row.over = true;
    else if (tag.rfind("page=", 0) == 0 && tag.size() > 5) row.page = tag.substr(5);
    else return false;
    return true;
}

std::string At(int line) { return "line " + std::to_string(line) + ": "; }

// One coordinate of the 1024 x 768 layout on a screen of `size` pixels along that axis.
double Place(double value, eAnchor anchor, bool farEdge, int base, int size, double scale)
{
    if (anchor == eAnchor::Stretch)
        anchor = farEdge ? eAnchor::Far : eAnchor::Near;
    switch (anchor) {
    case eAnchor::Near: return value * scale;
    case eAnchor::Middle: return size / 2.0 + (value - base / 2.0) * scale;
    default: return size - (base - value) * scale;
    }
}

int Round(double v) { return int(std::lround(v)); }

sPlaced PlaceRow(const sRow& row, int width, int height, double scale)
{
    sPlaced out{row.id, row.x, row.y, row.width, row.height};
    auto px = [&](double v, bool farEdge) { return Round(Place(v, row.horizontal, farEdge, kBaseWidth, width, scale)); };
    auto py = [&](double v, bool farEdge) { return Round(Place(v, row.vertical, farEdge, kBaseHeight, height, scale)); };
    auto length = [&](int v) { return Round(v * scale); };
    switch (row.fields) {
    case eFields::AsIs:
    case eFields::DrawnFor: break; // after every control is placed
    case eFields::WindowButtonGrid: {
        const gui_atlas::sRect grid = gui_atlas::WindowButtonGrid(length(row.width));
        out = {row.id, grid.left, grid.top, grid.Width(), grid.Height()};
        break;
    }
    case eFields::Margins:
        out = {row.id, length(row.x), length(row.y), length(row.width), length(row.height)};
        break;
    case eFields::XOnly: {
        const int left = px(row.x, false);
        out = {row.id, left, length(row.y), px(row.x + row.width, true) - left, length(row.height)};
        break;
    }
    case eFields::Edges:
        out = {row.id, px(row.x, false), py(row.y, false), px(row.width, true), py(row.height, true)};
        break;
    case eFields::Rect: {
        const int left = px(row.x, false), top = py(row.y, false);
        out = {row.id, left, top, px(row.x + row.width, true) - left, py(row.y + row.height, true) - top};
        break;
    }
    }
    return out;
}

bool Inside(const sPlaced& a, int left, int top, int right, int bottom)
{
    return a.width > 0 && a.height > 0 && a.x >= left && a.y >= top && a.x + a.width <= right &&
           a.y + a.height <= bottom;
}

bool Overlap(const sPlaced& a, const sPlaced& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

} // namespace

sDescription ParseDescription(const std::string& text, std::vector<std::string>& errors)
{
    sDescription d;
    std::istringstream in(text);
    std::string raw;
    int line = 0;
    sRow defaults;
    while (std::getline(in, raw)) {
        ++line;
        std::string s = Trim(raw.substr(0, raw.find('#')));
        if (s.empty())
            continue;
        std::vector<std::string> words;
        {
            std::istringstream w(s);
            std::string word;
            while (w >> word)
                words.push_back(word);
        }
        if (words[0] == "sizes") {
            for (size_t k = 1; k < words.size(); ++k) {
                int w = 0, h = 0;
                char x = 0, extra = 0;
                if (std::sscanf(words[k].c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3 || x != 'x' || w < kBaseWidth / 2 ||
                    h < kBaseHeight / 2)
                    errors.push_back(At(line) + "\"" + words[k] + "\" is not a screen size such as 1920x1080");
                else
                    d.sizes.push_back({w, h});
            }
        } else if (words[0] == "window") {
            if (words.size() < 2) {
                errors.push_back(At(line) + "a window needs a name");
                continue;
            }
            sWindow window;
            window.name = words[1];
            window.line = line;
            defaults = sRow{};
            defaults.horizontal = defaults.vertical = eAnchor::Middle;
            for (size_t k = 2; k < words.size(); ++k) {
                if (words[k] == "unscaled")
                    window.unscaled = true;
                else if (words[k] == "unframed")
                    window.framed = false;
                else if (words[k] == "unchecked")
                    window.checked = false;
                else if (!ApplyTag(words[k], defaults))
                    errors.push_back(At(line) + "unknown word \"" + words[k] + "\"");
            }
            for (const sWindow& other : d.windows)
                if (other.name == window.name)
                    errors.push_back(At(line) + "a second window named " + window.name);
            d.windows.push_back(window);
        } else if (words[0] == "font") {
            const std::vector<std::string> f = Split(s.substr(4), ';');
            sFontRow font;
            if (f.size() != 10 || !ParseInt(f[0], font.number) || !ParseInt(f[2], font.height) || font.number < 1 ||
                font.number > 8 || font.height <= 0) {
                errors.push_back(At(line) + "a font is n;face;height;weight;r1;g1;b1;r2;g2;b2");
                continue;
            }
            font.face = f[1];
            for (size_t k = 3; k < f.size(); ++k)
                font.rest += (k > 3 ? ";" : "") + f[k];
            d.fonts.push_back(font);
        } else {
            if (d.windows.empty()) {
                errors.push_back(At(line) + "a row before the first window");
                continue;
            }
            const std::vector<std::string> f = Split(words[0], ';');
            sRow row = defaults;
            row.line = line;
            if (f.size() != 5 || !ParseInt(f[0], row.id) || !ParseInt(f[1], row.x) || !ParseInt(f[2], row.y) ||
                !ParseInt(f[3], row.width) || !ParseInt(f[4], row.height) || row.id < 0 || row.id >= 1500) {
                errors.push_back(At(line) + "a row is id;x;y;width;height with an id from 0 to 1499");
                continue;
            }
            for (size_t k = 1; k < words.size(); ++k)
                if (!ApplyTag(words[k], row))
                    errors.push_back(At(line) + "unknown word \"" + words[k] + "\"");
            for (const sWindow& window : d.windows)
                for (const sRow& other : window.rows)
                    if (other.id == row.id)
                        errors.push_back(At(line) + "row " + std::to_string(row.id) + " is already given on line " +
                                         std::to_string(other.line));
            d.windows.back().rows.push_back(row);
        }
    }
    if (d.sizes.empty())
        errors.push_back("no screen sizes");
    for (const sWindow& window : d.windows)
        for (const sRow& row : window.rows) {
            if (row.fields != eFields::DrawnFor)
                continue;
            bool known = false;
            for (const sWindow& other : d.windows)
                for (const sRow& control : other.rows)
                    known = known || control.id == row.forRow;
            if (!known)
                errors.push_back(At(row.line) + "row " + std::to_string(row.id) + " is drawn for row " +
                                 std::to_string(row.forRow) + ", which is not given");
            if (gui_atlas::OriginalPicture(row.id).Width() == 0)
                errors.push_back(At(row.line) + "row " + std::to_string(row.id) + " is not a picture drawn at several sizes");
        }
    return d;
}

double LayoutScale(int width, int height)
{
    return std::min(double(width) / kBaseWidth, double(height) / kBaseHeight);
}

sLayout PlaceForScreen(const sDescription& description, int width, int height)
{
    sLayout layout;
    layout.width = width;
    layout.height = height;
    const double scale = LayoutScale(width, height);
    for (const sWindow& window : description.windows)
        for (const sRow& row : window.rows)
            layout.rows.push_back(PlaceRow(row, width, height, window.unscaled ? 1.0 : scale));
    // A picture drawn at several sizes: the original where its control has the size it has on
    // the 1024 x 768 screen, which the original was made for; otherwise the size drawn nearest
    // to the control's.
    auto placed = [&](int id, int w, int h) -> std::optional<sPlaced> {
        for (const sWindow& window : description.windows)
            for (const sRow& row : window.rows)
                if (row.id == id)
                    return PlaceRow(row, w, h, window.unscaled ? 1.0 : LayoutScale(w, h));
        return std::nullopt;
    };
    size_t index = 0;
    for (const sWindow& window : description.windows)
        for (const sRow& row : window.rows) {
            sPlaced& out = layout.rows[index++];
            if (row.fields != eFields::DrawnFor)
                continue;
            const std::optional<sPlaced> shown = placed(row.forRow, width, height);
            const std::optional<sPlaced> base = placed(row.forRow, kBaseWidth, kBaseHeight);
            if (!shown || !base || (shown->width == base->width && shown->height == base->height))
                continue;
            const gui_atlas::sRect drawn = gui_atlas::NearestDrawnPicture(row.id, shown->width, shown->height);
            out = {row.id, drawn.left, drawn.top, drawn.Width(), drawn.Height()};
        }
    // Texts keep their share of the screen; rounded down so that a text that fits its
    // control at 1024 x 768 still fits it.
    for (sFontRow font : description.fonts) {
        font.height = std::max(1, int(std::floor(font.height * scale + 1e-9)));
        layout.fonts.push_back(font);
    }
    return layout;
}

std::vector<std::string> CheckLayout(const sDescription& description, const sLayout& layout)
{
    std::vector<std::string> faults;
    const std::string size = std::to_string(layout.width) + "x" + std::to_string(layout.height);
    size_t index = 0;
    for (const sWindow& window : description.windows) {
        const size_t first = index;
        index += window.rows.size();
        if (!window.checked || window.rows.empty())
            continue;
        auto say = [&](const std::string& what) { faults.push_back(size + ": " + window.name + ": " + what); };
        auto name = [&](size_t k) { return "row " + std::to_string(window.rows[k].id) + " (line " + std::to_string(window.rows[k].line) + ")"; };
        const sPlaced& frame = layout.rows[first];
        const bool framed = window.framed && window.rows[0].fields == eFields::Rect;
        for (size_t k = 0; k < window.rows.size(); ++k) {
            if (window.rows[k].fields != eFields::Rect)
                continue;
            const sPlaced& r = layout.rows[first + k];
            if (!Inside(r, 0, 0, layout.width, layout.height))
                say(name(k) + " leaves the screen");
            else if (framed && k > 0 && !Inside(r, frame.x, frame.y, frame.x + frame.width, frame.y + frame.height))
                say(name(k) + " leaves its window");
        }
        for (size_t a = framed ? 1 : 0; a < window.rows.size(); ++a)
            for (size_t b = a + 1; b < window.rows.size(); ++b) {
                const sRow& p = window.rows[a];
                const sRow& q = window.rows[b];
                if (p.fields != eFields::Rect || q.fields != eFields::Rect || p.over || q.over)
                    continue;
                if (!p.page.empty() && !q.page.empty() && p.page != q.page)
                    continue;
                if (Overlap(layout.rows[first + a], layout.rows[first + b]))
                    say(name(a) + " and " + name(b) + " overlap");
            }
    }
    return faults;
}

std::string LayoutFileText(const sLayout& layout)
{
    std::ostringstream out;
    out << "# Control layout for a " << layout.width << " x " << layout.height
        << " screen, written by velmorant-layoutgen from tools/layoutgen/windows.txt (edit that, not this)."
        << " Each row below: id;x;y;width;height (pixels; dialog coordinates for controls, texture pixels of GUI.png"
        << " for the picture areas 3 to 58, where a top from 2048 on lies on its further pages).\n";
    for (const sPlaced& r : layout.rows)
        out << r.id << ';' << r.x << ';' << r.y << ';' << r.width << ';' << r.height << "\n";
    out << "# Fonts, after the line above: n;face;height;weight;r1;g1;b1;r2;g2;b2\n";
    out << "# (weight 0..100: 50 regular, 75 bold; colour 1 is the text, colour 2 the highlight)\n";
    for (const sFontRow& f : layout.fonts)
        out << f.number << ';' << f.face << ';' << f.height << ';' << f.rest << "\n";
    return out.str();
}

} // namespace layoutgen
