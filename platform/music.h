#pragma once
// Music streamed from a file (WAVE, Ogg Vorbis and the other formats of SDL_mixer) through
// the mixer's music channel. The mixer plays one stream at a time: starting one stops the
// one that played.
#include <filesystem>
#include <memory>

struct _Mix_Music;

class cMusicStream
{
public:
    // Null while the audio output is closed or when the file cannot be decoded.
    static std::unique_ptr<cMusicStream> Open(const std::filesystem::path& file);
    ~cMusicStream();
    cMusicStream(const cMusicStream&) = delete;
    cMusicStream& operator=(const cMusicStream&) = delete;

    // Plays once from the start at the stream's volume.
    void Play();
    void Stop();
    bool IsPlaying() const;
    // 0 to 1; heard at once when the stream plays.
    void SetVolume(float volume);
    float GetVolume() const { return m_Volume; }
    // Runs on the mixer's thread when a stream comes to its end (it may only post a
    // wake-up): the next track is chosen by a frame, and a still screen draws none.
    static void SetFinishedCallback(void (*callback)());

private:
    explicit cMusicStream(_Mix_Music* music) : m_Music(music) {}
    _Mix_Music* m_Music;
    float m_Volume = 1.0f;
};
