#include "dialogs/save_dialog.h"

#include <algorithm>
#include <filesystem>

#include "core/ini.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/message_dialog.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/save_game.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "platform/paths.h"

namespace {

// The names of the saves in data\save, sorted: the file system gives them in no order, and
// the row kept chosen after a refill must name the same save. No working folder of a save
// ('%' stands in no save's name).
std::vector<std::wstring> SaveFolders()
{
    SettleInterruptedSaves(L"data\\save");
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(HostPath(L"data\\save"), error)) {
        // Read as the UTF-8 it is: the C library's own conversion throws at a letter beyond ASCII.
        std::wstring name = Utf8ToWide(entry.path().filename().string());
        if (entry.is_directory(error) && name.find(L'%') == std::wstring::npos)
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

cDialogZapisuGry::cDialogZapisuGry() : cDialog(kSaveDialogKind, LayoutRow(kSaveDialogKind))
{
    if (g_Gra && g_Gra->GetGameState() != kStateMenu)
        g_Gra->EnterMenuState();
    AddText(250, LangText("save_game_title"), true);
    AddText(253, LangText("save_game_list"));
    AddListBoxFromLayout(kSaveListId, 0);
    if (auto* list = static_cast<CDXUTListBox*>(GetControl(kSaveListId, DXUT_CONTROL_LISTBOX)))
        list->SetColumns(4, LangText("save_list_saved_game_columns"), 35, 40, 5, 20);
    AddText(255, LangText("save_game_new_name"));
    AddEditBoxFromLayout(kSaveNameId, LangText("save_game_default_name").c_str(),
                         LangText("save_game_new_name_hint").c_str());
    AddButtonFromLayout(kSaveSaveId, LangText("save_game_save").c_str(), LangText("save_game_save_hint").c_str());
    AddButtonFromLayout(kSaveExitId, LangText("save_game_exit").c_str(), LangText("save_game_exit_hint").c_str());
    FillList();
}

void cDialogZapisuGry::FillList()
{
    auto* list = static_cast<CDXUTListBox*>(GetControl(kSaveListId, DXUT_CONTROL_LISTBOX));
    if (!list)
        return;
    const int selected = list->GetSelectedIndex();
    list->RemoveAllItems();
    m_Names = SaveFolders();
    const std::string nameKey = "General_" + g_StringBase.GetLanguageId() + "/Name";
    for (size_t row = 0; row < m_Names.size(); ++row) {
        cIniFile info;
        info.Load(HostPath(FormatText(L"data\\save\\%s\\Info.ini", m_Names[row])));
        const std::wstring scenario = info.GetString(nameKey, L"Unknown name");
        const std::wstring date = SaveDateAsShown(info.GetString("Save/Date", L"--.--.-- --:--"));
        const int turn = info.GetInt("Save/Turn", 1);
        list->AddItem(FormatText(L"%s;%s;%i;%s", ListCellText(m_Names[row]), ListCellText(scenario), turn,
                                 ListCellText(date)),
                      reinterpret_cast<void*>(row));
    }
    if (selected >= 0 && selected < list->GetSize())
        list->SelectItem(selected);
}

void cDialogZapisuGry::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    switch (controlId) {
    case kSaveListId: OnSaveChosen(); break;
    case kSaveSaveId: OnSavePressed(); break;
    case kSaveExitId: OnExitPressed(); break;
    default: break;
    }
}

void cDialogZapisuGry::OnSaveChosen()
{
    auto* list = static_cast<CDXUTListBox*>(GetControl(kSaveListId, DXUT_CONTROL_LISTBOX));
    if (!list || list->GetSelectedIndex() < 0)
        return;
    const size_t row = reinterpret_cast<size_t>(list->GetSelectedData());
    if (row >= m_Names.size())
        return;
    const std::wstring name = m_Names[row];
    // Read now, not remembered from an earlier key: the player may have let go of Ctrl
    // while another screen had the keyboard.
    if (GuiKeyDown(VK_CONTROL)) {
        // A save that failed must not pass for done: the player is told and stays here.
        std::wstring why;
        if (!SaveGame(name, true, &why)) {
            PushDialog(new cDialogTekstowy(SaveFailedText(name, why), LangText("save_game_title")));
            return;
        }
        CloseTopDialogs(1);
        if (g_Gra)
            g_Gra->ReturnToMap();
        return;
    }
    if (auto* edit = static_cast<CDXUTEditBox*>(GetControl(kSaveNameId, DXUT_CONTROL_EDITBOX)))
        edit->SetText(name.c_str());
}

void cDialogZapisuGry::OnSavePressed()
{
    auto* edit = static_cast<CDXUTEditBox*>(GetControl(kSaveNameId, DXUT_CONTROL_EDITBOX));
    TryToSave(edit ? edit->GetText() : std::wstring());
    FillList();
}

void cDialogZapisuGry::TryToSave(const std::wstring& typed)
{
    // The name is normalized once, and that name is checked, asked about and saved: the
    // writer trims, so " x" checked as typed would overwrite "x" without a question.
    const std::wstring name = NormalizeSaveName(typed);
    // A name that is no single folder ("..", a separator) would write outside data\save; one
    // over the limit is refused, not saved under a shorter name than the player typed; ';' and
    // '|' split the lists' columns, where the name would show as another.
    if (const auto refused = RefusedName(name, kMaxSaveNameLength, kCellSeparators, true,
                                         {"save_game_name_empty", "save_game_name_too_long_%i_%i", "save_game_invalid_name_%s"})) {
        PushDialog(new cDialogTekstowy(*refused, LangText("save_game_title")));
        return;
    }
    if (!SaveFolderExists(name)) {
        Save(name);
        return;
    }
    m_PendingOverwrite = true;
    m_PendingName = name;
    PushDialog(new cDialogPotwierdzenia(LangText("save_overwrite_title"), LangFormat("save_overwrite_question_%s", name),
                                        LangText("save_overwrite_yes"), LangText("save_overwrite_yes_hint"),
                                        LangText("save_overwrite_no"), LangText("save_overwrite_no_hint")));
}

// The writer tells the player how it went; on failure the window stays for another try.
void cDialogZapisuGry::Save(const std::wstring& name) { SaveGame(name, false); }

void cDialogZapisuGry::OnReactivate()
{
    const bool overwrite = m_PendingOverwrite && g_ConfirmAnswer;
    m_PendingOverwrite = false;
    if (!overwrite)
        return;
    Save(m_PendingName);
    FillList();
}

void cDialogZapisuGry::OnExitPressed()
{
    CloseTopDialogs(1);
    if (g_Gra)
        g_Gra->ReturnToMap();
}
