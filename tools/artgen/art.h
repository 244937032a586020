#pragma once
// The pictures of the art generator, each drawn from code.
#include <cairo.h>

#include <string>
#include <vector>

// GUI.png: the toolkit's default elements.
void DrawDefaultElements(cairo_t* cr);
// GUI.png: icons, pictures and panel backgrounds of the panels and dialogs.
void DrawPanelArt(cairo_t* cr);
// The whole 2048 x 2048 GUI picture.
cairo_surface_t* RenderGuiAtlas();

// One picture file under data/gfx/, by its path relative to that folder.
struct sPictureFile {
    std::string path;
    cairo_surface_t* (*render)();
};
const std::vector<sPictureFile>& PictureFiles();
// The unit pictures under "Units images/": one per unit type code and default.png.
void AddUnitPictures(std::vector<sPictureFile>& files);
// The flags of the countries of 1939 under "Flags/", one per country name.
void AddFlagPictures(std::vector<sPictureFile>& files);

// A sheet that shows every element in each state as the toolkit would draw it.
cairo_surface_t* RenderContactSheet(cairo_surface_t* atlas);
