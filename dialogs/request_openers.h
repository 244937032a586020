#pragma once
// The windows that answer presentation requests. The shell's presentation takes a request
// off its queue on the main thread and hands it here; the window opens on top and the
// request completes, with the window's answer, when the person closes it.
#include "game/presentation_requests.h"
#include "shell/links.h"

// A message box; answer 0.
void OpenMessageRequest(const RequestHandle& request);
// A yes/no question (the first two options name the buttons); answer 1 for yes, 0 for no.
void OpenQuestionRequest(const RequestHandle& request);
// The new-turn announcement for the request's country; answer 0.
void OpenHandOverTurnRequest(const RequestHandle& request);
// The info panel's status line; completes at once.
void OpenInfoMessageRequest(const RequestHandle& request);
// The combat-result window for the request's combat, staying delayMs (below 0: until the
// player closes it; a computer's combat never waits for a click). A delay of 0 shows
// nothing: the player chose not to see such results.
void OpenCombatResultRequest(const RequestHandle& request);
// The convoy-results window of the request's country; nothing when it has no results.
void OpenConvoyResultsRequest(const RequestHandle& request);
// The event window of a scripted event for the request's country; the answer is the chosen
// option's position (from 1), or the fallback when the window closes unanswered.
void OpenEventRequest(const RequestHandle& request);
// The fleets window of the request's sea node (unitId), unless a window is open or the node
// holds no ship of the player's; completes at once.
void OpenFleetsRequest(const RequestHandle& request);

// A screen of its own for persons out of their turn (a sea battle's) opens, with several
// people at one screen, only once they are there: a cover names them and their click opens
// it. Otherwise it opens at once.
void OpenAfterItsCover(const RequestHandle& request, void (*open)(const RequestHandle&));

// Serves a request of one of the kinds above (running its onServe first); false for any
// other kind.
bool ServeDialogRequest(const RequestHandle& request);
