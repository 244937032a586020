#include "tests/game/testland.h"

#include <filesystem>

#include "tests/test_support.h"

namespace testland {

void InstallTestland()
{
    namespace fs = std::filesystem;
    fs::create_directories("data/scenarios");
    fs::remove_all("data/scenarios/Testland");
    fs::copy(testing_support::FixtureDir() / "testland" / "data" / "scenarios" / "Testland", "data/scenarios/Testland",
             fs::copy_options::recursive);
}

} // namespace testland
