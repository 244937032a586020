#pragma once
// Comparing a frame drawn offscreen with its stored picture.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct sScreenshotCheck
{
    std::filesystem::path actualFile; // the frame as drawn, for a look after a failure
    bool stored = false;              // VELMORANT_WRITE_SCREENSHOTS=1 stored it instead of comparing
    int differing = 0;                // pixels with a colour channel more than 48 off
    std::vector<bool> differingAt;    // the same, per pixel row by row, once compared
};

// Saves the ARGB frame as actual.png in the scratch folder `scratchName`, then either stores
// it as `expectedFile` (VELMORANT_WRITE_SCREENSHOTS=1) or counts how far it is from it.
// Fails fatally when the stored picture is missing or of another size: call it under
// ASSERT_NO_FATAL_FAILURE.
void CheckScreenshot(const std::vector<uint32_t>& pixels, int width, int height, const std::string& scratchName,
                     const std::filesystem::path& expectedFile, sScreenshotCheck& check);
