#pragma once
// The intro: three movies before the main loop starts, then two logos that fade in and
// out on the main loop's frames, then the main menu. A click or a key ends the logos.
#include <cstdint>

#include "platform/geometry.h"

class cRenderer;

struct sLogoSequence
{
    int stage = 0; // 0 not begun, 1 first logo, 2 second logo, 3 finished
    uint32_t stageStart = 0;
    uint32_t now = 0;
    tColor fade = 0xFF888888;
};
extern sLogoSequence g_LogoSequence;

// Installs the intro callbacks, plays the movies (a click or Escape skips one), and loads
// the two logos.
void PlayIntroMovies();

// The intro callbacks.
void RunLogoSequence(cRenderer* device, double time, float elapsed);
void IntroRender(cRenderer* device, double time, float elapsed);
void IntroMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y);
void IntroKeyboard(unsigned key, bool down, bool alt);
void SkipLogo();
// The end of the logos: the pictures of the whole run (cursor, console, placeholder flag,
// GUI) take their holders and the hint display starts.
void LoadShellPictures();
