#include "game/presentation_requests.h"

#include <thread>

#include "core/lock.h"
#include "core/log.h"

namespace {

std::atomic<uint64_t> g_NextSerial{0};
// Static initialisation runs on the thread that starts the program.
std::thread::id g_MainThreadId = std::this_thread::get_id();
std::mutex g_PumpMutex;
std::function<bool()> g_FramePump;

} // namespace

const wchar_t* RequestKindName(eRequestKind kind)
{
    switch (kind) {
    case eRequestKind::Message: return L"message";
    case eRequestKind::Question: return L"question";
    case eRequestKind::EventChoice: return L"event";
    case eRequestKind::CombatResult: return L"combat result";
    case eRequestKind::ConvoyResults: return L"convoy results";
    case eRequestKind::InfoMessage: return L"info message";
    case eRequestKind::AnimateMove: return L"move animation";
    case eRequestKind::CenterCamera: return L"camera";
    case eRequestKind::HandOverTurn: return L"new turn";
    case eRequestKind::SeaBattle: return L"sea battle";
    case eRequestKind::Quit: return L"quit";
    case eRequestKind::FleetsDialog: return L"fleets";
    }
    return L"?";
}

uint64_t NextRequestSerial()
{
    return ++g_NextSerial;
}

void SetMainThread()
{
    g_MainThreadId = std::this_thread::get_id();
}

bool IsMainThread()
{
    return std::this_thread::get_id() == g_MainThreadId;
}

void SetFramePump(std::function<bool()> pump)
{
    std::lock_guard<std::mutex> guard(g_PumpMutex);
    g_FramePump = std::move(pump);
}

void cPresentationRequest::Complete(int answer)
{
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        if (m_Done.load())
            return;
        m_Answer.store(answer);
        m_Done.store(true);
    }
    WakeWaitingThreads();
}

int cPresentationRequest::Answer() const
{
    return m_Done.load() ? m_Answer.load() : m_Data.fallbackAnswer;
}

int cPresentationRequest::Wait()
{
    if (m_Done.load())
        return m_Answer.load();

    // Nobody else may serve the main thread's own requests: it runs frames until the
    // screen has answered.
    if (IsMainThread()) {
        std::function<bool()> pump;
        {
            std::lock_guard<std::mutex> guard(g_PumpMutex);
            pump = g_FramePump;
        }
        if (!pump) {
            LogLine(L"Request %s waited on by the main thread with no screen to answer it: taking %i",
                    RequestKindName(m_Data.kind), m_Data.fallbackAnswer);
            Complete(m_Data.fallbackAnswer);
            return m_Answer.load();
        }
        while (!m_Done.load()) {
            if (!pump()) {
                Complete(m_Data.fallbackAnswer);
                break;
            }
        }
        return m_Answer.load();
    }

    // The other thread gives up every hold of the lock, so that the main thread can draw
    // and serve, and takes them all again afterwards; its lines are written before it waits.
    // It is woken by the answer rather than polling the dialogs every 100 ms with a "WBC"
    // line a pass: the project's choice, one seed one log; the count of those lines follows
    // how long a person takes, and the log of one seed would differ from run to run.
    WaitUntilWoken([this] { return m_Done.load(); });
    return Answer();
}

RequestHandle cRequestQueue::Push(sPresentationRequest data)
{
    auto request = std::make_shared<cPresentationRequest>(std::move(data), NextRequestSerial());
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Pending.push_back(request);
    return request;
}

RequestHandle cRequestQueue::TakeNext()
{
    std::lock_guard<std::mutex> guard(m_Mutex);
    if (m_Pending.empty())
        return nullptr;
    RequestHandle next = std::move(m_Pending.front());
    m_Pending.pop_front();
    return next;
}

void cRequestQueue::CancelAll()
{
    std::deque<RequestHandle> dropped;
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        dropped.swap(m_Pending);
    }
    for (auto& request : dropped)
        request->Complete(request->Data().fallbackAnswer);
}

size_t cRequestQueue::PendingCount() const
{
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_Pending.size();
}

std::vector<eRequestKind> cRequestQueue::PendingKinds() const
{
    std::lock_guard<std::mutex> guard(m_Mutex);
    std::vector<eRequestKind> kinds;
    for (const RequestHandle& request : m_Pending)
        kinds.push_back(request->Data().kind);
    return kinds;
}
