// The sound effects: loading with a missing file, the effects volume, overlapping copies
// of one effect, and the sound of each kind of control event.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <filesystem>

#include "core/random.h"
#include "core/settings.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "shell/sound.h"
#include "shell/sound_effects.h"
#include "tests/test_support.h"

namespace {

using sound_effects::SlotOf;

class Sound : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The effects, all but Buying.wav.
        std::filesystem::create_directories("data/sound");
        for (const auto& entry : std::filesystem::directory_iterator(testing_support::SourceDir() / "data" / "sound"))
            if (entry.path().filename() != "Buying.wav")
                std::filesystem::copy_file(entry.path(), std::filesystem::path("data/sound") / entry.path().filename(),
                                           std::filesystem::copy_options::overwrite_existing);
        testing_support::ClearLog();
        g_UserSettings.sfxVolume = 1.0f;
        g_UserSettings.musicVolume = 1.0f;
        InitSound();
    }
    void TearDown() override { ShutdownSound(); }
};

TEST_F(Sound, AMissingEffectIsLoggedAndSilentAndTheRestLoad)
{
    EXPECT_TRUE(testing_support::LogContains(L"Error while loading Buying.wav!"));
    EXPECT_EQ(g_Sounds[30], nullptr);
    for (int k = 0; k < 30; ++k) {
        ASSERT_NE(g_Sounds[size_t(k)], nullptr) << sound_effects::kEffects[k].name;
        EXPECT_EQ(g_Sounds[size_t(k)]->Copies(), sound_effects::kEffects[k].buffers);
    }
    for (int k = 31; k < kSoundSlots; ++k)
        EXPECT_EQ(g_Sounds[size_t(k)], nullptr);
    PlaySoundSlot(30); // silent, harmless
    PlaySoundSlot(99);
    PlaySoundSlot(-1);
}

TEST_F(Sound, TheEffectsVolumeFollowsTheSettingAndNotTheMusicVolume)
{
    CSound* click = g_Sounds[size_t(SlotOf("ButtonClick"))].get();
    g_UserSettings.musicVolume = 0.2f;
    EXPECT_EQ(SfxVolume(), 0);
    PlaySoundSlot(SlotOf("ButtonClick"));
    EXPECT_EQ(click->LastMixerVolume(), MIX_MAX_VOLUME);
    g_UserSettings.sfxVolume = 0.5f;
    EXPECT_EQ(SfxVolume(), -5000);
    // Hundredths of a decibel: -20 dB is a tenth of the amplitude, -50 dB below the mixer's least step.
    PlaySoundSlot(SlotOf("ButtonClick"));
    EXPECT_EQ(click->LastMixerVolume(), 0);
    g_UserSettings.sfxVolume = 0.8f;
    PlaySoundSlot(SlotOf("ButtonClick"));
    EXPECT_EQ(click->LastMixerVolume(), 13); // 128 / 10, rounded
    g_UserSettings.sfxVolume = 0.0f;
    EXPECT_EQ(SfxVolume(), -10000);
    PlaySoundSlot(SlotOf("ButtonClick"));
    EXPECT_EQ(click->LastMixerVolume(), 0);
    EXPECT_EQ(MixerVolumeFromHundredthsDb(-20000), 0);
}

TEST_F(Sound, OneEffectSoundsAsManyTimesAtOnceAsItHasCopies)
{
    // Looped, so that a busy machine cannot end a copy before the next one starts.
    CSound* click = g_Sounds[size_t(SlotOf("ButtonClick"))].get();
    std::vector<int> channels;
    for (int k = 0; k < 3; ++k)
        channels.push_back(click->Play(0, true));
    EXPECT_EQ(click->PlayingCopies(), 3);
    std::sort(channels.begin(), channels.end());
    EXPECT_EQ(std::unique(channels.begin(), channels.end()), channels.end()) << "three different copies";
    const uint32_t dice = GetRandomState();
    int fourth = click->Play(0, true); // all sound: one of them starts again
    EXPECT_NE(std::find(channels.begin(), channels.end(), fourth), channels.end());
    EXPECT_EQ(GetRandomState(), dice) << "the game's dice do not pick the copy";
    EXPECT_EQ(click->PlayingCopies(), 3);

    // Another effect has channels of its own.
    CSound* combat = g_Sounds[size_t(SlotOf("LandCombat"))].get();
    combat->Play(0, true);
    EXPECT_EQ(combat->PlayingCopies(), 1);
    EXPECT_EQ(click->PlayingCopies(), 3);
}

TEST_F(Sound, EachKindOfControlEventHasItsSoundAndTabsAndNullControlsHaveNone)
{
    CDXUTDialog dialog;
    dialog.AddButton(1, L"Go", 0, 0, 50, 20);
    CDXUTControl* button = dialog.GetControl(1);
    const std::pair<unsigned, const char*> table[] = {
        {EVENT_BUTTON_CLICKED, "ButtonClick"},         {EVENT_COMBOBOX_SELECTION_CHANGED, "ComboboxChanged"},
        {EVENT_RADIOBUTTON_CHANGED, "RadiobuttonChanged"}, {EVENT_CHECKBOX_CHANGED, "CheckboxChanged"},
        {EVENT_SLIDER_VALUE_CHANGED, "SliderChanged"}, {EVENT_EDITBOX_STRING, "EditboxString"},
        {EVENT_EDITBOX_CHANGE, "EditboxChanged"},      {EVENT_LISTBOX_ITEM_DBLCLK, "ListboxDoubleClick"},
        {EVENT_LISTBOX_SELECTION, "ListboxSelection"},
    };
    // These effects last a tenth of a second or less: on a busy machine one may be over
    // before it is looked at, so what is counted is the copies started.
    const auto allStarts = [] {
        int starts = 0;
        for (const auto& sound : g_Sounds)
            starts += sound ? sound->Starts() : 0;
        return starts;
    };
    for (const auto& [event, name] : table) {
        const CSound& sound = *g_Sounds[size_t(SlotOf(name))];
        const int starts = sound.Starts();
        const int all = allStarts();
        PlayControlEventSound(event, 1, button);
        EXPECT_EQ(sound.Starts(), starts + 1) << name;
        EXPECT_EQ(allStarts(), all + 1) << name << " alone";
    }
    const int all = allStarts();
    PlayControlEventSound(EVENT_TABFRAME_CHANGED, 1, button);
    PlayControlEventSound(EVENT_BUTTON_CLICKED, 1, nullptr);
    EXPECT_EQ(allStarts(), all);

    // A click on a button of a dialog with a callback sounds through the hook.
    dialog.SetCallback([](unsigned, int, CDXUTControl*) {});
    ASSERT_TRUE(g_GuiHooks.playSound);
    const int clicks = g_Sounds[size_t(SlotOf("ButtonClick"))]->Starts();
    dialog.MsgProc(WM_MOUSEMOVE, 0, MakeLParam(5, 5));
    dialog.MsgProc(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    dialog.MsgProc(WM_LBUTTONUP, 0, MakeLParam(5, 5));
    EXPECT_EQ(g_Sounds[size_t(SlotOf("ButtonClick"))]->Starts(), clicks + 1);
    EXPECT_EQ(allStarts(), all + 1);
    dialog.RemoveAllControls();
}

} // namespace
