#pragma once
// The pictures of the art generator, each drawn from code.
#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

// GUI.png: the toolkit's default elements.
void DrawDefaultElements(cairo_t* cr);
// GUI.png: icons, pictures and panel backgrounds of the panels and dialogs.
void DrawPanelArt(cairo_t* cr);
// The whole 2048 x 2048 GUI picture.
cairo_surface_t* RenderGuiAtlas();
// A further page of it (1 or 2): the panels' pictures drawn at the sizes of the other screens.
cairo_surface_t* RenderGuiAtlasPage(int page);

// One picture file under data/gfx/, by its path relative to that folder.
struct sPictureFile {
    std::string path;
    std::function<cairo_surface_t*()> render;
};
const std::vector<sPictureFile>& PictureFiles();
// One table file under data/gfx/ (the skins' tables), by its path relative to that folder.
struct sTableFile {
    std::string path;
    std::function<std::string()> text;
};
const std::vector<sTableFile>& TableFiles();
// The unit pictures under "Units images/": one per unit type code and default.png.
void AddUnitPictures(std::vector<sPictureFile>& files);
// The flags of the countries of 1939 under "Flags/", one per country name.
void AddFlagPictures(std::vector<sPictureFile>& files);
// The countries of 1939 that have a flag, in the order of the bundled scenario.
std::vector<std::string> FlagCountryNames();
// The map skin "[MapSkin]Normal": terrain.png, others.png, eyecandies.png and its tables.
void AddMapSkin(std::vector<sPictureFile>& pictures, std::vector<sTableFile>& tables);
// The units skin "[UnitsSkin]Counters": units.png, info.png, a picture per country and its tables.
void AddUnitsSkin(std::vector<sPictureFile>& pictures, std::vector<sTableFile>& tables);

// A sheet that shows every element in each state as the toolkit would draw it.
cairo_surface_t* RenderContactSheet(cairo_surface_t* atlas);
