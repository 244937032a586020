#pragma once
// The hex panel: what the selected hex holds (city, port, resources or sea zone), its
// terrain, supply, production, victory points, holders, fortification and weather, and the
// one order of a hex: building a Mulberry harbour on friendly coast.
#include <string>

#include "dialogs/panel.h"

struct sHex;

constexpr int kHexPanelFrameId = 401;
constexpr int kHexPanelLastId = 421;
constexpr int kHexPanelMulberryId = 421;
// The info panel's weather picture, which the hex panel sets.
constexpr int kInfoPanelWeatherImageId = 420;

class cHexPanel : public cPanel
{
public:
    cHexPanel();

    // Fills the panel from the selected hex (nothing selected: dashes).
    void Refresh();
    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    // The layout hook moves the panel's controls with the info panel's toggle button.
    CDXUTDialog* GetDialog() override { return this; }

    // Why no Mulberry can be built on the hex for the country; empty when one can.
    static std::wstring MulberryRefusal(const sHex& hex, int countryId);

private:
    void OnBuildMulberryPressed();
    void SetValue(int id, const std::wstring& text);
    void ShowPlace(const sHex& hex);
    void ShowWeather(const sHex& hex);
};

// The hex panel behind g_HexPanel, or null.
cHexPanel* HexPanel();
