#include <gtest/gtest.h>

#include <thread>

#include "core/lock.h"
#include "game/presentation.h"
#include "tests/test_support.h"

namespace {

// A screen that queues what it is asked and answers only when the test serves it.
class cQueuedPresentation : public cNullPresentation
{
public:
    RequestHandle Post(sPresentationRequest request) override { return queue.Push(std::move(request)); }
    cRequestQueue queue;
};

TEST(PresentationRequests, HeadlessAnswersAtOnceWithOneLogLineEach)
{
    testing_support::ClearLog();
    const int before = HeadlessAnswerCount();

    sPresentationRequest question;
    question.kind = eRequestKind::Question;
    question.title = L"Declare war?";
    question.fallbackAnswer = 1;
    EXPECT_EQ(Presentation().Post(question)->Wait(), 1);

    sPresentationRequest event;
    event.kind = eRequestKind::EventChoice;
    event.title = L"Fall Gelb";
    event.headlessAnswer = [] { return 2; };
    RequestHandle handle = Presentation().Post(event);
    EXPECT_TRUE(handle->IsComplete());
    EXPECT_EQ(handle->Answer(), 2);

    EXPECT_EQ(HeadlessAnswerCount() - before, 2);
    EXPECT_EQ(testing_support::LogLines(),
              (std::vector<std::wstring>{L"Headless answer: question \"Declare war?\" -> 1",
                                         L"Headless answer: event \"Fall Gelb\" -> 2"}));
}

TEST(PresentationRequests, AMovePostedFromTheOpponentsThreadCompletesWhenTheMainThreadServesIt)
{
    StartGlobalLock();
    cQueuedPresentation screen;
    SetPresentation(&screen);
    std::atomic<bool> run{true};
    std::atomic<int> answer{-1};
    std::atomic<bool> waiting{false};

    std::thread opponent([&] {
        SetThreadRunFlag(&run);
        ACQUIRE_GLOBAL_LOCK();
        sPresentationRequest move;
        move.kind = eRequestKind::AnimateMove;
        move.unitId = 7;
        move.path = {{1, 1}, {2, 1}};
        RequestHandle handle = Presentation().Post(move);
        waiting = true;
        answer = handle->Wait(); // gives the lock up while it waits
        EXPECT_EQ(GlobalLockDepthOfThisThread(), 1);
        RELEASE_GLOBAL_LOCK();
        SetThreadRunFlag(nullptr);
    });

    RequestHandle served;
    while (!(served = screen.queue.TakeNext()))
        std::this_thread::yield();
    while (!waiting)
        std::this_thread::yield();
    {
        // The main thread can take the lock while the opponent waits: it draws the walk.
        GLOBAL_LOCK_SCOPE();
        EXPECT_EQ(served->Data().unitId, 7);
        EXPECT_EQ(served->Data().path.size(), 2u);
    }
    served->Complete(5);
    opponent.join();
    EXPECT_EQ(answer.load(), 5);
    SetPresentation(nullptr);
    StopGlobalLock();
}

TEST(PresentationRequests, AWaitEndsWithTheFallbackWhenTheThreadIsStoppedOrTheQueueDropped)
{
    cQueuedPresentation screen;
    SetPresentation(&screen);
    std::atomic<bool> run{true};
    std::atomic<int> answer{-1};
    std::thread opponent([&] {
        SetThreadRunFlag(&run);
        sPresentationRequest event;
        event.kind = eRequestKind::EventChoice;
        event.fallbackAnswer = 3;
        answer = Presentation().Post(event)->Wait();
        SetThreadRunFlag(nullptr);
    });
    while (screen.queue.PendingCount() == 0)
        std::this_thread::yield();
    EXPECT_LE(testing_support::WakeUpsOfNewestThread(300), 3) << "the wait sleeps until it is answered or stopped";
    ClearRunFlag(run); // as the teardown stops the thread; nobody answers
    opponent.join();
    EXPECT_EQ(answer.load(), 3);

    // A teardown drops what is still queued, answering each with its fallback.
    sPresentationRequest message;
    message.fallbackAnswer = 4;
    RequestHandle left = Presentation().Post(message);
    screen.queue.CancelAll();
    EXPECT_TRUE(left->IsComplete());
    EXPECT_EQ(left->Wait(), 4);
    EXPECT_EQ(screen.queue.PendingCount(), 0u);
    SetPresentation(nullptr);
}

TEST(PresentationRequests, TheMainThreadWaitingOnItsOwnRequestPumpsFramesOrTakesTheFallback)
{
    cQueuedPresentation screen;
    SetPresentation(&screen);
    SetMainThread();
    sPresentationRequest question;
    question.kind = eRequestKind::Question;
    question.fallbackAnswer = 0;

    // No screen to pump: never a deadlock.
    EXPECT_EQ(Presentation().Post(question)->Wait(), 0);
    screen.queue.CancelAll();

    int frames = 0;
    SetFramePump([&] {
        ++frames;
        if (RequestHandle next = screen.queue.TakeNext())
            next->Complete(1);
        return true;
    });
    EXPECT_EQ(Presentation().Post(question)->Wait(), 1);
    EXPECT_GE(frames, 1);
    SetFramePump(nullptr);
    SetPresentation(nullptr);
}

} // namespace
