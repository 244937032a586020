#include <gtest/gtest.h>

#include "core/ini.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

TEST(IniFile, TypedGettersReadValuesAndStoreDefaults)
{
    cIniFile ini;
    ini.LoadFromText("[Main]\r\nResolutionX = 1280\r\nA=True\r\nB=1\r\nC=yes\nD = x=y=z\nno equals here\n", "t.ini");
    EXPECT_EQ(ini.GetInt("Main/ResolutionX", 1024), 1280);
    EXPECT_FALSE(ini.GetBool("Main/A", true));
    EXPECT_FALSE(ini.GetBool("Main/B", true));
    EXPECT_TRUE(ini.GetBool("Main/C", false));
    EXPECT_EQ(ini.GetString("Main/D", L""), L"x=y=z");
    EXPECT_FALSE(ini.HasKey("Main/no equals here"));
    EXPECT_FALSE(ini.HasKey("New/Key"));
    EXPECT_EQ(ini.GetInt("New/Key", 42), 42);
    EXPECT_TRUE(ini.HasKey("New/Key"));
    EXPECT_EQ(ini.GetInt("New/Key", 7), 42) << "the stored default holds";
}

TEST(IniFile, SaveWritesSortedSectionsWithCommentsAndKeepsSectionlessKeysApart)
{
    auto dir = testing_support::MakeScratchDir("ini1");
    WriteWholeFile(dir / "s.ini", "TopKey=1\n; about main\n[Main]\nX = 5\n# trailing comment\n");
    cIniFile ini;
    ASSERT_TRUE(ini.Load(dir / "s.ini"));
    ini.GetInt("Audio/SFXVolume", 100);
    ini.SetBool("Main/Fullscreen", false);
    WriteWholeFile(dir / "s.ini.tmp", "another program's");
    WriteWholeFile(dir / "s.ini.4194305.tmp", "a write killed on its way");
    const cFileLock running(dir / "s.ini.1.tmp");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadWholeFile(dir / "s.ini.tmp"), std::optional<std::string>("another program's")) << "left to it";
    EXPECT_FALSE(FileExists(dir / "s.ini.4194305.tmp")) << "its program is gone";
    EXPECT_TRUE(FileExists(dir / "s.ini.1.tmp")) << "a running game's write";
    EXPECT_EQ(ReadWholeFile(dir / "s.ini").value(),
              "TopKey = 1\r\n"
              "\r\n[Audio]\r\nSFXVolume = 100\r\n"
              "\r\n; about main\r\n[Main]\r\nFullscreen = false\r\nX = 5\r\n");
    // What was saved reads back to the same text.
    cIniFile again;
    ASSERT_TRUE(again.Load(dir / "s.ini"));
    EXPECT_EQ(again.BuildText(), ini.BuildText());
}

TEST(IniFile, FailedLoadNeverCreatesTheFile)
{
    auto dir = testing_support::MakeScratchDir("ini2");
    cIniFile ini;
    EXPECT_FALSE(ini.Load(dir / "missing.ini"));
    EXPECT_EQ(ini.GetInt("Main/ResolutionX", 1024), 1024);
    EXPECT_FALSE(ini.Save());
    EXPECT_FALSE(FileExists(dir / "missing.ini"));
    EXPECT_TRUE(testing_support::LogContains(L"ERROR during opening INI file " +
                                             std::wstring((dir / "missing.ini").wstring())));
}

TEST(IniFile, TextsBeyondLatin1SurviveSaveAs)
{
    auto dir = testing_support::MakeScratchDir("ini3");
    cIniFile ini;
    ini.SetString("General/Name", L"Wrzesie\u0144 1939 \u2014 \u0412\u043E\u0439\u043D\u0430");
    ASSERT_TRUE(ini.SaveAs(dir / "Info.ini"));
    cIniFile back;
    ASSERT_TRUE(back.Load(dir / "Info.ini"));
    EXPECT_EQ(back.GetString("General/Name", L""), L"Wrzesie\u0144 1939 \u2014 \u0412\u043E\u0439\u043D\u0430");
}

} // namespace
