// Synthesises the game's sound effects into data/sound/ (16-bit mono WAVE at 22050 Hz).
// Usage: velmorant-soundgen OUTPUT_DIR
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/paths.h"
#include "tools/soundgen/effects.h"
#include "tools/soundgen/sound_effects.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: velmorant-soundgen OUTPUT_DIR\n";
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
    return 0;
}
