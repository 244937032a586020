// Writes the layout file of every screen size from the description of the windows and
// panels. Usage: velmorant-layoutgen DESCRIPTION DATA_FOLDER
// It writes nothing when the description has a fault or a control leaves its window or the
// screen, or overlaps another, at any size; every fault is printed.
#include <fstream>
#include <iostream>
#include <sstream>

#include "tools/layoutgen/layout_description.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: velmorant-layoutgen DESCRIPTION DATA_FOLDER\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> faults;
    const layoutgen::sDescription description = layoutgen::ParseDescription(text.str(), faults);
    std::vector<layoutgen::sLayout> layouts;
    if (faults.empty())
        for (const auto& [width, height] : description.sizes) {
            layouts.push_back(layoutgen::PlaceForScreen(description, width, height));
            for (const std::string& fault : layoutgen::CheckLayout(description, layouts.back()))
                faults.push_back(fault);
        }
    for (const std::string& fault : faults)
        std::cerr << argv[1] << ": " << fault << "\n";
    if (!faults.empty())
        return 1;
    for (const layoutgen::sLayout& layout : layouts) {
        const std::string path =
            std::string(argv[2]) + "/GUI_" + std::to_string(layout.width) + "x" + std::to_string(layout.height) + ".csv";
        std::ofstream out(path, std::ios::binary);
        out << layoutgen::LayoutFileText(layout);
        if (!out) {
            std::cerr << path << ": cannot write\n";
            return 1;
        }
    }
    return 0;
}
