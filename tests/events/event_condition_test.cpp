// Condition trees, expressions and the date window of an event.
#include <gtest/gtest.h>

#include "core/game_date.h"
#include "core/random.h"
#include "events/events.h"
#include "tests/events/event_test_support.h"
#include "tests/test_support.h"

using event_testing::ExitCodeOf;
using testing_support::LogContains;

namespace {

cEventOperand Const(double v)
{
    cEventOperand o;
    o.constValue = v;
    return o;
}

cEventExpression Compare(double left, const wchar_t* op, double right)
{
    cEventExpression e;
    e.leftOperand = Const(left);
    e.rightOperand = Const(right);
    e.op = op;
    return e;
}

cEventExpression True() { return Compare(1, L"equals", 1); }
cEventExpression False() { return Compare(1, L"equals", 2); }

// An expression that draws a random number when it is resolved.
cEventExpression Drawing()
{
    cEventExpression e;
    e.leftOperand.method = L"System.GetRandomNumber";
    e.leftOperand.param[0] = 1;
    e.leftOperand.param[1] = 100;
    e.rightOperand = Const(0);
    e.op = L"greater";
    return e;
}

cEventCondition Node(bool isOr, std::vector<cEventExpression> expressions, std::vector<cEventCondition> children = {})
{
    cEventCondition n;
    n.isOr = isOr;
    n.expressions = std::move(expressions);
    n.children = std::move(children);
    return n;
}

TEST(EventCondition, OperatorsCompareAsDoubles)
{
    EXPECT_TRUE(Compare(2, L"greater", 1).Evaluate());
    EXPECT_FALSE(Compare(2, L"greater", 2).Evaluate());
    EXPECT_TRUE(Compare(2, L"greaterOrEqual", 2).Evaluate());
    EXPECT_TRUE(Compare(1, L"less", 1.5).Evaluate());
    EXPECT_FALSE(Compare(1.5, L"less", 1.5).Evaluate());
    EXPECT_TRUE(Compare(1.5, L"lessOrEqual", 1.5).Evaluate());
    EXPECT_FALSE(Compare(2, L"lessOrEqual", 1.5).Evaluate());
    EXPECT_TRUE(Compare(0.5, L"notEquals", 1).Evaluate());
    EXPECT_FALSE(Compare(3, L"notEquals", 3).Evaluate());
    EXPECT_TRUE(Compare(-0.0, L"equals", 0).Evaluate());
}

TEST(EventCondition, ConstantWinsOverMethodAndParameters)
{
    cEventOperand o = Const(3);
    o.param[0] = 9;
    EXPECT_EQ(o.Resolve(), 3.0);
}

TEST(EventCondition, EmptyNodesAreTrueAndAndOrCombine)
{
    EXPECT_TRUE(Node(false, {}).Evaluate());
    EXPECT_TRUE(Node(true, {}).Evaluate()) << "an empty or node is true too";
    EXPECT_TRUE(Node(false, {True(), True()}).Evaluate());
    EXPECT_FALSE(Node(false, {True(), False()}).Evaluate());
    EXPECT_TRUE(Node(true, {False(), True()}).Evaluate());
    EXPECT_FALSE(Node(true, {False(), False()}).Evaluate());
    EXPECT_FALSE(Node(false, {}, {Node(true, {False()})}).Evaluate()) << "an and node with one false child";
    EXPECT_TRUE(Node(true, {False()}, {Node(false, {})}).Evaluate()) << "an empty child is true";
    EXPECT_TRUE(Node(false, {True()}, {Node(true, {False()}, {Node(false, {True()})})}).Evaluate());
}

TEST(EventCondition, EvaluationStopsAtTheFirstDecidingItem)
{
    SeedRandom(1234);
    const uint32_t state = GetRandomState();
    EXPECT_TRUE(Node(true, {True(), Drawing()}, {Node(false, {Drawing()})}).Evaluate());
    EXPECT_FALSE(Node(false, {False(), Drawing()}, {Node(false, {Drawing()})}).Evaluate());
    // Expressions come before children: a deciding expression spares every child.
    EXPECT_TRUE(Node(true, {False(), True()}, {Node(false, {Drawing()})}).Evaluate());
    EXPECT_EQ(GetRandomState(), state) << "no operand after the deciding one was resolved";

    EXPECT_TRUE(Node(true, {False(), Drawing()}).Evaluate());
    EXPECT_NE(GetRandomState(), state) << "an undecided node resolves its next operand";
}

TEST(EventCondition, RandomOperandDrawsBetweenItsBounds)
{
    ScriptRandomRaw({0, 32767});
    cEventOperand o;
    o.method = L"System.GetRandomNumber";
    o.param[0] = 3.9; // truncated to 3
    o.param[1] = 5;
    EXPECT_EQ(o.Resolve(), 3.0);
    EXPECT_EQ(o.Resolve(), 5.0);
    ClearRandomScript();
}

TEST(EventCondition, BadExpressionsEndTheProgramAtEvaluation)
{
    cEventExpression e = Compare(1, L"equals", 1);
    e.leftOperand.method = L"Game.GetCurrentTurn"; // both a method and a constant
    EXPECT_EQ(ExitCodeOf([&] { e.Evaluate(); }), 1);
    EXPECT_TRUE(LogContains(L"CRITICAL: Expression was incorrect. Terminating program. See errors above."));

    cEventOperand unknown;
    unknown.method = L"Hex.Nothing";
    unknown.line = 12;
    EXPECT_EQ(ExitCodeOf([&] { unknown.Resolve(); }), 1);
    EXPECT_TRUE(LogContains(L"CRICITAL: Could not resolve operand at line 12! Method=Hex.Nothing unknown?"));
}

struct sDay
{
    int impulse, month, year;
};

std::vector<bool> Passes(const cZdarzenie& event, const std::vector<sDay>& days)
{
    // Three impulses a month: days 1, 11 and 21.
    static ImpulsesPerMonth calendar = [] {
        ImpulsesPerMonth c;
        c.fill(3);
        return c;
    }();
    std::vector<bool> out;
    for (const auto& d : days) {
        sGameDate date;
        date.calendar = &calendar;
        date.impulse = d.impulse;
        date.month = d.month;
        date.year = d.year;
        out.push_back(event.IsDateInRange(date));
    }
    return out;
}

TEST(EventCondition, DateWindowIsCheckedOnTheImpulseDays)
{
    const std::vector<sDay> days = {{3, 2, 1940}, {1, 3, 1940}, {2, 3, 1940}, {3, 3, 1940}, {1, 4, 1940}, {1, 1, 1941}};
    cZdarzenie always;
    EXPECT_EQ(Passes(always, days), std::vector<bool>(6, true));

    cZdarzenie oneDay;
    oneDay.beginDate = {11, 3, 1940};
    oneDay.endDate = {11, 3, 1940};
    EXPECT_EQ(Passes(oneDay, days), (std::vector<bool>{false, false, true, false, false, false}));

    cZdarzenie offDay; // no impulse falls on the 15th
    offDay.beginDate = {15, 3, 1940};
    offDay.endDate = {15, 3, 1940};
    EXPECT_EQ(Passes(offDay, days), std::vector<bool>(6, false));

    cZdarzenie untilEnd;
    untilEnd.endDate = {15, 3, 1940};
    EXPECT_EQ(Passes(untilEnd, days), (std::vector<bool>{true, true, true, false, false, false}));

    cZdarzenie fromBegin;
    fromBegin.beginDate = {21, 3, 1940};
    EXPECT_EQ(Passes(fromBegin, days), (std::vector<bool>{false, false, false, true, true, true}));

    cZdarzenie span;
    span.beginDate = {11, 3, 1940};
    span.endDate = {1, 4, 1940};
    EXPECT_EQ(Passes(span, days), (std::vector<bool>{false, false, true, true, true, false}));

    cZdarzenie inverted; // an end before the begin still passes on either bound's own day
    inverted.beginDate = {1, 4, 1940};
    inverted.endDate = {11, 3, 1940};
    EXPECT_EQ(Passes(inverted, days), (std::vector<bool>{false, false, true, false, true, false}));

    cZdarzenie dayOnly; // a bound counts as set by its day alone
    dayOnly.endDate.day = 1;
    EXPECT_EQ(Passes(dayOnly, {{1, 1, 1940}}), std::vector<bool>{false});
}

} // namespace
