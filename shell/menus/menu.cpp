#include "shell/menus/menu.h"

#include <algorithm>
#include <vector>

#include "core/log.h"
#include "core/settings.h"
#include "core/version.h"
#include "dialogs/dialog_stack.h"
#include "gui/gui_hooks.h"
#include "gui/layout.h"
#include "shell/frame_callbacks.h"
#include "shell/hint_display.h"
#include "shell/startup.h"
#include "shell/textures.h"

namespace {
std::vector<iMenuScreen*> g_EndedMenus;
} // namespace

void EndMenu(iMenuScreen* menu)
{
    if (!menu)
        return;
    if (g_CurrentMenu == menu)
        g_CurrentMenu = nullptr;
    if (auto* dialog = dynamic_cast<CDXUTDialog*>(menu))
        dialog->SetVisible(false);
    if (std::find(g_EndedMenus.begin(), g_EndedMenus.end(), menu) == g_EndedMenus.end())
        g_EndedMenus.push_back(menu);
}

void FreeEndedMenus()
{
    // A menu's destructor may end another: take the list first.
    while (!g_EndedMenus.empty()) {
        std::vector<iMenuScreen*> ended;
        ended.swap(g_EndedMenus);
        for (iMenuScreen* menu : ended)
            delete menu;
    }
}

void EndOfDispatch()
{
    FreeEndedMenus();
    FlushClosedDialogs();
}

void DeleteCurrentMenu()
{
    EndMenu(g_CurrentMenu);
    FreeEndedMenus();
}

cMenu::cMenu()
{
    if (g_CurrentMenu) {
        LogLine(L"-- Deleting old menu");
        // Ended now and freed after this dispatch: the old menu's own handler is often what
        // builds this one, and must not run on in a freed object.
        EndMenu(g_CurrentMenu);
    }
    g_CurrentMenu = nullptr;
    // A drag begun on the old menu's control would go on moving it after it is freed.
    CDXUTDialog::CancelControlDrag();
    GuiSetHintControl(nullptr, false);
    g_HintDisplay.SetHoverable(nullptr);
    SetLocation(0, 0);
    SetSize(g_UserSettings.resolutionX, g_UserSettings.resolutionY);
    SetVisible(false);
    LogLine(L"-- Setting callbacks");
    InstallMenuCallbacks();
    SetCallback(MenuGUIEvent);
}

cMenu::~cMenu()
{
    if (g_CurrentMenu == this)
        g_CurrentMenu = nullptr;
}

bool cMenu::MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return CDXUTDialog::MsgProc(message, wParam, lParam);
}

void cMenu::LoadWallpaper(int holder, const wchar_t* path)
{
    g_Textures[size_t(holder)].Release();
    g_Textures[size_t(holder)].Load(path, cTextureHolder::kFile, 1);
}

void cMenu::RenderWallpaper(int holder, float elapsed, bool renderDialog)
{
    cSprite* sprite = DXUTGetGlobalDialogResourceManager()->GetSprite();
    cTexture* wallpaper = g_Textures[size_t(holder)].Get();
    const int width = g_UserSettings.resolutionX, height = g_UserSettings.resolutionY;
    if (sprite && wallpaper && width > 0 && height > 0 && wallpaper->Width() > 0 && wallpaper->Height() > 0 &&
        Succeeded(sprite->Begin(0))) {
        // The one 4:3 picture of a menu fills every screen at its own proportions: stretched
        // by layout row 1 over a wide screen, its circles would turn to ovals, which full screen
        // must not show. What the shape has no room for is cut off, equally at the sides, and
        // at the top a fifth of it (the pictures' titles stand high and keep a margin).
        const float scale = std::max(float(width) / float(wallpaper->Width()), float(height) / float(wallpaper->Height()));
        const float spareX = float(wallpaper->Width()) - float(width) / scale;
        const float spareY = float(wallpaper->Height()) - float(height) / scale;
        const int cutX = int(spareX / 2.0f), cutY = int(spareY / 5.0f);
        // The dialog drawn next shares the sprite: it gets its transform back.
        const sMatrix2D saved = sprite->GetTransform();
        sprite->SetTransform(sMatrix2D::Scaling(scale, scale));
        const sRect source{cutX, cutY, wallpaper->Width() - cutX, cutY + int(float(height) / scale + 0.5f)};
        sprite->Draw(wallpaper, &source, nullptr, nullptr, 0xFFFFFFFF);
        sprite->End();
        sprite->SetTransform(saved);
    }
    if (renderDialog)
        CDXUTDialog::OnRender(elapsed);
}

void cMenu::AddVersionLine(int id)
{
    const std::wstring line = BuildWindowTitle(kGameName, kGameVersion, kGameBuild);
    // Along the bottom from x 30, as wide as the screen leaves with the same margin at its
    // end: 1024 pixels wide it would stand 30 pixels off a 1024 screen, where no control may.
    AddStatic(id, line.c_str(), 30, g_UserSettings.resolutionY - 30, std::max(1, g_UserSettings.resolutionX - 60), 30);
}

void cMenu::AddVersionLineAt(int id, int layoutRow)
{
    const std::wstring line = BuildWindowTitle(kGameName, kGameVersion, kGameBuild);
    const sLayoutRect& row = g_GuiLayout[size_t(layoutRow)];
    AddStatic(id, line.c_str(), row.x, row.y, row.width, row.height);
    if (auto* label = Control<CDXUTStatic>(id))
        label->m_dwTextFormat = DT_CENTER | DT_VCENTER;
}

void cMenu::AddTitleFromLayout(int id, const std::wstring& text)
{
    AddStaticFromLayout(id, text.c_str());
    if (auto* title = Control<CDXUTStatic>(id)) {
        title->m_iTextElement = 2;
        title->m_dwTextFormat = DT_CENTER | DT_VCENTER;
    }
}

void cMenu::AddFrameFromLayout(int id, int style)
{
    const sLayoutRect& row = g_GuiLayout[size_t(id)];
    AddFrame(id, row.x, row.y, row.width, row.height, style);
}
