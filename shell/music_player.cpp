#include "shell/music_player.h"

#include <charconv>
#include <random>

#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "platform/music.h"
#include "platform/paths.h"
#include "shell/sound.h"

namespace {

bool SkippedLine(const std::wstring& line) { return line.empty() || line[0] == L';' || line[0] == L'#'; }

// Dice of the music's own: a track ends when its time is up, and the game's dice (kept
// in saves for an exact continuation) must not depend on when that is. Seeds a second apart
// must not begin alike, as they would with a plain multiplier's first draw.
std::mt19937 g_MusicDice;

} // namespace

void SeedMusicDice(uint32_t seed) { g_MusicDice.seed(seed); }

cMusicPlayer::cMusicPlayer() : m_Volume(g_UserSettings.musicVolume) { ReadPlaylists(); }

cMusicPlayer::~cMusicPlayer() { Shutdown(); }

void cMusicPlayer::ReadPlaylists()
{
    auto lines = ReadTextLines(HostPath(std::string_view("data/Music/playlists.csv")));
    if (!lines) {
        LogLine(L"%s", LangText("error:_could_not_open_file_data/music/playlists.csv"));
        return;
    }
    for (const std::wstring& line : *lines) {
        if (SkippedLine(line))
            continue;
        const size_t split = line.find(L';');
        if (split == std::wstring::npos || split == 0 || split + 1 == line.size())
            continue;
        const std::string number = WideToUtf8(line.substr(0, split));
        int id = 0;
        auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), id);
        if (error != std::errc() || end != number.data() + number.size())
            continue;
        const std::string path = WideToUtf8(line.substr(split + 1));
        if (m_Playlists.emplace(id, path).second)
            LogLine(LangText("playlist_%d:_%s"), id, Utf8ToWide(path));
    }
}

bool cMusicPlayer::SelectPlaylist(int number)
{
    auto found = m_Playlists.find(number);
    if (found == m_Playlists.end())
        return false;
    if (number == m_CurrentPlaylist)
        return true;
    LoadPlaylist(found->second);
    m_CurrentPlaylist = number;
    return true;
}

void cMusicPlayer::LoadPlaylist(const std::string& path)
{
    auto lines = ReadTextLines(HostPath(std::string_view(path)));
    if (m_CurrentTrack >= 0)
        m_Tracks[size_t(m_CurrentTrack)]->Stop();
    m_Tracks.clear();
    m_CurrentTrack = -1;
    // Without a sound output the start-up has said why once; no track is opened.
    if (!lines || !SoundOffReason().empty())
        return;
    for (const std::wstring& line : *lines) {
        if (SkippedLine(line))
            continue;
        const std::string track = WideToUtf8(line);
        auto stream = cMusicStream::Open(HostPath(std::string_view(track)));
        if (!stream) {
            // The Polish letters as meant: the design's text of this line lost them to a code page.
            LogLine(L"ERROR: nie udało się otworzyć strumienia audiere do pliku %s", line);
            continue;
        }
        stream->SetVolume(m_Volume);
        m_Tracks.push_back(std::move(stream));
    }
    PlayTrack(PickNextTrack());
}

int cMusicPlayer::PickNextTrack() const
{
    const int count = int(m_Tracks.size());
    if (count == 0)
        return -1;
    if (count == 1)
        return 0;
    std::uniform_int_distribution<int> track(0, count - 1);
    int next = m_CurrentTrack;
    while (next == m_CurrentTrack)
        next = track(g_MusicDice);
    return next;
}

void cMusicPlayer::PlayTrack(int index)
{
    m_CurrentTrack = index;
    // The single file has the music channel to itself while it plays.
    if (index >= 0 && !IsFilePlaying())
        m_Tracks[size_t(index)]->Play();
}

void cMusicPlayer::Update()
{
    if (m_CurrentPlaylist == -2 || m_Tracks.empty() || IsFilePlaying())
        return;
    if (m_CurrentTrack >= 0 && m_Tracks[size_t(m_CurrentTrack)]->IsPlaying())
        return;
    PlayTrack(PickNextTrack());
}

void cMusicPlayer::SetVolume(float volume)
{
    m_Volume = volume;
    for (auto& track : m_Tracks)
        track->SetVolume(volume);
}

void cMusicPlayer::PlayFile(const std::string& path)
{
    StopFile();
    if (m_CurrentTrack >= 0)
        m_Tracks[size_t(m_CurrentTrack)]->Stop();
    m_SingleFile = cMusicStream::Open(HostPath(std::string_view(path)));
    // The tracks wait: SDL_mixer plays one music stream at a time.
    if (m_SingleFile)
        m_SingleFile->Play();
}

void cMusicPlayer::StopFile()
{
    if (m_SingleFile)
        m_SingleFile->Stop();
    m_SingleFile.reset();
}

bool cMusicPlayer::IsFilePlaying() const { return m_SingleFile && m_SingleFile->IsPlaying(); }

void cMusicPlayer::Shutdown()
{
    if (m_CurrentTrack >= 0)
        m_Tracks[size_t(m_CurrentTrack)]->Stop();
    m_CurrentTrack = -1;
    m_Playlists.clear();
    m_CurrentPlaylist = -2;
    m_Tracks.clear();
    StopFile();
}
