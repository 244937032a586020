#pragma once
// Background music by playlist: a playlist per country id (-1 the general one), whose
// tracks play one after another in random order, never the same twice running; and one
// file played on its own (the credits music).
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class cMusicStream;

// Seeds the dice that pick the tracks, once at start-up, as the game's own dice are seeded:
// each start of the program plays its own order.
void SeedMusicDice(uint32_t seed);

class cMusicPlayer
{
public:
    // Reads data/Music/playlists.csv; the volume is the music setting.
    cMusicPlayer();
    ~cMusicPlayer();
    cMusicPlayer(const cMusicPlayer&) = delete;
    cMusicPlayer& operator=(const cMusicPlayer&) = delete;

    // False when the number has no playlist; the current one is kept playing.
    bool SelectPlaylist(int number);
    // Every frame of a game: the next track when the current one has ended.
    void Update();
    // The tracks' volume (0 to 1); the single file keeps its own.
    void SetVolume(float volume);
    float GetVolume() const { return m_Volume; }
    // Plays the file once on its own; nothing when it cannot be opened.
    void PlayFile(const std::string& path);
    void StopFile();
    bool IsFilePlaying() const;
    void Shutdown();

    int GetCurrentPlaylist() const { return m_CurrentPlaylist; }
    int GetCurrentTrack() const { return m_CurrentTrack; }
    int GetTrackCount() const { return int(m_Tracks.size()); }
    const std::map<int, std::string>& GetPlaylists() const { return m_Playlists; }

private:
    void ReadPlaylists();
    void LoadPlaylist(const std::string& path);
    int PickNextTrack() const;
    void PlayTrack(int index);

    std::vector<std::unique_ptr<cMusicStream>> m_Tracks;
    int m_CurrentTrack = -1;
    float m_Volume = 1.0f;
    std::map<int, std::string> m_Playlists;
    int m_CurrentPlaylist = -2;
    std::unique_ptr<cMusicStream> m_SingleFile;
};
