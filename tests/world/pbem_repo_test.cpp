#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "core/stringbase.h"
#include "core/text.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"
#include "world/pbem_repo.h"

using namespace testing_support;

namespace {
// The repository lives at data\pbem\repo.dat of the working folder.
std::filesystem::path MakeRepo(const std::string& bytes)
{
    std::filesystem::create_directories("data/pbem");
    WriteFile("data/pbem/repo.dat", bytes);
    return "data/pbem/repo.dat";
}

std::string Repo()
{
    return ReadWholeFile("data/pbem/repo.dat").value_or("");
}

int IdAt(const std::string& bytes, size_t record)
{
    return int(ReadLE32(reinterpret_cast<const unsigned char*>(bytes.data()) + record * 504 + 500));
}
} // namespace

TEST(PbemRepository, RecordsAreWrittenInPlaceOrAppended)
{
    MakeRepo("");
    WritePbemRepositoryEntry(3, L"A");
    EXPECT_EQ(Repo().size(), 504u);
    WritePbemRepositoryEntry(4, L"B");
    WritePbemRepositoryEntry(7, L"B");
    ASSERT_EQ(Repo().size(), 1008u);
    EXPECT_EQ(IdAt(Repo(), 1), 7);
    WritePbemRepositoryEntry(9, L"C");
    ASSERT_EQ(Repo().size(), 1512u);
    EXPECT_EQ(IdAt(Repo(), 2), 9);
    WritePbemRepositoryEntry(5, L"b"); // names differ in case: another game
    EXPECT_EQ(Repo().size(), 2016u);
    WritePbemRepositoryEntry(6, L"A"); // the first record is found too
    EXPECT_EQ(Repo().size(), 2016u);
    EXPECT_EQ(IdAt(Repo(), 0), 6);
    EXPECT_EQ(Repo().substr(1008, 2), std::string("C\0", 2));
}

TEST(PbemRepository, ReadingAnAbsentNameStoresTheNextPlayer)
{
    MakeRepo("");
    WritePbemRepositoryEntry(2, L"War in the east");
    int asked = 0;
    auto next = [&asked] {
        ++asked;
        return 6;
    };
    EXPECT_EQ(ReadPbemRepositoryEntry(L"War in the east", next), 2);
    EXPECT_EQ(ReadPbemRepositoryEntry(L"Other", next), 6);
    EXPECT_EQ(ReadPbemRepositoryEntry(L"Other", next), 6);
    EXPECT_EQ(asked, 1);
    const std::wstring longName(250, L'x');
    EXPECT_EQ(ReadPbemRepositoryEntry(longName, next), 6);
    EXPECT_EQ(ReadPbemRepositoryEntry(longName.substr(0, 249), next), 6); // cut to 249 characters
    EXPECT_EQ(asked, 2);
}

TEST(PbemRepository, AMisalignedFileIsReportedAndKeptAligned)
{
    MakeRepo(std::string(10, 'z'));
    ClearLog();
    WritePbemRepositoryEntry(8, L"A");
    EXPECT_EQ(Repo().size(), 504u); // the partial record is written over, not appended after
    EXPECT_TRUE(LogContains(L"WARNING: data\\pbem\\repo.dat is 10 bytes long, not a whole number of 504-byte records; "
                            L"the 10 bytes after record 0 are ignored"));
    EXPECT_EQ(ReadPbemRepositoryEntry(L"A", [] { return 1; }), 8);
}

// The file is only a record the player can delete or put a folder in the place of: the
// caller is told why, and the game goes on.
TEST(PbemRepository, AMissingFileOrAFolderInItsPlaceIsToldWithWhy)
{
    std::filesystem::remove("data/pbem/repo.dat");
    for (const char* key : {"pbem_repository_missing", "pbem_repository_is_a_folder"}) {
        std::wstring why, readWhy;
        EXPECT_FALSE(WritePbemRepositoryEntry(1, L"A", &why));
        EXPECT_FALSE(ReadPbemRepositoryEntry(L"A", [] { return 1; }, &readWhy).has_value());
        EXPECT_EQ(why, LangMessage(key));
        EXPECT_EQ(readWhy, why);
        std::filesystem::create_directories("data/pbem/repo.dat");
    }
    EXPECT_FALSE(FileExists("data/pbem/repo.dat")); // never made a file
    std::filesystem::remove("data/pbem/repo.dat");
    // One that cannot be made is told with the system's reason, not as missing.
    std::filesystem::remove_all("data/pbem");
    WriteFile("data/pbem", "in the way");
    EXPECT_EQ(MakePbemRepository(), Utf8ToWide(std::make_error_code(std::errc::not_a_directory).message()));
    std::filesystem::remove("data/pbem");
    EXPECT_EQ(MakePbemRepository(), std::nullopt);
    EXPECT_TRUE(FileExists("data/pbem/repo.dat"));
}
