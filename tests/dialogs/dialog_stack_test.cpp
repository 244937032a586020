// The dialog stack: who is current, who is told to reactivate, countdowns, closing inside
// a handler, and the answers of windows someone waits for.
#include <gtest/gtest.h>

#include "gui/controls.h"
#include "shell/hint_display.h"
#include "world/hoverable.h"
#include "tests/dialogs/dialog_bench.h"

namespace {

// A window that records what reaches it.
class cProbe : public cDialog
{
public:
    cProbe(int kind, std::vector<std::string>& log, std::string name)
        : cDialog(kind, sLayoutRect{100, 100, 200, 150}), m_Log(log), m_Name(std::move(name))
    {
        AddButton(kind + 1, L"Close", 120, 120, 80, 30);
    }
    ~cProbe() override { m_Log.push_back(m_Name + " freed"); }
    void OnGUIEvent(unsigned, int id, CDXUTControl*) override
    {
        m_Log.push_back(m_Name + " event " + std::to_string(id));
        if (id == KindId() + 1) {
            CloseTopDialogs(1);
            // Still alive inside its own handler, though closed.
            m_Log.push_back(m_Name + " after close");
        }
    }
    void OnReactivate() override { m_Log.push_back(m_Name + " reactivated"); }
    void OnTimer(float) override { m_Log.push_back(m_Name + " tick"); }

private:
    std::vector<std::string>& m_Log;
    std::string m_Name;
};

class DialogStack : public cDialogTest
{
protected:
    cProbe* Open(int kind, const std::string& name, int offset = 0)
    {
        auto* probe = new cProbe(kind, log, name);
        PushDialog(probe, offset);
        return probe;
    }
    int Count(const std::string& line) const { return int(std::count(log.begin(), log.end(), line)); }
    std::vector<std::string> log;
};

TEST_F(DialogStack, ClosingCountsAndReactivatesOnlyTheWindowLeftOnTop)
{
    Open(10, "a");
    Open(20, "b");
    Open(30, "c");
    CloseTopDialogs(0);
    CloseTopDialogs(-2);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{10, 20, 30}));

    CloseTopDialogs(2);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{10}));
    EXPECT_EQ(Count("a reactivated"), 1);
    EXPECT_EQ(Count("b reactivated"), 0);

    Open(20, "d");
    CloseTopDialogs(5);
    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_EQ(g_CurrentDialog, nullptr);
    EXPECT_EQ(Count("a reactivated"), 1);
}

TEST_F(DialogStack, PushBelowTheTopKeepsTheCurrentDialog)
{
    Open(10, "a");
    Open(20, "b");
    cProbe* top = Open(30, "c");
    Open(40, "d", -10);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{40, 10, 20, 30}));
    EXPECT_EQ(Top(), top);
    EXPECT_EQ(FindOpenDialogByKind(20)->KindId(), 20);
    CloseDialogsDownToKind(10);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{40}));
}

TEST_F(DialogStack, OpeningAWindowForgetsTheHeldButtonAndTheHoveredMapObjectClosingOnlyTheButton)
{
    InstallHintDisplay();
    const cHoverable port;
    g_HintDisplay.UpdateMouse(true, false, 5, 5);
    g_HintDisplay.SetHoverable(&port);
    Open(10, "a");
    EXPECT_FALSE(g_HintDisplay.leftDown);
    EXPECT_EQ(g_HintDisplay.Hoverable(), nullptr);
    g_HintDisplay.SetHoverable(&port);
    CloseTopDialogs(1);
    EXPECT_EQ(g_HintDisplay.Hoverable(), &port) << "the map's hint stays as it was";
    g_HintDisplay.SetHoverable(nullptr);
}

TEST_F(DialogStack, EventsOfALowerWindowGoToTheTopOne)
{
    cProbe* bottom = Open(10, "a");
    Open(20, "b");
    bottom->SendEvent(EVENT_BUTTON_CLICKED, true, bottom->GetControl(11));
    EXPECT_EQ(log, (std::vector<std::string>{"b event 11"}));
}

TEST_F(DialogStack, AWindowThatClosesItselfIsFreedWhenItsDispatchEnds)
{
    Open(10, "a");
    Click(11);
    EXPECT_EQ(log, (std::vector<std::string>{"a event 11", "a after close", "a freed"}));
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(DialogStack, CountdownRunsOutOnItsFirstTickUnlessPaused)
{
    cProbe* a = Open(10, "a");
    a->m_ExpiryAction = EXPIRY_CLOSE_TOP;
    a->m_Countdown = 0.0f;
    Tick(0.05f);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{10})) << "paused";
    a->m_CountdownPaused = false;
    Tick(0.05f);
    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_EQ(log, (std::vector<std::string>{"a tick", "a freed"}));
    // A countdown that reaches 0 exactly has run out.
    cProbe* b = Open(10, "b");
    b->m_ExpiryAction = EXPIRY_CLOSE_TOP;
    b->m_CountdownPaused = false;
    b->m_Countdown = 0.25f;
    Tick(0.25f);
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(DialogStack, AnEntryOfNegativeKindIsStoodInForAndNeverFreedByTheStack)
{
    cProbe marker(-1, log, "panel");
    PushDialog(&marker);
    Open(10, "a");
    CloseTopDialogs(1);
    ASSERT_NE(Top(), nullptr);
    EXPECT_EQ(Top()->KindId(), kPlaceholderDialogKind);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{-1}));
    // A window opened over the stand-in replaces it; the leak check sees that it is freed.
    Open(20, "b");
    EXPECT_EQ(Top()->KindId(), 20);
    CloseTopDialogs(1);
    EXPECT_EQ(Top()->KindId(), kPlaceholderDialogKind);
    CloseTopDialogs(1);
    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_EQ(Count("panel freed"), 0);
}

TEST_F(DialogStack, AWindowAnswersItsRequestWhenClosedAndWaitsKnowItBySerial)
{
    sPresentationRequest data;
    data.fallbackAnswer = 5;
    RequestHandle request = std::make_shared<cPresentationRequest>(data, 1);
    cProbe* a = Open(10, "a");
    a->AttachRequest(request);
    a->SetAnswer(3);
    const uint64_t serial = a->Serial();
    EXPECT_TRUE(IsAnswerAwaited());
    EXPECT_TRUE(IsDialogOpen(serial));
    // The phase change closes everything: the waiting side still gets its answer.
    CloseTopDialogs(-1);
    EXPECT_TRUE(request->IsComplete());
    EXPECT_EQ(request->Answer(), 3);
    EXPECT_FALSE(IsDialogOpen(serial));
    cProbe* b = Open(10, "b");
    EXPECT_NE(b->Serial(), serial);
    EXPECT_FALSE(IsAnswerAwaited());
}

} // namespace
