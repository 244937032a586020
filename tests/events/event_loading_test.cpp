// Reading event_files.txt and the XML event files into events.
#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "core/text.h"
#include "events/events.h"
#include "platform/paths.h"
#include "tests/events/event_test_support.h"
#include "tests/test_support.h"

using namespace event_testing;
using testing_support::LogContains;
using testing_support::LogHasInOrder;

namespace {

const char* kEvent = "<event eventID=\"%d\" countryID=\"2\" visibleByPlayer=\"1\" oneTimeChecking=\"0\"/>\n";

std::string SimpleEvent(int id)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, kEvent, id);
    return buf;
}

TEST(EventLoading, RecordsStartUnsetAndCopiesAreDeep)
{
    cZdarzenie fresh;
    EXPECT_FALSE(fresh.beginDate.IsSet());
    EXPECT_FALSE(fresh.endDate.IsSet());
    EXPECT_TRUE(fresh.condition.Evaluate()) << "an empty condition is true";
    cEventOption option;
    EXPECT_EQ(option.optionID, -1);
    EXPECT_EQ(option.chanceAI, -1);

    auto* source = new cZdarzenie;
    source->title = L"Source";
    source->condition.children.emplace_back();
    source->condition.children[0].expressions.emplace_back();
    source->condition.children[0].expressions[0].leftOperand.method = L"Flag.GetValue";
    source->options.push_back(option);
    source->options[0].effects.emplace_back();
    source->options[0].effects[0].method = L"Flag.SetValue";
    cZdarzenie copy = *source;
    delete source;
    ASSERT_EQ(copy.condition.children.size(), 1u);
    EXPECT_EQ(copy.condition.children[0].expressions[0].leftOperand.method, L"Flag.GetValue");
    EXPECT_EQ(copy.options[0].effects[0].method, L"Flag.SetValue");
}

TEST(EventLoading, RemovingAPairKeepsTheOthersInOrder)
{
    std::list<std::pair<int32_t, int32_t>> targets = {{1, 2}, {3, 4}, {1, 2}, {2, 1}, {5, 6}};
    RemovePairFromList(targets, 1, 2);
    EXPECT_EQ(targets, (std::list<std::pair<int32_t, int32_t>>{{3, 4}, {2, 1}, {5, 6}}));
}

TEST(EventLoading, ReadsEveryFieldOfAnEvent)
{
    cZdarzenia manager;
    LoadEvents(manager, R"(<event eventID="7" countryID="3" visibleByPlayer="1" oneTimeChecking="1" enableInPbem="0">
  <title>Case White</title>
  <description>Żółć i „cudzysłów”</description>
  <image>data\events\poland.png</image>
  <beginDate day="1" month="9" year="1939"/>
  <endDate day="30" month="10" year="1939"/>
  <unknownElement/>
  <condition>
    <expression><leftOperand constValue="1"/><operator value="equals"/><rightOperand constValue="1"/></expression>
    <or>
      <expression><leftOperand method="Flag.GetValue" param0="3"/><operator value="greater"/><rightOperand constValue="0"/></expression>
      <and/>
    </or>
    <and/>
  </condition>
  <options>
    <option optionID="1" chanceAI="30">
      <description>Attack</description>
      <tooltip>Go</tooltip>
      <effects>
        <effect method="Flag.SetValue" param0="3" param1="1"/>
        <effect method="Hex.AddNavalUnit" param0="4" param1="5" paramString0="Bismarck"/>
      </effects>
    </option>
    <option><description>Wait</description></option>
    <notAnOption/>
  </options>
</event>
)");
    ASSERT_EQ(manager.events.size(), 1u);
    const cZdarzenie& e = manager.events[0];
    EXPECT_EQ(e.eventID, 7);
    EXPECT_EQ(e.countryID, 3);
    EXPECT_EQ(e.visibleByPlayer, 1);
    EXPECT_EQ(e.oneTimeChecking, 1);
    EXPECT_EQ(e.enableInPbem, 0);
    EXPECT_EQ(e.title, L"Case White");
    EXPECT_EQ(e.description, L"Żółć i „cudzysłów”") << "texts are UTF-8";
    EXPECT_EQ(e.image, L"data\\events\\poland.png");
    EXPECT_EQ(e.beginDate.day, 1);
    EXPECT_EQ(e.beginDate.month, 9);
    EXPECT_EQ(e.endDate.day, 30);
    EXPECT_EQ(e.endDate.year, 1939);

    // The condition element holds an expression directly: only the first and/or counts.
    EXPECT_TRUE(e.condition.isOr);
    ASSERT_EQ(e.condition.expressions.size(), 1u);
    EXPECT_EQ(e.condition.expressions[0].leftOperand.method, L"Flag.GetValue");
    ASSERT_EQ(e.condition.children.size(), 1u);
    EXPECT_FALSE(e.condition.children[0].isOr);

    ASSERT_EQ(e.options.size(), 2u);
    EXPECT_EQ(e.options[0].optionID, 1);
    EXPECT_EQ(e.options[0].chanceAI, 30);
    EXPECT_EQ(e.options[0].text, L"Attack");
    EXPECT_EQ(e.options[0].tooltip, L"Go");
    ASSERT_EQ(e.options[0].effects.size(), 2u);
    EXPECT_EQ(e.options[0].effects[0].line, 23);
    EXPECT_EQ(e.options[0].effects[1].param[1], 5.0);
    EXPECT_EQ(e.options[0].effects[1].paramString[0], L"Bismarck");
    EXPECT_EQ(e.options[1].optionID, -1);
    EXPECT_EQ(e.options[1].chanceAI, -1);

    EXPECT_TRUE(LogContains(L"Loading event id=7 at line 3"));
    EXPECT_EQ(manager.checkedFlags.size(), 8u);
}

