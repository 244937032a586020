#pragma once
// A scripted event that a person answers: its title, its country's flag, its description,
// its picture and one button per option. The answer is the option's position (from 1);
// the event check that posted the event fires it. In a play-by-e-mail game one more
// button saves the turn and ends the program, once the save has succeeded.
#include <memory>
#include <string>
#include <vector>

#include "dialogs/dialog_stack.h"

class cTexture;

constexpr int kEventDialogKind = 780;
constexpr int kEventPictureId = 784;
// Option k (from 0) has the id kEventFirstOptionId + k; the save button comes after the last.
constexpr int kEventFirstOptionId = 4001;

class cDialogEventu : public cDialog
{
public:
    // The event as the request carries it: title, description, options with their hints,
    // the country and the picture decoded when it was posted (null: none).
    explicit cDialogEventu(const sPresentationRequest& event);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    bool HoldsInput() const override { return true; }

    int OptionCount() const { return m_OptionCount; }
    bool HasPicture() const { return m_Picture != nullptr; }
    bool HasSaveButton() const { return m_SaveButton; }

private:
    void AddButtons(int top);
    void OnOptionPressed(int position);
    void OnSaveAndExitPressed();

    int m_OptionCount = 0;
    bool m_SaveButton = false;
    std::vector<std::wstring> m_Texts;
    std::vector<std::wstring> m_Hints;
    std::shared_ptr<cTexture> m_Picture;
};
