#include "game/presentation.h"

#include <atomic>

#include "core/log.h"
#include "game/game.h"
#include "game/play_counts.h"

namespace {
cNullPresentation g_NullPresentation;
std::atomic<cPresentation*> g_Presentation{&g_NullPresentation};
} // namespace

int AnswerHeadlessly(const sPresentationRequest& request)
{
    const int answer = request.headlessAnswer ? request.headlessAnswer() : request.fallbackAnswer;
    ++g_PlayCounts.dialogsAnswered;
    LogLine(L"Headless answer: %s \"%s\" -> %i", RequestKindName(request.kind), request.title, answer);
    return answer;
}

int HeadlessAnswerCount()
{
    return g_PlayCounts.dialogsAnswered.load();
}

RequestHandle cPresentation::Post(sPresentationRequest request)
{
    auto handle = std::make_shared<cPresentationRequest>(std::move(request), NextRequestSerial());
    handle->Complete(AnswerHeadlessly(handle->Data()));
    return handle;
}

RequestHandle ShowMessageToPerson(const std::wstring& title, const std::wstring& text, bool wait, int countryId)
{
    if (!g_Gra || !g_Gra->PersonWatches())
        return nullptr;
    sPresentationRequest request;
    request.kind = eRequestKind::Message;
    request.title = title;
    request.text = text;
    request.countryId = countryId;
    RequestHandle handle = Presentation().Post(std::move(request));
    if (wait)
        handle->Wait();
    return handle;
}

cPresentation& Presentation() { return *g_Presentation.load(); }

void SetPresentation(cPresentation* presentation)
{
    g_Presentation.store(presentation ? presentation : &g_NullPresentation);
}