TEST(EventLoading, ConditionTreeKeepsExpressionsBeforeChildrenAndLines)
{
    cZdarzenia manager;
    LoadEvents(manager, R"(<event eventID="1" countryID="1" visibleByPlayer="0" oneTimeChecking="0">
  <condition>
    <and>
      <or>
        <expression><leftOperand constValue="1"/><operator value="less"/><rightOperand constValue="2"/></expression>
      </or>
      <expression>
        <leftOperand method="Flag.GetValue" param0="5"/>
        <operator value="equals"/>
        <rightOperand constValue="2.5"/>
      </expression>
    </and>
    <or/>
  </condition>
</event>
)");
    const cEventCondition& root = manager.events.at(0).condition;
    EXPECT_FALSE(root.isOr);
    ASSERT_EQ(root.expressions.size(), 1u);
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_TRUE(root.children[0].isOr);
    const cEventExpression& x = root.expressions[0];
    EXPECT_EQ(x.leftOperand.line, 10);
    EXPECT_EQ(x.line, 11) << "an expression's line is its operator's";
    EXPECT_EQ(x.rightOperand.line, 12);
    EXPECT_EQ(x.op, L"equals");
    EXPECT_EQ(x.leftOperand.method, L"Flag.GetValue");
    EXPECT_EQ(x.leftOperand.param[0], 5.0);
    EXPECT_TRUE(IsUnset(x.leftOperand.param[1])) << "a number not given stays unset";
    EXPECT_TRUE(IsUnset(x.leftOperand.constValue));
    EXPECT_EQ(x.rightOperand.constValue, 2.5);
}

TEST(EventLoading, TextsThatAreLanguageKeysAreTranslatedAndTrimmed)
{
    g_StringBase.LoadFromBytes(cStringBase::Encode({{"ev_title_key", L"  Blitz  "}}), true);
    cZdarzenia manager;
    LoadEvents(manager, R"(<event eventID="1" countryID="1" visibleByPlayer="0" oneTimeChecking="0">
  <title>ev_title_key</title>
  <description>Not a key, two words</description>
  <options><option><description/><tooltip>ev_title_key</tooltip></option></options>
</event>
<event eventID="2" countryID="1" visibleByPlayer="0" oneTimeChecking="0">
  <title>  Two  spaces  </title>
  <description>line one
line two</description>
</event>
)");
    const cZdarzenie& e = manager.events.at(0);
    EXPECT_EQ(e.title, L"Blitz");
    EXPECT_EQ(e.description, L"Not a key, two words");
    EXPECT_EQ(manager.events.at(1).title, L"  Two  spaces  ") << "other texts are taken as written";
    EXPECT_EQ(manager.events.at(1).description, L"line one\nline two");
    EXPECT_EQ(e.options.at(0).text, L"") << "an element without text is empty";
    EXPECT_EQ(e.options.at(0).tooltip, L"Blitz");
    EXPECT_EQ(ConvertXmlText(" raw "), L" raw ") << "untranslated texts are not trimmed";
    EXPECT_EQ(ConvertXmlText(nullptr), L"");
}

