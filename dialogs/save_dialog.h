#pragma once
// Saving the running game under a folder name in data\save: the saves there, a name to
// type, a question before an existing save is overwritten. Ctrl and a click on a save
// overwrites it at once and goes back to the map.
#include <string>
#include <vector>

#include "dialogs/dialog_stack.h"

constexpr int kSaveDialogKind = 252;
constexpr int kSaveListId = 254;
constexpr int kSaveNameId = 256;
constexpr int kSaveExitId = 257;
constexpr int kSaveSaveId = 258;

class cDialogZapisuGry : public cDialog
{
public:
    cDialogZapisuGry();

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    // The overwrite question has closed.
    void OnReactivate() override;
    bool HoldsInput() const override { return true; }

private:
    void FillList();
    void TryToSave(const std::wstring& typed);
    void Save(const std::wstring& name);

    void OnSaveChosen();
    void OnSavePressed();
    void OnExitPressed();

    bool m_PendingOverwrite = false;
    std::wstring m_PendingName;
    std::vector<std::wstring> m_Names; // folder names, by row
};
