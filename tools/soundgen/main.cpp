// Synthesises the game's sound effects into data/sound/ and the map's music with its
// playlists into data/Music/ (16-bit mono WAVE at 22050 Hz).
// Usage: velmorant-soundgen SOUND_DIR [MUSIC_DIR]
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/paths.h"
#include "tools/soundgen/effects.h"
#include "shell/sound_effects.h"

namespace {

// The tracks, the general playlist (-1) that names them and the list of playlists; the paths
// inside are relative to the game folder.
int WriteMusic(const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::string playlist = "# The general playlist: played when no human country has its own.\r\n";
    for (const sMusicTrack& track : GameMusicTracks()) {
        if (!WriteWholeFile(dir / track.file, EncodeWave(track.sound))) {
            std::cerr << (dir / track.file).string() << ": cannot write\n";
            return 1;
        }
        playlist += "data/Music/" + track.file + "\r\n";
    }
    std::string list = "# playlist number (a country id, -1 for all others);playlist file\r\n"
                       "-1;data/Music/general.txt\r\n";
    if (!WriteWholeFile(dir / "general.txt", playlist) || !WriteWholeFile(dir / "playlists.csv", list)) {
        std::cerr << dir.string() << ": cannot write the playlists\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const char* usage = "usage: velmorant-soundgen SOUND_DIR [MUSIC_DIR]\n";
    // An option is never a folder: "--help" would otherwise fill a folder of that name.
    if (argc >= 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << usage;
        return 0;
    }
    if ((argc != 2 && argc != 3) || argv[1][0] == '-' || (argc == 3 && argv[2][0] == '-')) {
        std::cerr << usage;
        return 2;
    }
    std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (int slot = 0; slot < sound_effects::kEffectCount; slot++) {
        std::filesystem::path path = dir / (std::string(sound_effects::kEffects[slot].name) + ".wav");
        if (!WriteWholeFile(path.string(), EncodeWave(MakeEffect(slot)))) {
            std::cerr << path.string() << ": cannot write\n";
            return 1;
        }
    }
    if (argc == 3)
        return WriteMusic(argv[2]);
    return 0;
}