TEST(EventLoading, FilesLoadInListOrderAndSkipCommentsAndBlankLines)
{
    WriteEventScenario("two", {{"a.xml", EventFile(SimpleEvent(5))}, {"b.xml", EventFile(SimpleEvent(2))}});
    // A Windows editor's byte-order mark, trailing blanks and a comment line.
    WriteWholeFile(HostPath("data\\scenarios\\two\\event_files.txt"),
                   "\xEF\xBB\xBF; comment\r\ndata\\scenarios\\two\\a.xml  \r\n\r\n;data\\scenarios\\two\\x.xml\r\n"
                   "data\\scenarios\\two\\b.xml");
    cZdarzenia manager;
    manager.LoadEventFiles("two");
    manager.ValidateEventFiles();
    manager.LoadAllEventsFromDom();
    ASSERT_EQ(manager.documents.size(), 2u);
    EXPECT_EQ(manager.documents[0].fileName, "data\\scenarios\\two\\a.xml");
    ASSERT_EQ(manager.events.size(), 2u);
    EXPECT_EQ(manager.events[0].eventID, 5);
    EXPECT_EQ(manager.events[1].eventID, 2);
    EXPECT_EQ(manager.events[0].enableInPbem, 1) << "missing enableInPbem is 1";
    EXPECT_EQ(manager.checkedFlags.size(), 6u);
    EXPECT_TRUE(LogHasInOrder({L"Initializing XML events file", L"*****************************",
                               L"*LOADING ALL EVENTS FROM DOM*", L"*****************************",
                               L"Loading event id=5 at line 3", L"Loading event id=2 at line 3",
                               L"Reserving memory for event bool vector... Max no. of events is 40000, event with ID "
                               L"higher than 40000 will crash...",
                               L"*  FINISHED LOADING EVENTS  *"}));
}

TEST(EventLoading, NoListOrOnlyCommentsMeansNoEvents)
{
    cZdarzenia manager;
    manager.LoadEventFiles("missing");
    manager.ValidateEventFiles();
    manager.LoadAllEventsFromDom();
    EXPECT_TRUE(manager.events.empty());
    EXPECT_TRUE(manager.checkedFlags.empty());

    WriteEventScenario("empty", {});
    WriteWholeFile(HostPath("data\\scenarios\\empty\\event_files.txt"), "\n  \n;x.xml\n");
    manager.LoadEventFiles("empty");
    manager.LoadAllEventsFromDom();
    EXPECT_TRUE(manager.documents.empty());
    EXPECT_TRUE(manager.checkedFlags.empty());
}

TEST(EventLoading, AFileThatDoesNotParseOrIsMissingEndsTheLoadWithExitCode1)
{
    WriteEventScenario("bad", {{"bad.xml", "<events>\n<event eventID=\"1\">\n</events>\n"}});
    cZdarzenia manager;
    EXPECT_EQ(ExitCodeOf([&] { manager.LoadEventFiles("bad"); }), 1);
    EXPECT_TRUE(LogContains(L"ERROR initializing events from file data\\scenarios\\bad\\bad.xml "
                            L"(data\\scenarios\\bad\\event_files.txt, line 3). Exiting..."));

    WriteWholeFile(HostPath("data\\scenarios\\bad\\event_files.txt"), "data\\scenarios\\bad\\gone.xml\n");
    EXPECT_EQ(ExitCodeOf([&] { manager.LoadEventFiles("bad"); }), 1);
    EXPECT_TRUE(LogContains(L"ERROR initializing events from file data\\scenarios\\bad\\gone.xml "
                            L"(data\\scenarios\\bad\\event_files.txt, line 1). Exiting..."));
}

