#pragma once
// The base of every full-screen menu: the menu is its own dialog, placed over the whole
// back buffer, and takes the input through the menu callbacks while it is current
// (g_CurrentMenu). Building a menu ends the current one. A menu is never deleted inside
// a handler of its own: it is ended (no longer current, hidden) and deleted between two
// dispatches of the main loop.
#include <string>

#include "gui/controls.h"
#include "shell/links.h"

class cMenu : public CDXUTDialog, public iMenuScreen
{
public:
    // Ends the current menu ("-- Deleting old menu"), clears the hint, hides this dialog
    // and installs the menu callbacks. The creator makes the new menu current.
    cMenu();
    // Virtual: a menu is freed through the base, and the sea-battle screen's board and
    // request would leak or stay unanswered behind a base destructor alone.
    ~cMenu() override;

    bool MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void OnGUIEvent(unsigned, int, CDXUTControl*) override {}
    void OnKeyboard(unsigned, bool, bool) override {}
    void OnMouse(bool, bool, bool, bool, bool, int, int, int) override {}
    void OnFrameMove(double, float) override {}
    void OnRender(float) override {}

protected:
    // Releases the shared texture holder and loads the picture into it.
    static void LoadWallpaper(int holder, const wchar_t* path);
    // The wallpaper of the holder over the whole back buffer at its own proportions, what
    // does not fit cut off, then (unless told otherwise) the dialog.
    void RenderWallpaper(int holder, float elapsed, bool renderDialog = true);
    // The version line: a static along the bottom of the screen.
    void AddVersionLine(int id);
    // The version line centred in a layout row: over the game screen it stands inside the
    // menu's frame, where it covers neither the map nor the panels.
    void AddVersionLineAt(int id, int layoutRow);
    // A title: a static placed by its layout row, in the title font, centred both ways.
    void AddTitleFromLayout(int id, const std::wstring& text);
    // Adds a frame placed by its layout row.
    void AddFrameFromLayout(int id, int style);
    // The control of the id as its type, null when it is missing or of another type.
    template <class T>
    T* Control(int id)
    {
        return dynamic_cast<T*>(GetControl(id));
    }
};

// Ends a menu after the current dispatch: it stops being current at once and is hidden.
void EndMenu(iMenuScreen* menu);
// Deletes the ended menus.
void FreeEndedMenus();
// What the main loop does between two dispatches: the ended menus and the closed windows
// are freed.
void EndOfDispatch();
// Ends the current menu, if any, and frees it at once (start-up's end, tests).
void DeleteCurrentMenu();
