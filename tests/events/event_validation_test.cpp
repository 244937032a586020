// Validation of every expression and effect of the event files.
#include <gtest/gtest.h>

#include <set>

#include "events/event_methods.h"
#include "events/events.h"
#include "tests/events/event_test_support.h"
#include "tests/test_support.h"

using namespace event_testing;
using testing_support::LogContains;
using testing_support::LogHasInOrder;
using testing_support::LogLines;

namespace {

std::string Expression(const std::string& left, const std::string& op, const std::string& right)
{
    return "<expression><leftOperand " + left + "/><operator value=\"" + op + "\"/><rightOperand " + right +
           "/></expression>";
}

// One event (line 3) whose condition holds the expression on line 5.
std::string EventWithExpression(const std::string& expression)
{
    return "<event eventID=\"1\" countryID=\"1\" visibleByPlayer=\"0\" oneTimeChecking=\"0\">\n<condition><and>\n" +
           expression + "\n</and></condition>\n</event>\n";
}

// One event (line 3) whose option holds the effect on line 5.
std::string EventWithEffect(const std::string& effect)
{
    return "<event eventID=\"1\" countryID=\"1\" visibleByPlayer=\"0\" oneTimeChecking=\"0\">\n<options><option>"
           "<effects>\n" +
           effect + "\n</effects></option></options>\n</event>\n";
}

int Validate(const std::string& body)
{
    cZdarzenia manager;
    return ExitCodeOf([&] { LoadEvents(manager, body); });
}

TEST(EventValidation, VocabularyHasEveryMethodOnceWithItsCounts)
{
    EXPECT_EQ(OperandMethods().size(), 53u);
    EXPECT_EQ(OperatorNames().size(), 6u);
    EXPECT_EQ(EffectMethods().size(), 109u);
    std::set<std::wstring> names;
    for (const auto& m : OperandMethods()) {
        EXPECT_TRUE(names.insert(m.name).second) << "duplicate operand";
        EXPECT_NE(m.resolve, nullptr);
    }
    for (const auto& m : EffectMethods()) {
        EXPECT_TRUE(names.insert(m.name).second) << "duplicate effect";
        EXPECT_NE(m.execute, nullptr) << "every effect does something";
    }
    EXPECT_EQ(FindOperandMethod(L"Country.HasWarWithCountry")->requiredParams, 2);
    EXPECT_EQ(FindOperandMethod(L"Hex.OccupiedByUnitOwnedByCountry")->requiredParams, 3);
    EXPECT_EQ(FindEffectMethod(L"SeaNode.AddLandingLandUnit")->requiredParams, 8);
    EXPECT_EQ(FindEffectMethod(L"SeaNode.AddLandingLandUnit")->requiredTexts, 1);
    EXPECT_EQ(FindEffectMethod(L"Country.SetAICarrierTargetsPriorities")->requiredParams, 9);
    EXPECT_EQ(FindEffectMethod(L"Hex.AddLandUnitAndPassControlOverHexIfEmpty")->execute,
              FindEffectMethod(L"Hex.AddUnitAndPassControlOverHexIfEmpty")->execute);
    EXPECT_EQ(FindEffectMethod(L"flag.SetValue"), nullptr) << "names are case-sensitive";
}

TEST(EventValidation, GoodExpressionsAndEffectsPassAndAreCollected)
{
    cZdarzenia manager;
    LoadEvents(manager, EventWithExpression(Expression("constValue=\"3\" param0=\"1\"", "lessOrEqual",
                                                       "method=\"Game.GetCurrentTurn\"")) +
                            EventWithEffect("<effect method=\"Hex.AddNavalUnit\" param0=\"1\" param1=\"2\" "
                                            "paramString0=\"Hood\" param7=\"1\"/>"));
    ASSERT_EQ(manager.validationExpressions.size(), 1u);
    ASSERT_EQ(manager.validationEffects.size(), 1u);
    EXPECT_TRUE(manager.validationExpressions[0].rightOperand.valid);
    EXPECT_FALSE(manager.validationExpressions[0].leftOperand.valid) << "a constant matches no method";
    EXPECT_TRUE(manager.validationEffects[0].valid);
    EXPECT_TRUE(LogHasInOrder({L"Validation of events XML file. Searching for expressions...",
                               L"<expression> found at row 5",
                               L"WARNING: operand element at line 5 has defined 'constValue' attribute and at least "
                               L"one from param0..param9 attributes.",
                               L"Validation of events XML file. Searching for effects...", L"<effect> found at row 10"}));
}

struct sCase
{
    std::string body;
    std::vector<std::wstring> messages;
};

TEST(EventValidation, EachOperandErrorIsLoggedWithItsLineAndEndsWithCode1)
{
    const std::wstring critical = L"CRITICAL: Expression was incorrect. Terminating program. See errors above.";
    const sCase cases[] = {
        {EventWithExpression(Expression("", "equals", "constValue=\"1\"")),
         {L"ERROR: operand element at line 5 has neither 'method' nor 'constValue' attribute. It must have one of "
          L"them defined"}},
        {EventWithExpression(Expression("method=\"Game.GetCurrentTurn\" constValue=\"1\"", "equals", "constValue=\"1\"")),
         {L"nERROR: operand element at line 5 has both 'method' and 'constValue' attributes defined. Only one of them "
          L"can be defined"}},
        {EventWithExpression(Expression("method=\"Country.HasWarWithCountry\" param0=\"1\"", "equals", "constValue=\"1\"")),
         {L"ERROR: param 1 for operand at line 5 must be defined!"}},
        {EventWithExpression(Expression("method=\"Hex.ControlledByCountry\" param1=\"1\" param2=\"1\"", "equals",
                                        "constValue=\"1\"")),
         {L"ERROR: param 0 for operand at line 5 must be defined!"}},
        {EventWithExpression(Expression("method=\"Country.getVP\" param0=\"1\"", "equals", "constValue=\"1\"")),
         {L"ERROR: operand element at line 5 has unknown method (Country.getVP)"}},
        {EventWithExpression(Expression("constValue=\"1\"", "Equals", "constValue=\"1\"")),
         {L"ERROR: attribute 'value' of <operator> at line 5 has incorrect value (Equals)"}},
        // Both operands and the operator of one expression are all reported.
        {EventWithExpression(Expression("method=\"Nope\"", "between", "")),
         {L"ERROR: operand element at line 5 has unknown method (Nope)",
          L"ERROR: operand element at line 5 has neither 'method' nor 'constValue' attribute. It must have one of "
          L"them defined",
          L"ERROR: attribute 'value' of <operator> at line 5 has incorrect value (between)"}},
        // No leftOperand element at all: its line is the unset number.
        {EventWithExpression("<expression><operator value=\"equals\"/><rightOperand constValue=\"1\"/></expression>"),
         {L"ERROR: operand element at line -2147483647 has neither 'method' nor 'constValue' attribute. It must have "
          L"one of them defined"}},
    };
    for (const auto& c : cases) {
        testing_support::ClearLog();
        EXPECT_EQ(Validate(c.body), 1) << c.body;
        auto expected = c.messages;
        expected.push_back(critical);
        EXPECT_TRUE(LogHasInOrder(expected)) << c.body;
    }
}

TEST(EventValidation, EachEffectErrorIsLoggedWithItsLineAndEndsWithCode1)
{
    const sCase cases[] = {
        {EventWithEffect("<effect method=\"Flag.SetValue\" param0=\"1\"/>"),
         {L"ERROR: param1 for effect at line 5 is not defined!"}},
        {EventWithEffect("<effect method=\"Hex.AddNavalUnit\" param0=\"1\" param1=\"2\"/>"),
         {L"ERROR: paramString0 for effect at line 5 is not defined!"}},
        {EventWithEffect("<effect method=\"Unit.Teleport\" param0=\"1\" param1=\"2\" param2=\"3\"/>"),
         {L"ERROR: param3 for effect at line 5 is not defined!"}},
        {EventWithEffect("<effect method=\"flag.SetValue\" param0=\"1\" param1=\"1\"/>"),
         {L"ERROR: Effect at line 5 has unknown method (flag.SetValue)!"}},
        {EventWithEffect("<effect/>"), {L"ERROR: Effect at line 5 has unknown method ()!"}},
    };
    for (const auto& c : cases) {
        testing_support::ClearLog();
        EXPECT_EQ(Validate(c.body), 1) << c.body;
        auto expected = c.messages;
        expected.push_back(L"CRITICAL: Effect at line 5 is not correct. See error messages above. Exiting...");
        EXPECT_TRUE(LogHasInOrder(expected)) << c.body;
    }
}

TEST(EventValidation, ElementsOutsideEventsAreCheckedToo)
{
    EXPECT_EQ(Validate("<stray>\n<effect method=\"Bogus\"/>\n</stray>\n"), 1);
    EXPECT_TRUE(LogContains(L"ERROR: Effect at line 4 has unknown method (Bogus)!"));
    testing_support::ClearLog();
    EXPECT_EQ(Validate("<stray>\n" + Expression("constValue=\"1\"", "equals", "method=\"Bogus\"") + "\n</stray>\n"), 1);
    EXPECT_TRUE(LogContains(L"ERROR: operand element at line 4 has unknown method (Bogus)"));
}

TEST(EventValidation, EveryVocabularyNameWithItsParametersPasses)
{
    std::string body;
    std::string condition, effects;
    for (const auto& m : OperandMethods()) {
        std::string attrs = "method=\"" + std::string(m.name, m.name + wcslen(m.name)) + "\"";
        for (int i = 0; i < m.requiredParams; ++i)
            attrs += " param" + std::to_string(i) + "=\"1\"";
        condition += Expression(attrs, "equals", "constValue=\"0\"") + "\n";
    }
    for (const auto& m : EffectMethods()) {
        std::string attrs = "method=\"" + std::string(m.name, m.name + wcslen(m.name)) + "\"";
        for (int i = 0; i < m.requiredParams; ++i)
            attrs += " param" + std::to_string(i) + "=\"1\"";
        for (int i = 0; i < m.requiredTexts; ++i)
            attrs += " paramString" + std::to_string(i) + "=\"x\"";
        effects += "<effect " + attrs + "/>\n";
    }
    for (const wchar_t* op : OperatorNames())
        condition += Expression("constValue=\"1\"", std::string(op, op + wcslen(op)), "constValue=\"1\"") + "\n";
    cZdarzenia manager;
    LoadEvents(manager, "<event eventID=\"1\" countryID=\"1\" visibleByPlayer=\"1\" oneTimeChecking=\"0\">"
                        "<condition><and>" + condition + "</and></condition><options><option><effects>" + effects +
                            "</effects></option></options></event>\n");
    EXPECT_EQ(manager.validationExpressions.size(), 59u);
    EXPECT_EQ(manager.validationEffects.size(), 109u);
}

TEST(EventValidation, VisibleEventWithoutOptionsIsWarnedAbout)
{
    cZdarzenia manager;
    LoadEvents(manager, "<event eventID=\"1\" countryID=\"1\" visibleByPlayer=\"1\" oneTimeChecking=\"0\">\n"
                        "<options><notAnOption/></options></event>\n"
                        "<event eventID=\"2\" countryID=\"1\" visibleByPlayer=\"1\" oneTimeChecking=\"0\"/>\n"
                        "<event eventID=\"3\" countryID=\"1\" visibleByPlayer=\"0\" oneTimeChecking=\"0\"/>\n");
    EXPECT_EQ(manager.events.size(), 3u);
    EXPECT_TRUE(LogContains(
        L"WARNING: <event> at line 3 in data\\scenarios\\test\\events.xml is visible by player but has no options"));
    EXPECT_TRUE(LogContains(
        L"WARNING: <event> at line 5 in data\\scenarios\\test\\events.xml is visible by player but has no options"));
    int warnings = 0;
    for (const auto& line : LogLines())
        warnings += line.find(L"has no options") != std::wstring::npos ? 1 : 0;
    EXPECT_EQ(warnings, 2) << "an invisible event needs no options";
}

} // namespace