TEST(EventLoading, HostileEventFilesEndTheLoadWithTheirListLineOrParserLine)
{
    std::string deep;
    for (int i = 0; i < 40000; ++i)
        deep += "<a>";
    const std::string bad = "data\\scenarios\\hostile\\bad.xml";
    std::string longList = bad;
    for (int i = 1; i < 65; ++i)
        longList += "\n" + bad;
    const struct
    {
        std::string listed; // the line of event_files.txt
        std::string file;   // what bad.xml holds
        const wchar_t* line;
    } cases[] = {
        {"data\\scenarios\\hostile\\bad.xml", EventFile(deep), L"XML_ELEMENT_DEPTH_EXCEEDED at line 3"},
        {"data\\", "", L"ERROR: line 1 of data\\scenarios\\hostile\\event_files.txt names data\\, which is a "
                        L"folder, not an event file"},
        {"data\\scenarios\\hostile\\bad.xml", EventFile(std::string(9u << 20, ' ')),
         L"ERROR: line 1 of data\\scenarios\\hostile\\event_files.txt names data\\scenarios\\hostile\\bad.xml, "
         L"of 9 MB; an event file may hold at most 8 MB"},
        {longList, EventFile(""),
         L"ERROR: line 65 of data\\scenarios\\hostile\\event_files.txt lists more than 64 event files"},
        {"# 1940", "", L"ERROR: line 1 of data\\scenarios\\hostile\\event_files.txt names # 1940, which cannot be "
                      L"opened (a comment line of the list begins with ';')"},
    };
    for (const auto& c : cases) {
        WriteEventScenario("hostile", {{"bad.xml", c.file}});
        WriteWholeFile(HostPath("data\\scenarios\\hostile\\event_files.txt"), c.listed + "\n");
        cZdarzenia manager;
        EXPECT_EQ(ExitCodeOf([&] { manager.LoadEventFiles("hostile"); }), 1) << c.listed;
        EXPECT_TRUE(LogContains(c.line)) << c.listed;
        const std::string named = c.listed.substr(c.listed.rfind('\n') + 1);
        EXPECT_TRUE(LogContains(L"ERROR initializing events from file " + Utf8ToWide(named) +
                                L" (data\\scenarios\\hostile\\event_files.txt, line " +
                                std::to_wstring(std::count(c.listed.begin(), c.listed.end(), '\n') + 1) +
                                L"). Exiting..."));
    }
}

struct sAttributeCase
{
    const char* xml;
    const wchar_t* message;
};

