// SDL events become the window messages the GUI code expects.
#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/window.h"

namespace {

SDL_Event Key(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
{
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    e.key.keysym.mod = mod;
    e.key.repeat = repeat;
    return e;
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y, Uint8 clicks = 1)
{
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    e.button.clicks = clicks;
    return e;
}

std::vector<sWindowMessage> Translate(cMessageTranslator& t, const SDL_Event& e)
{
    std::vector<sWindowMessage> out;
    t.Translate(e, out);
    return out;
}

TEST(WindowMessages, KeysCarryVirtualKeyCodesAndControlCharacters)
{
    ASSERT_TRUE(InitVideo());
    cMessageTranslator t;
    auto m = Translate(t, Key(SDL_KEYDOWN, SDLK_p));
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].message, WM_KEYDOWN);
    EXPECT_EQ(m[0].wParam, tWParam('P'));

    m = Translate(t, Key(SDL_KEYUP, SDLK_F12));
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].message, WM_KEYUP);
    EXPECT_EQ(m[0].wParam, tWParam(VK_F1 + 11));

    // The keys of + and - on the main keyboard, of a US layout (=) or of another (+).
    for (SDL_Keycode key : {SDLK_EQUALS, SDLK_PLUS, SDLK_MINUS}) {
        m = Translate(t, Key(SDL_KEYDOWN, key));
        ASSERT_FALSE(m.empty()) << key;
        EXPECT_EQ(m[0].wParam, tWParam(key == SDLK_MINUS ? VK_OEM_MINUS : VK_OEM_PLUS)) << key;
    }

    // Keys that edit text also give their character.
    m = Translate(t, Key(SDL_KEYDOWN, SDLK_BACKSPACE));
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].wParam, VK_BACK);
    EXPECT_EQ(m[1].message, WM_CHAR);
    EXPECT_EQ(m[1].wParam, 8u);
    m = Translate(t, Key(SDL_KEYDOWN, SDLK_RETURN));
    EXPECT_EQ(m.back().wParam, 13u);
    m = Translate(t, Key(SDL_KEYDOWN, SDLK_v, KMOD_LCTRL));
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[1].message, WM_CHAR);
    EXPECT_EQ(m[1].wParam, 22u); // Ctrl+V

    // With Alt held the keys are system keys.
    m = Translate(t, Key(SDL_KEYDOWN, SDLK_F4, KMOD_LALT));
    EXPECT_EQ(m[0].message, WM_SYSKEYDOWN);
    EXPECT_NE(m[0].lParam & (tLParam(1) << 29), 0);

    // Typed text arrives as UTF-16 units.
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    SDL_strlcpy(text.text.text, "\xc5\x81\xf0\x9f\x9b\xa1", sizeof(text.text.text)); // Ł and a shield
    m = Translate(t, text);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].wParam, 0x141u);
    EXPECT_EQ(m[1].wParam, 0xD83Du);
    EXPECT_EQ(m[2].wParam, 0xDEE1u);
}

TEST(WindowMessages, MouseButtonsDoubleClicksWheelAndWindowEvents)
{
    ASSERT_TRUE(InitVideo());
    cMessageTranslator t;
    auto m = Translate(t, Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 30, -4));
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(MessageX(m[0].lParam), 30);
    EXPECT_EQ(MessageY(m[0].lParam), -4);
    // A press carries its button and the release none, even when both were queued before
    // either was read (a tap: SDL's own state then says the button is already up).
    EXPECT_EQ(m[0].wParam & MK_LBUTTON, MK_LBUTTON);
    m = Translate(t, Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 30, -4));
    EXPECT_EQ(m[0].message, WM_LBUTTONUP);
    EXPECT_EQ(m[0].wParam & (MK_LBUTTON | MK_RBUTTON), 0u);
    EXPECT_EQ(Translate(t, Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 30, 4, 2))[0].message, WM_LBUTTONDBLCLK);
    EXPECT_EQ(Translate(t, Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 30, 4, 3))[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(Translate(t, Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 30, 4))[0].message, WM_RBUTTONUP);
    m = Translate(t, Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X2, 1, 2));
    EXPECT_EQ(m[0].message, WM_XBUTTONDOWN);
    EXPECT_EQ(HighWord(m[0].wParam), XBUTTON2);

    // The wheel carries the last known pointer position and 120 per notch.
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 200;
    motion.motion.y = 150;
    EXPECT_EQ(Translate(t, motion)[0].message, WM_MOUSEMOVE);
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -2;
    m = Translate(t, wheel);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].message, WM_MOUSEWHEEL);
    EXPECT_EQ(WheelDelta(m[0].wParam), -240);
    EXPECT_EQ(MessageX(m[0].lParam), 200);
    EXPECT_EQ(MessageY(m[0].lParam), 150);

    auto windowEvent = [&](Uint8 what) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = what;
        return Translate(t, e);
    };
    EXPECT_EQ(windowEvent(SDL_WINDOWEVENT_CLOSE)[0].message, WM_CLOSE);
    m = windowEvent(SDL_WINDOWEVENT_MINIMIZED);
    EXPECT_EQ(m[0].message, WM_SIZE);
    EXPECT_EQ(m[0].wParam, SIZE_MINIMIZED);
    EXPECT_EQ(windowEvent(SDL_WINDOWEVENT_RESTORED)[0].wParam, SIZE_RESTORED);
    m = windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(m[0].message, WM_ACTIVATEAPP);
    EXPECT_EQ(m[0].wParam, 0u);
    EXPECT_TRUE(windowEvent(SDL_WINDOWEVENT_MOVED).empty());
}

} // namespace
