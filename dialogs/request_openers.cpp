#include "dialogs/request_openers.h"

#include <functional>
#include <vector>

#include "core/log.h"
#include "core/stringbase.h"
#include "dialogs/combat_result_dialog.h"
#include "dialogs/convoy_results_dialog.h"
#include "dialogs/event_dialog.h"
#include "dialogs/fleets_manager.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/play_state.h"
#include "world/country.h"
#include "units/combat_result.h"
#include "world/sea_graph.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/message_dialog.h"
#include "dialogs/new_turn_dialog.h"

namespace {

// With several people at one screen, a window meant for persons' countries, out of their
// own turn, comes under a cover that names them: the others' eyes see neither it nor a
// side's map around it. The countries it names; none when no cover is due.
std::vector<int> CoverReaders(const sPresentationRequest& data)
{
    if (!g_Gra || !g_Gra->SeveralPeopleShareTheScreen())
        return {};
    std::vector<int> readers;
    for (size_t k = 0; k <= data.otherReaders.size(); ++k) {
        const cPanstwo* country = GetCountry(k == 0 ? data.countryId : data.otherReaders[k - 1]);
        if (country && country->HumanControlled)
            readers.push_back(country->ID);
    }
    // Two persons are never both in their own turn.
    if (readers.size() != 1)
        return readers;
    const int state = g_Gra->GetGameState();
    const cPanstwo* active = g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
    const bool ownTurn = (state == kStateHuman || state == kStateHumanMove) && active && active->ID == readers.front();
    return ownTurn ? std::vector<int>{} : readers;
}

// Opens the window that make builds as the request's answer. One meant for persons out of
// their turn waits under the cover that names them until they lift it, and is then read over
// a cover that hides the map: a report that closes by itself runs its time only once its
// readers are at the screen, and nobody else reads it.
void Open(const RequestHandle& request, std::function<cDialog*(const sPresentationRequest&)> make, bool mayCover = true)
{
    std::vector<int> readers = mayCover ? CoverReaders(request->Data()) : std::vector<int>{};
    auto open = [readers, make = std::move(make)](const RequestHandle& answered) {
        if (!readers.empty())
            PushDialog(new cReadingCover(readers));
        cDialog* dialog = make(answered->Data());
        dialog->AttachRequest(answered);
        PushDialog(dialog);
    };
    if (readers.empty())
        open(request);
    else
        PushDialog(new cCoverBeforeScreen(readers, request, std::move(open)));
}

const std::wstring& Option(const sPresentationRequest& data, size_t index, const char* fallbackKey)
{
    return index < data.options.size() ? data.options[index] : LangText(fallbackKey);
}

} // namespace

void OpenMessageRequest(const RequestHandle& request)
{
    Open(request, [](const sPresentationRequest& data) { return new cDialogTekstowy(data.text, data.title); });
}

void OpenQuestionRequest(const RequestHandle& request)
{
    Open(request, [](const sPresentationRequest& data) {
        const std::wstring& yes = Option(data, 0, "question_yes");
        const std::wstring& no = Option(data, 1, "question_no");
        return new cDialogPotwierdzenia(data.title, data.text, yes, yes, no, no);
    });
}

void OpenHandOverTurnRequest(const RequestHandle& request)
{
    // The announcement is a cover of its own.
    Open(request, [](const sPresentationRequest& data) { return new cDialogNowejTury(data.countryId); }, false);
}

void OpenInfoMessageRequest(const RequestHandle& request)
{
    if (g_DialogLinks.setStatusText)
        g_DialogLinks.setStatusText(request->Data().text);
    request->Complete(0);
}

void OpenCombatResultRequest(const RequestHandle& request)
{
    const sPresentationRequest& data = request->Data();
    // A delay of 0 is the player's "do not show".
    if (!data.combat || data.delayMs == 0) {
        request->Complete(0);
        return;
    }
    // A negative delay waits for the player's click, in the computer's phase too: that is
    // what the player chose, and the computer waits for the window without the lock.
    Open(request, [](const sPresentationRequest& shown) {
        return new cDialogWynikuWalki(*shown.combat, float(shown.delayMs));
    });
}

void OpenConvoyResultsRequest(const RequestHandle& request)
{
    const std::vector<sConvoyResult>* results = ConvoyResultsOf(request->Data().countryId);
    if (!results || results->empty()) {
        request->Complete(0);
        return;
    }
    Open(request, [](const sPresentationRequest& data) { return new cDialogWynikuKonwojow(data.countryId); });
}

void OpenEventRequest(const RequestHandle& request)
{
    const sPresentationRequest& data = request->Data();
    // Nothing to choose: the event check gets the answer nobody gave, and no window waits.
    if (data.options.empty()) {
        LogLine(L"Event %i has no option to choose", data.unitId);
        request->Complete(data.fallbackAnswer);
        return;
    }
    Open(request, [](const sPresentationRequest& event) {
        auto* dialog = new cDialogEventu(event);
        dialog->SetAnswer(event.fallbackAnswer);
        return dialog;
    });
}

void OpenFleetsRequest(const RequestHandle& request)
{
    const int nodeId = request->Data().unitId;
    // The node named by a request may be any number: it is looked up, never indexed.
    const sWezelGrafuMorz* node = g_Gra && g_Gra->m_SeaGraph ? g_Gra->m_SeaGraph->GetNode(nodeId) : nullptr;
    if (node && !CurrentDialog() && node->CountOwnShips() > 0)
        PushDialog(new cDialogFlot(nodeId));
    request->Complete(0);
}

void OpenAfterItsCover(const RequestHandle& request, void (*open)(const RequestHandle&))
{
    if (std::vector<int> readers = CoverReaders(request->Data()); !readers.empty())
        PushDialog(new cCoverBeforeScreen(std::move(readers), request, open));
    else
        open(request);
}

bool ServeDialogRequest(const RequestHandle& request)
{
    if (!request)
        return false;
    void (*open)(const RequestHandle&) = nullptr;
    switch (request->Data().kind) {
    case eRequestKind::Message: open = OpenMessageRequest; break;
    case eRequestKind::Question: open = OpenQuestionRequest; break;
    case eRequestKind::HandOverTurn: open = OpenHandOverTurnRequest; break;
    case eRequestKind::InfoMessage: open = OpenInfoMessageRequest; break;
    case eRequestKind::CombatResult: open = OpenCombatResultRequest; break;
    case eRequestKind::ConvoyResults: open = OpenConvoyResultsRequest; break;
    case eRequestKind::FleetsDialog: open = OpenFleetsRequest; break;
    case eRequestKind::EventChoice: open = OpenEventRequest; break;
    default: return false;
    }
    if (request->Data().onServe)
        request->Data().onServe();
    open(request);
    return true;
}
