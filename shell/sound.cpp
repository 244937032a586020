#include "shell/sound.h"

#include "core/log.h"
#include "core/settings.h"
#include "core/text.h"
#include "gui/control.h"
#include "gui/gui_hooks.h"
#include "platform/paths.h"
#include "shell/sound_effects.h"

std::unique_ptr<CSoundManager> g_SoundManager;
std::array<std::unique_ptr<CSound>, kSoundSlots> g_Sounds;

namespace {
std::wstring g_SoundOffReason;
} // namespace

const std::wstring& SoundOffReason() { return g_SoundOffReason; }

void ShutdownSound()
{
    for (auto& slot : g_Sounds)
        slot.reset();
    g_SoundManager.reset();
    g_SoundOffReason.clear();
    if (g_GuiHooks.playSound)
        g_GuiHooks.playSound = nullptr;
}

void InitSound()
{
    for (auto& slot : g_Sounds)
        slot.reset();
    g_SoundOffReason.clear();
    g_SoundManager = std::make_unique<CSoundManager>();
    // A machine without a sound output (no device, or SDL_AUDIODRIVER naming a driver that
    // does not exist) still plays, silent: ending here would leave its player without a game
    // and, the language table not being loaded yet, without a word of why. The log line says
    // why in words of its own: the table's texts for this failure tell of an exit.
    if (Failed(g_SoundManager->Initialize()) || Failed(g_SoundManager->SetPrimaryBufferFormat(1, 22050, 8))) {
        const std::string& error = g_SoundManager->LastError();
        g_SoundOffReason = error.empty() ? L"no sound output" : Utf8ToWide(error);
        LogLine(L"No sound: the sound output could not be opened (%s); the game runs silent.", g_SoundOffReason);
        g_GuiHooks.playSound = PlayControlEventSound;
        return;
    }
    for (int k = 0; k < sound_effects::kEffectCount; ++k) {
        const auto& effect = sound_effects::kEffects[k];
        std::wstring file = Utf8ToWide(effect.name) + L".wav";
        g_Sounds[size_t(k)] = CSound::Create(*g_SoundManager, HostPath(L"data\\sound\\" + file), effect.buffers);
        if (!g_Sounds[size_t(k)])
            LogLine(L"Error while loading %s!", file);
    }
    g_GuiHooks.playSound = PlayControlEventSound;
}

int SfxVolume() { return int(g_UserSettings.sfxVolume * 10000.0f - 10000.0f); }

void PlaySoundSlot(int slot, bool loop)
{
    if (slot < 0 || slot >= kSoundSlots || !g_Sounds[size_t(slot)])
        return;
    g_Sounds[size_t(slot)]->Play(SfxVolume(), loop);
}

void StopSoundSlot(int slot)
{
    if (slot >= 0 && slot < kSoundSlots && g_Sounds[size_t(slot)])
        g_Sounds[size_t(slot)]->Stop();
}

void PlayControlEventSound(unsigned event, int, CDXUTControl* control)
{
    if (!control)
        return;
    const char* name = nullptr;
    switch (event) {
    case EVENT_BUTTON_CLICKED: name = "ButtonClick"; break;
    case EVENT_COMBOBOX_SELECTION_CHANGED: name = "ComboboxChanged"; break;
    case EVENT_RADIOBUTTON_CHANGED: name = "RadiobuttonChanged"; break;
    case EVENT_CHECKBOX_CHANGED: name = "CheckboxChanged"; break;
    case EVENT_SLIDER_VALUE_CHANGED: name = "SliderChanged"; break;
    case EVENT_EDITBOX_STRING: name = "EditboxString"; break;
    case EVENT_EDITBOX_CHANGE: name = "EditboxChanged"; break;
    case EVENT_LISTBOX_ITEM_DBLCLK: name = "ListboxDoubleClick"; break;
    case EVENT_LISTBOX_SELECTION: name = "ListboxSelection"; break;
    default: return;
    }
    PlaySoundSlot(sound_effects::SlotOf(name));
}
