#pragma once
// Reads the 16-bit PCM WAVE files the sound generator writes, for the tests.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wave_test {

struct sWave {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

inline uint32_t U32(const std::string& b, size_t at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}
inline uint16_t U16(const std::string& b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

// Reads a RIFF WAVE file chunk by chunk; nothing when it is not one.
inline std::optional<sWave> ParseWave(const std::string& b)
{
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0 || U32(b, 4) != b.size() - 8)
        return std::nullopt;
    sWave w;
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        std::string id = b.substr(at, 4);
        size_t size = U32(b, at + 4), body = at + 8;
        if (body + size > b.size())
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            w.format = U16(b, body);
            w.channels = U16(b, body + 2);
            w.rate = int(U32(b, body + 4));
            w.bits = U16(b, body + 14);
            haveFormat = true;
        } else if (id == "data" && haveFormat && w.bits == 16) {
            for (size_t i = 0; i + 1 < size; i += 2)
                w.samples.push_back(int16_t(U16(b, body + i)));
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || !haveData)
        return std::nullopt;
    return w;
}

} // namespace wave_test
