#pragma once
// One movie played over the whole window. The callers block the main loop while it plays:
// they poll IsPlaying, pump the window's messages and show each frame with ShowFrame.
#include <cstdint>
#include <memory>
#include <string>

class cMovie;

class cMoviePlayer
{
public:
    cMoviePlayer();
    ~cMoviePlayer();
    cMoviePlayer(const cMoviePlayer&) = delete;
    cMoviePlayer& operator=(const cMoviePlayer&) = delete;

    // True when the movie is ready to play; a missing or unplayable file logs
    // "-----Could not open video file: <path>".
    bool Open(const std::wstring& path);
    void Play();
    void Stop();
    // True while the movie runs: started, not stopped and not at its end.
    bool IsPlaying();
    // Draws and presents the frame due now, when it is not on the screen yet.
    void ShowFrame();

private:
    std::unique_ptr<cMovie> m_Movie;
    int m_FramesShown = 0;
    bool m_Playing = false;
    uint32_t m_StartMs = 0;
};

// What a movie loop saw in the window's messages since it last asked: a press of the left
// button or of Escape, and the window's close.
struct sMovieInput
{
    bool leftButton = false;
    bool escape = false;
    bool closed = false;
};
// Pumps the window's messages through the framework (so closing the window works) and
// reports the presses among them together with the keys held now.
sMovieInput PumpMovieInput();
