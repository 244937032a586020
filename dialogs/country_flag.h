#pragma once
// A country's flag as a picture control of a window.
#include <string>

class CDXUTDialog;
class cPanstwo;

// The flag picture's area in its file.
constexpr int kFlagPictureWidth = 128;
constexpr int kFlagPictureHeight = 85;

// The file of the country's flag: of the scenario's own and the common one the first that
// loads, else the placeholder flag.
std::wstring CountryFlagFile(const cPanstwo& country);
// Makes the image control a picture of the country's flag (texture slot `slot` of the
// dialog); a country id without a country shows the placeholder flag.
void ShowCountryFlag(CDXUTDialog& dialog, int imageId, int countryId, unsigned slot);
