// The developer dump of the loaded event files.
#include <gtest/gtest.h>

#include "events/events.h"
#include "game/game.h"
#include "platform/paths.h"
#include "world/country.h"
#include "tests/events/event_test_support.h"
#include "tests/test_support.h"

using namespace event_testing;

namespace {

TEST(EventDump, WritesEveryEventOfEachFileBesideIt)
{
    auto xml = ReadWholeFile(testing_support::FixtureDir() / "events" / "dump_events.xml");
    auto expected = ReadWholeFile(testing_support::FixtureDir() / "events" / "dump_expected.txt");
    ASSERT_TRUE(xml && expected);
    cGra game(sGameLoadRequest::ForScenario(L"dump"), 0);
    for (const wchar_t* name : {L"Poland", L"Germany"}) {
        game.m_Countries.push_back(new cPanstwo);
        game.m_Countries.back()->ID = int(game.m_Countries.size());
        game.m_Countries.back()->Name = name;
    }
    WriteEventScenario("dump", {{"dump_events.xml", *xml}, {"second.data", EventFile("")}});
    cZdarzenia manager;
    manager.LoadEventFiles("dump");
    manager.ValidateEventFiles();
    manager.LoadAllEventsFromDom();
    const size_t eventsBefore = manager.events.size();
    manager.DumpAllEvents();
    EXPECT_EQ(manager.events.size(), eventsBefore) << "the dump changes nothing";

    auto written = ReadWholeFile(HostPath("data\\scenarios\\dump\\dump_events"));
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, *expected);
    // Any name loses its last four characters; a file without events gives an empty dump.
    auto empty = ReadWholeFile(HostPath("data\\scenarios\\dump\\second."));
    ASSERT_TRUE(empty);
    EXPECT_EQ(*empty, "");
    DeleteCountries(game.m_Countries);
}

TEST(EventDump, EffectsAndOptionsPrintTheirDefaults)
{
    cEventEffect bare;
    bare.method = L"View.CenterAt";
    bare.line = 9;
    EXPECT_EQ(bare.ToText(), L"View.CenterAt()  #line: 9\n");
    cEventOption option;
    EXPECT_NE(option.ToText().find(L"AI chance: -1%\n"), std::wstring::npos);
}

} // namespace
