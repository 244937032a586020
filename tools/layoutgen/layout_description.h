#pragma once
// The description of every window and panel, from which the layout file of each screen
// size is written: where each control sits at 1024 x 768, what it is anchored to, and how
// it grows on a larger screen.
#include <map>
#include <string>
#include <vector>

namespace layoutgen {

// Where a coordinate follows the screen (or its window) from: the near edge, the middle,
// the far edge, or both edges (the rectangle grows with the screen).
enum class eAnchor { Near, Middle, Far, Stretch };

// What the four fields of a row hold.
enum class eFields {
    Rect,    // x, y, width, height of a control on the screen
    Margins, // four lengths (margins, sizes): only scaled
    XOnly,   // x is a position on the screen, the rest are lengths
    Edges,   // x, y, right, bottom: edges measured from the screen's top left
    AsIs,    // texture pixels and the like: written unchanged
    WindowButtonGrid, // the window buttons' first cell in GUI.png, drawn at the size the screen needs
    DrawnFor,         // a picture area of GUI.png drawn at several sizes: the one for the control `forRow`
};

struct sRow {
    int id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    eFields fields = eFields::Rect;
    eAnchor horizontal = eAnchor::Near;
    eAnchor vertical = eAnchor::Near;
    int forRow = 0;     // DrawnFor: the control that shows the picture
    bool over = false;  // a background or frame that other controls lie on
    std::string page;   // controls of different pages are never shown together
    int line = 0;       // of the description, for messages
};

struct sWindow {
    std::string name;
    bool unscaled = false; // drawn at its own size whatever the screen
    std::vector<sRow> rows; // the first is the window itself, unless it is a set of rows
    bool checked = true;    // false for the screen and texture rows
    bool framed = true;     // false: a screen of controls without a window around them
    int line = 0;
};

struct sFontRow {
    int number = 0;
    std::string face;
    int height = 0;
    std::string rest; // weight and colours, written unchanged
};

struct sDescription {
    std::vector<std::pair<int, int>> sizes; // every screen size a file is written for
    std::vector<sWindow> windows;
    std::vector<sFontRow> fonts;
};

// Reads the description; `errors` gets one line per fault ("line N: ...").
sDescription ParseDescription(const std::string& text, std::vector<std::string>& errors);

// The rows of one screen size, in the description's order, each as id, x, y, width, height.
struct sPlaced {
    int id;
    int x, y, width, height;
};
struct sLayout {
    int width = 0, height = 0;
    std::vector<sPlaced> rows;
    std::vector<sFontRow> fonts;
};

// The scale of the controls and fonts on a screen: the 1024 x 768 layout grown as far as
// it fits both ways, so that windows and texts keep their share of the screen.
double LayoutScale(int width, int height);

sLayout PlaceForScreen(const sDescription& description, int width, int height);

// Every control that leaves its window or the screen, and every two controls of one window
// (and one page) that overlap, as messages naming the window, the rows and the screen size.
std::vector<std::string> CheckLayout(const sDescription& description, const sLayout& layout);

// The text of data/GUI_<width>x<height>.csv.
std::string LayoutFileText(const sLayout& layout);

} // namespace layoutgen
