#pragma once
// Sound effects on SDL_mixer: one audio device, and effects loaded from WAVE files that
// can sound several times at once (one mixer channel per copy).
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/messages.h"

struct Mix_Chunk;

class CSoundManager
{
public:
    CSoundManager() = default;
    ~CSoundManager();
    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

    // Starts the audio part of SDL. E_FAIL when there is no audio output.
    tResult Initialize();
    // Opens the output: the rate and channels asked for, 16-bit samples (8-bit output is
    // audibly noisy and every device takes 16).
    tResult SetPrimaryBufferFormat(int channels, int frequency, int bitsPerSample);
    bool IsOpen() const { return m_Open; }
    // Why the last Initialize or SetPrimaryBufferFormat failed, as the system says it.
    const std::string& LastError() const { return m_Error; }

    // Reserves mixer channels for one more effect; returns the first.
    int ReserveChannels(int count);

private:
    bool m_AudioStarted = false;
    bool m_Open = false;
    int m_Channels = 0; // mixer channels handed out
    std::string m_Error;
};

class CSound
{
public:
    // Null (with the reason logged by the caller) when the file cannot be read.
    static std::unique_ptr<CSound> Create(CSoundManager& manager, const std::filesystem::path& file, int copies);
    ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Plays one copy from the start: a copy that is silent, or, when all sound, one of
    // them at random. volume: hundredths of a decibel below full (0 full, -10000 silent),
    // applied as a linear gain of 1 + volume / 10000 so that the setting's middle is half
    // loudness. Returns the channel used, -1 on failure.
    int Play(int volume, bool loop = false);
    void Stop();
    int Copies() const { return int(m_ChannelList.size()); }
    // How many copies sound now.
    int PlayingCopies() const;
    // The mixer volume (0..128) last set on a channel of this effect.
    int LastMixerVolume() const { return m_LastVolume; }
    // How many times a copy was started: a short effect may be over before anyone looks.
    int Starts() const { return m_Starts.load(); }

private:
    CSound() = default;
    Mix_Chunk* m_Chunk = nullptr;
    std::vector<int> m_ChannelList;
    int m_LastVolume = 0;
    std::atomic<int> m_Starts{0}; // effects sound from either thread
};

// The mixer volume (0..128) of a volume in hundredths of a decibel.
int MixerVolumeFromHundredthsDb(int volume);