TEST(EventLoading, EachMissingRequiredAttributeEndsWithItsMessageAndLine)
{
    const sAttributeCase cases[] = {
        {R"(<event countryID="1" visibleByPlayer="1" oneTimeChecking="1"/>)",
         L"ERROR: <event> at line 4 has no eventID attribute or it's not an integer!"},
        {R"(<event eventID="x" countryID="1" visibleByPlayer="1" oneTimeChecking="1"/>)",
         L"data\\scenarios\\test\\events.xml, line 4 (eventID of event at line 4): \"x\" is not a whole number"},
        {R"(<event eventID="1" visibleByPlayer="1" oneTimeChecking="1"/>)",
         L"ERROR: <event> at line 4 has no countryID attribute or it's not an integer!"},
        {R"(<event eventID="1" countryID="1" oneTimeChecking="1"/>)",
         L"ERROR: <event> at line 4 has no visibleByPlayer attribute or it's not an integer!"},
        {R"(<event eventID="1" countryID="1" visibleByPlayer="1"/>)",
         L"ERROR: <event> at line 4 has no oneTimeChecking attribute or it's not an integer!"},
        {R"(<event eventID="1" countryID="1" visibleByPlayer="1" oneTimeChecking="1">
<beginDate month="1" year="1940"/></event>)",
         L"ERROR: <beginDate> at line 5 has no 'day' attribute or it's not an integer!"},
        {R"(<event eventID="1" countryID="1" visibleByPlayer="1" oneTimeChecking="1">
<beginDate day="1" month="May" year="1940"/></event>)",
         L"data\\scenarios\\test\\events.xml, line 5 (month of event id=1 at line 4): \"May\" is not a whole number"},
        {R"(<event eventID="1" countryID="1" visibleByPlayer="1" oneTimeChecking="1">
<beginDate day="1" month="1"/></event>)",
         L"ERROR: <beginDate> at line 5 has no 'year' attribute or it's not an integer!"},
        {R"(<event eventID="1" countryID="1" visibleByPlayer="1" oneTimeChecking="1">
<endDate month="1" year="1940"/></event>)",
         L"ERROR: <endDate> at line 5 has no 'day' attribute or it's not an integer!"},
        {R"(<event eventID="1" countryID="1" visibleByPlayer="1" oneTimeChecking="1">
<endDate day="1" year="1940"/></event>)",
         L"ERROR: <endDate> at line 5 has no 'month' attribute or it's not an integer!"},
        {R"(<event eventID="1" countryID="1" visibleByPlayer="1" oneTimeChecking="1">
<endDate day="1" month="1" year=""/></event>)",
         L"data\\scenarios\\test\\events.xml, line 5 (year of event id=1 at line 4): \"\" is not a whole number"},
        // Every number of a script is read whole: the XML reader alone takes "4abc" as 4 and "nan" as a number.
        {R"(<event eventID="1" countryID="1.5" visibleByPlayer="1" oneTimeChecking="1"/>)",
         L"data\\scenarios\\test\\events.xml, line 4 (countryID of event id=1 at line 4): \"1.5\" is not a whole number"},
        {R"(<event eventID="1" countryID="1" visibleByPlayer="1" oneTimeChecking="1"><options>
<option optionID="1" chanceAI="3000000000"/></options></event>)",
         L"data\\scenarios\\test\\events.xml, line 5 (chanceAI of event id=1 at line 4): 3000000000 is outside "
         L"-2147483648 to 2147483647"},
        {R"(<event eventID="7" countryID="1" visibleByPlayer="1" oneTimeChecking="1"><condition><and><expression>
<leftOperand method="Country.IsActive" param0="4abc"/></expression></and></condition></event>)",
         L"data\\scenarios\\test\\events.xml, line 5 (param0 of event id=7 at line 4): \"4abc\" is not a number"},
        {R"(<event eventID="7" countryID="1" visibleByPlayer="1" oneTimeChecking="1"><options><option><effects>
<effect method="Flag.SetValue" param0="1" param1="nan"/></effects></option></options></event>)",
         L"data\\scenarios\\test\\events.xml, line 5 (param1 of event id=7 at line 4): \"nan\" is not a number"},
        {R"(<rightOperand constValue="inf"/>)",
         L"data\\scenarios\\test\\events.xml, line 4 (constValue, outside every event): \"inf\" is not a number"},
    };
    for (const auto& c : cases) {
        cZdarzenia manager;
        // One harmless event first, so that the line numbers count.
        EXPECT_EQ(ExitCodeOf([&] { LoadEvents(manager, SimpleEvent(0) + c.xml + "\n"); }), 1) << c.xml;
        EXPECT_TRUE(LogContains(c.message)) << c.xml;
    }
}

TEST(EventLoading, EventIdsOutsideTheRangeEndTheLoad)
{
    {
        cZdarzenia manager;
        LoadEvents(manager, SimpleEvent(40000));
        EXPECT_EQ(manager.checkedFlags.size(), 40001u);
    }
    {
        cZdarzenia manager;
        EXPECT_EQ(ExitCodeOf([&] { LoadEvents(manager, SimpleEvent(3) + SimpleEvent(40001)); }), 1);
        EXPECT_TRUE(LogContains(L"ERROR: maxID = 40001 (have to be >= 0 && <= 40000"));
    }
    {
        cZdarzenia manager;
        EXPECT_EQ(ExitCodeOf([&] { LoadEvents(manager, SimpleEvent(3) + SimpleEvent(-4)); }), 1);
        EXPECT_TRUE(LogContains(L"ERROR: maxID = -4 (have to be >= 0 && <= 40000"));
    }
}

TEST(EventLoading, DuplicateEventIdsAreLoggedAndKept)
{
    cZdarzenia manager;
    LoadEvents(manager, SimpleEvent(9) + SimpleEvent(4) + SimpleEvent(9));
    ASSERT_EQ(manager.events.size(), 3u);
    EXPECT_TRUE(LogContains(L"WARNING: <event> at line 5 in data\\scenarios\\test\\events.xml repeats event id=9 of an "
                            L"earlier event (line 3); a forced firing takes the first"));
}

} // namespace
