#include "platform/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <random>

CSoundManager::~CSoundManager()
{
    if (m_Open) {
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
    }
    if (m_AudioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

tResult CSoundManager::Initialize()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_Error = SDL_GetError();
        return E_FAIL;
    }
    m_AudioStarted = true;
    return S_OK;
}

tResult CSoundManager::SetPrimaryBufferFormat(int channels, int frequency, int)
{
    if (!m_AudioStarted || channels < 1 || frequency < 8000) {
        m_Error = m_AudioStarted ? "unsupported output format" : "no audio driver";
        return E_FAIL;
    }
    if (m_Open)
        Mix_CloseAudio();
    if (Mix_OpenAudio(frequency, AUDIO_S16SYS, channels, 1024) != 0) {
        m_Error = Mix_GetError();
        m_Open = false;
        return E_FAIL;
    }
    m_Open = true;
    Mix_AllocateChannels(std::max(m_Channels, 8));
    return S_OK;
}

int CSoundManager::ReserveChannels(int count)
{
    int first = m_Channels;
    m_Channels += count;
    if (m_Open)
        Mix_AllocateChannels(m_Channels);
    return first;
}

int MixerVolumeFromHundredthsDb(int volume)
{
    // An amplitude of 10^(dB / 20); the mixer has 128 steps, and what rounds below its least is silence.
    double gain = std::clamp(std::pow(10.0, volume / 2000.0), 0.0, 1.0);
    return int(std::lround(gain * MIX_MAX_VOLUME));
}

std::unique_ptr<CSound> CSound::Create(CSoundManager& manager, const std::filesystem::path& file, int copies)
{
    if (!manager.IsOpen() || copies < 1)
        return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV(file.string().c_str());
    if (!chunk)
        return nullptr;
    std::unique_ptr<CSound> sound(new CSound());
    sound->m_Chunk = chunk;
    int first = manager.ReserveChannels(copies);
    for (int k = 0; k < copies; ++k)
        sound->m_ChannelList.push_back(first + k);
    return sound;
}

CSound::~CSound()
{
    Stop();
    if (m_Chunk)
        Mix_FreeChunk(m_Chunk);
}

int CSound::Play(int volume, bool loop)
{
    if (!m_Chunk || m_ChannelList.empty())
        return -1;
    int channel = -1;
    for (int c : m_ChannelList) {
        if (!Mix_Playing(c)) {
            channel = c;
            break;
        }
    }
    // Every copy sounds: one of them, picked at random, starts again. The pick has dice of
    // its own: when the copies end is a matter of time, and the game's dice (kept in saves
    // for an exact continuation) must not depend on it.
    thread_local std::minstd_rand pick;
    if (channel < 0)
        channel = m_ChannelList[std::uniform_int_distribution<size_t>(0, m_ChannelList.size() - 1)(pick)];
    m_LastVolume = MixerVolumeFromHundredthsDb(volume);
    Mix_Volume(channel, m_LastVolume);
    const int played = Mix_PlayChannel(channel, m_Chunk, loop ? -1 : 0);
    if (played >= 0)
        ++m_Starts;
    return played;
}

void CSound::Stop()
{
    if (!m_Chunk)
        return;
    for (int c : m_ChannelList)
        if (Mix_GetChunk(c) == m_Chunk)
            Mix_HaltChannel(c);
}

int CSound::PlayingCopies() const
{
    int count = 0;
    for (int c : m_ChannelList)
        count += Mix_Playing(c) ? 1 : 0;
    return count;
}
