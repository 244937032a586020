#pragma once
// Small scenarios of event files written into the test's working folder.
#include <string>
#include <utility>
#include <vector>

#include "events/events.h"

namespace event_testing {

// Writes data/scenarios/<scenario>/event_files.txt listing the files (as backslash paths
// relative to the working folder) and the files themselves.
void WriteEventScenario(const std::string& scenario, const std::vector<std::pair<std::string, std::string>>& files);
// An event file whose root holds the given body.
std::string EventFile(const std::string& body);
// Loads, validates and builds the events of one file with the given body.
void LoadEvents(cZdarzenia& manager, const std::string& body);
// The exit code of a call that must end the program.
template <typename F>
int ExitCodeOf(F&& call);

} // namespace event_testing

#include "core/fatal.h"

template <typename F>
int event_testing::ExitCodeOf(F&& call)
{
    try {
        call();
    } catch (const sFatalExit& e) {
        return e.code;
    }
    return -1;
}
