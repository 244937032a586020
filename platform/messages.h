#pragma once
// The window messages the GUI code receives, with the codes and parameter packing the
// game's GUI code expects: key down and up carry a virtual-key code, characters a UTF-16
// code unit, mouse messages the client position packed into lParam.
#include <cstdint>

using tWParam = uintptr_t;
using tLParam = intptr_t;

struct sWindowMessage
{
    uint32_t message = 0;
    tWParam wParam = 0;
    tLParam lParam = 0;
};

// Result codes of the drawing and framework calls.
using tResult = int32_t;
constexpr tResult S_OK = 0;
constexpr tResult E_FAIL = int32_t(0x80004005u);
constexpr tResult E_OUTOFMEMORY = int32_t(0x8007000Eu);
constexpr tResult E_INVALIDARG = int32_t(0x80070057u);
constexpr bool Succeeded(tResult r) { return r >= 0; }
constexpr bool Failed(tResult r) { return r < 0; }

// Messages.
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_MOUSEFIRST = 0x0200;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_XBUTTONDOWN = 0x020B;
constexpr uint32_t WM_XBUTTONUP = 0x020C;
constexpr uint32_t WM_XBUTTONDBLCLK = 0x020D;
constexpr uint32_t WM_MOUSELAST = 0x020D;
constexpr uint32_t WM_ENTERSIZEMOVE = 0x0231;
constexpr uint32_t WM_EXITSIZEMOVE = 0x0232;

// Minimize and restore arrive as WM_SIZE with these wParam values.
constexpr tWParam SIZE_RESTORED = 0;
constexpr tWParam SIZE_MINIMIZED = 1;
constexpr tWParam SIZE_MAXIMIZED = 2;

// Button and modifier state in the wParam of mouse messages.
constexpr tWParam MK_LBUTTON = 0x0001;
constexpr tWParam MK_RBUTTON = 0x0002;
constexpr tWParam MK_SHIFT = 0x0004;
constexpr tWParam MK_CONTROL = 0x0008;
constexpr tWParam MK_MBUTTON = 0x0010;
constexpr tWParam MK_XBUTTON1 = 0x0020;
constexpr tWParam MK_XBUTTON2 = 0x0040;
// The wheel turns in steps of this many units, in the high word of wParam.
constexpr int WHEEL_DELTA = 120;
// The X button of WM_XBUTTON* in the high word of wParam.
constexpr int XBUTTON1 = 1;
constexpr int XBUTTON2 = 2;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes ('A', '0').
constexpr uint32_t VK_LBUTTON = 0x01;
constexpr uint32_t VK_RBUTTON = 0x02;
constexpr uint32_t VK_MBUTTON = 0x04;
constexpr uint32_t VK_BACK = 0x08;
constexpr uint32_t VK_TAB = 0x09;
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_SHIFT = 0x10;
constexpr uint32_t VK_CONTROL = 0x11;
constexpr uint32_t VK_MENU = 0x12; // Alt
constexpr uint32_t VK_PAUSE = 0x13;
constexpr uint32_t VK_CAPITAL = 0x14;
constexpr uint32_t VK_ESCAPE = 0x1B;
constexpr uint32_t VK_SPACE = 0x20;
constexpr uint32_t VK_PRIOR = 0x21;
constexpr uint32_t VK_NEXT = 0x22;
constexpr uint32_t VK_END = 0x23;
constexpr uint32_t VK_HOME = 0x24;
constexpr uint32_t VK_LEFT = 0x25;
constexpr uint32_t VK_UP = 0x26;
constexpr uint32_t VK_RIGHT = 0x27;
constexpr uint32_t VK_DOWN = 0x28;
constexpr uint32_t VK_SNAPSHOT = 0x2C;
constexpr uint32_t VK_INSERT = 0x2D;
constexpr uint32_t VK_DELETE = 0x2E;
constexpr uint32_t VK_LWIN = 0x5B;
constexpr uint32_t VK_RWIN = 0x5C;
constexpr uint32_t VK_APPS = 0x5D;
constexpr uint32_t VK_NUMPAD0 = 0x60;
constexpr uint32_t VK_MULTIPLY = 0x6A;
constexpr uint32_t VK_ADD = 0x6B;
constexpr uint32_t VK_SUBTRACT = 0x6D;
constexpr uint32_t VK_DECIMAL = 0x6E;
constexpr uint32_t VK_DIVIDE = 0x6F;
constexpr uint32_t VK_F1 = 0x70; // F1 to F24 follow in order
constexpr uint32_t VK_NUMLOCK = 0x90;
constexpr uint32_t VK_SCROLL = 0x91;
constexpr uint32_t VK_OEM_1 = 0xBA;      // ;
constexpr uint32_t VK_OEM_PLUS = 0xBB;   // =
constexpr uint32_t VK_OEM_COMMA = 0xBC;  // ,
constexpr uint32_t VK_OEM_MINUS = 0xBD;  // -
constexpr uint32_t VK_OEM_PERIOD = 0xBE; // .
constexpr uint32_t VK_OEM_2 = 0xBF;      // /
constexpr uint32_t VK_OEM_3 = 0xC0;      // `
constexpr uint32_t VK_OEM_4 = 0xDB;      // [
constexpr uint32_t VK_OEM_5 = 0xDC;      // backslash
constexpr uint32_t VK_OEM_6 = 0xDD;      // ]
constexpr uint32_t VK_OEM_7 = 0xDE;      // '

// Packing of the parameters.
constexpr tLParam MakeLParam(int low, int high)
{
    return tLParam(uint32_t(uint16_t(int16_t(low))) | (uint32_t(uint16_t(int16_t(high))) << 16));
}
constexpr int LowWord(uintptr_t v) { return int(uint16_t(v & 0xFFFF)); }
constexpr int HighWord(uintptr_t v) { return int(uint16_t((v >> 16) & 0xFFFF)); }
// The signed client coordinates of a mouse message.
constexpr int MessageX(tLParam l) { return int(int16_t(uint16_t(uintptr_t(l) & 0xFFFF))); }
constexpr int MessageY(tLParam l) { return int(int16_t(uint16_t((uintptr_t(l) >> 16) & 0xFFFF))); }
constexpr int WheelDelta(tWParam w) { return int(int16_t(uint16_t((w >> 16) & 0xFFFF))); }
// Keys (with their characters) and the mouse: what a person does, as against what the window
// system tells.
constexpr bool IsKeyMessage(uint32_t message) { return message >= WM_KEYDOWN && message <= WM_SYSKEYUP; }
constexpr bool IsInputMessage(uint32_t message)
{
    return IsKeyMessage(message) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}
