#pragma once
// The keys of the game screen, as its key handler binds them; the hotkeys window lists
// exactly these. A key that presses an info-panel button names the button.
#include <array>
#include <cstdint>

struct sGameHotkey
{
    uint32_t virtualKey;   // the first key of a range (0-9), 0 for a group (the arrows)
    int infoPanelButton;   // the button the key presses, 0 for none
    const char* keyName;   // language key of the key's name as the player reads it
    const char* action;    // language key of what it does
};

inline constexpr std::array<sGameHotkey, 23> kGameHotkeys = {{
    {0x70, 0, "hotkey_key_f1", "hotkey_preferences"},
    {0x71, 0, "hotkey_key_f2", "hotkey_grid"},
    {0x72, 0, "hotkey_key_f3", "hotkey_weather"},
    {0x73, 0, "hotkey_key_f4", "hotkey_city_names"},
    {0x74, 0, "hotkey_key_f5", "hotkey_unit_names"},
    {0x75, 0, "hotkey_key_f6", "hotkey_border_mode"},
    {0x76, 0, "hotkey_key_f7", "hotkey_ownership_mode"},
    {0x77, 0, "hotkey_key_f8", "hotkey_ap_left"},
    {0x7B, 0, "hotkey_key_f12", "hotkey_cheats"},
    {0x1B, 0, "hotkey_key_escape", "hotkey_pause_menu"},
    {0x6B, 0, "hotkey_key_plus", "hotkey_zoom_in"},
    {0x6D, 0, "hotkey_key_minus", "hotkey_zoom_out"},
    {0, 0, "hotkey_key_arrows", "hotkey_move_view"},
    {'P', 336, "hotkey_key_p", "hotkey_purchases"},
    {'C', 341, "hotkey_key_c", "hotkey_convoys"},
    {'T', 339, "hotkey_key_t", "hotkey_research"},
    {'R', 340, "hotkey_key_r", "hotkey_reports"},
    {'U', 337, "hotkey_key_u", "hotkey_units"},
    {'Q', 343, "hotkey_key_q", "hotkey_end_turn"},
    {'I', 344, "hotkey_key_i", "hotkey_hotkeys"},
    {0x09, 0, "hotkey_key_tab", "hotkey_next_unit"},
    {'0', 0, "hotkey_key_digits", "hotkey_go_to_place"},
    {'0', 0, "hotkey_key_ctrl_digits", "hotkey_store_place"},
}};
