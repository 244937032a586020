// The bundled scenario is what its generator makes of the sources beside it.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/paths.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;
using testing_support::BinDir;

namespace {

// The pixels of a picture as ARGB, so that another version of the PNG compressor does not
// count as a change.
std::vector<uint32_t> Pixels(const fs::path& path, int& width, int& height)
{
    std::vector<uint32_t> out;
    SDL_Surface* loaded = IMG_Load(path.string().c_str());
    SDL_Surface* argb = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    if (argb) {
        width = argb->w;
        height = argb->h;
        for (int y = 0; y < argb->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
            out.insert(out.end(), row, row + argb->w);
        }
    }
    SDL_FreeSurface(argb);
    SDL_FreeSurface(loaded);
    return out;
}

} // namespace
using testing_support::MakeScratchDir;
using testing_support::SourceDir;

TEST(Europe1939Generator, WritesTheCommittedFilesAgain)
{
    const fs::path out = MakeScratchDir("generated") / "Europe1939";
    const fs::path log = out.parent_path() / "log";
    const std::string command = (BinDir() / "velmorant-scenariogen").string() + " '" +
                                (SourceDir() / "tools" / "scenariogen").string() + "' '" + out.string() + "' > '" +
                                log.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadWholeFile(log).value_or("");

    const fs::path committed = SourceDir() / "data" / "scenarios" / "Europe1939";
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
        ++files;
        const fs::path name = entry.path().filename();
        ASSERT_TRUE(fs::exists(committed / name)) << name << " is not committed: run the generator and commit its files";
        if (name.extension() == ".png") {
            int w1 = 0, h1 = 0, w2 = 0, h2 = 0;
            const std::vector<uint32_t> made = Pixels(entry.path(), w1, h1);
            const std::vector<uint32_t> kept = Pixels(committed / name, w2, h2);
            EXPECT_FALSE(made.empty()) << name;
            EXPECT_TRUE(w1 == w2 && h1 == h2 && made == kept) << name << " differs from what the generator draws now";
            continue;
        }
        EXPECT_TRUE(ReadWholeFile(entry.path()) == ReadWholeFile(committed / name))
            << name << " differs from what the generator writes now";
    }
    size_t committedFiles = 0;
    for (const auto& entry : fs::directory_iterator(committed)) {
        ++committedFiles;
        EXPECT_TRUE(fs::exists(out / entry.path().filename()))
            << entry.path().filename() << " is committed but the generator no longer writes it";
    }
    EXPECT_EQ(files, committedFiles);
    EXPECT_GE(files, 25u);
}

TEST(Europe1939Generator, RefusesSourcesItCannotRead)
{
    const fs::path sources = MakeScratchDir("sources");
    fs::copy(SourceDir() / "tools" / "scenariogen" / "europe", sources / "europe", fs::copy_options::recursive);
    fs::copy(SourceDir() / "tools" / "scenariogen" / "europe1939", sources / "europe1939",
             fs::copy_options::recursive);
    // A unit placed in a city that does not exist.
    {
        auto forces = ReadWholeFile(sources / "europe1939" / "forces.txt").value_or("");
        forces += "\ncountry GE\nland 1; 2; 100; Lost Corps; Atlantis\n";
        WriteWholeFile(sources / "europe1939" / "forces.txt", forces);
    }
    const fs::path log = sources / "log";
    const std::string command = (BinDir() / "velmorant-scenariogen").string() + " '" + sources.string() + "' '" +
                                (sources / "out").string() + "' > '" + log.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_NE(ReadWholeFile(log).value_or("").find("Atlantis"), std::string::npos);
    EXPECT_FALSE(fs::exists(sources / "out" / "map.qvr"));

    // A city held by a country that does not exist: the file and line are named.
    fs::copy(SourceDir() / "tools" / "scenariogen" / "europe1939" / "forces.txt", sources / "europe1939" / "forces.txt",
             fs::copy_options::overwrite_existing);
    {
        auto cities = ReadWholeFile(sources / "europe" / "cities_1939.txt").value_or("");
        cities += "Atlantis City; 0.0; 45.0; normal; 1; 1; AT\n";
        WriteWholeFile(sources / "europe" / "cities_1939.txt", cities);
    }
    const int second = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(second) && WEXITSTATUS(second) == 1);
    const std::string said = ReadWholeFile(log).value_or("");
    EXPECT_NE(said.find("cities_1939.txt:"), std::string::npos) << said;
    EXPECT_NE(said.find("unknown holder AT"), std::string::npos) << said;

    // Delivery times that are only the numbers of the types, 1 to 14.
    fs::copy(SourceDir() / "tools" / "scenariogen" / "europe", sources / "europe",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    {
        std::string consts = ReadWholeFile(sources / "europe1939" / "consts.csv").value_or("");
        // The first data line after the row's comment.
        size_t start = consts.find("# row 154:");
        ASSERT_NE(start, std::string::npos);
        while (consts[start] == '#')
            start = consts.find('\n', start) + 1;
        consts.replace(start, consts.find_first_of("\r\n", start) - start, "1;2;3;4;5;6;7;8;9;10;11;12;13;14;");
        WriteWholeFile(sources / "europe1939" / "consts.csv", consts);
    }
    const int third = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(third) && WEXITSTATUS(third) == 1);
    EXPECT_NE(ReadWholeFile(log).value_or("").find("row 154 needs the delivery time"), std::string::npos)
        << ReadWholeFile(log).value_or("");
}
