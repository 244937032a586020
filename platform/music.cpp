#include "platform/music.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

namespace {
// The stream the mixer's music channel was last given.
const cMusicStream* g_Playing = nullptr;
void (*g_OnFinished)() = nullptr;
} // namespace

void cMusicStream::SetFinishedCallback(void (*callback)()) { g_OnFinished = callback; }

std::unique_ptr<cMusicStream> cMusicStream::Open(const std::filesystem::path& file)
{
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0)
        return nullptr;
    Mix_Music* music = Mix_LoadMUS(file.string().c_str());
    if (!music)
        return nullptr;
    return std::unique_ptr<cMusicStream>(new cMusicStream(music));
}

cMusicStream::~cMusicStream()
{
    Stop();
    Mix_FreeMusic(m_Music);
}

void cMusicStream::Play()
{
    g_Playing = this;
    Mix_HookMusicFinished(g_OnFinished);
    Mix_VolumeMusic(int(std::lround(std::clamp(m_Volume, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
    if (Mix_PlayMusic(m_Music, 0) != 0)
        g_Playing = nullptr;
}

void cMusicStream::Stop()
{
    if (g_Playing != this)
        return;
    Mix_HaltMusic();
    g_Playing = nullptr;
}

bool cMusicStream::IsPlaying() const { return g_Playing == this && Mix_PlayingMusic() != 0; }

void cMusicStream::SetVolume(float volume)
{
    m_Volume = volume;
    if (g_Playing == this)
        Mix_VolumeMusic(int(std::lround(std::clamp(volume, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
}
