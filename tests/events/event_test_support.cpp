#include "tests/events/event_test_support.h"

#include <filesystem>

#include "platform/paths.h"

namespace event_testing {

void WriteEventScenario(const std::string& scenario, const std::vector<std::pair<std::string, std::string>>& files)
{
    const std::string folder = "data\\scenarios\\" + scenario;
    std::filesystem::create_directories(HostPath(folder));
    std::string list = "; event files\r\n\r\n";
    for (const auto& [name, text] : files) {
        list += folder + "\\" + name + "\r\n";
        WriteWholeFile(HostPath(folder + "\\" + name), text);
    }
    WriteWholeFile(HostPath(folder + "\\event_files.txt"), list);
}

std::string EventFile(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<events>\n" + body + "</events>\n";
}

void LoadEvents(cZdarzenia& manager, const std::string& body)
{
    WriteEventScenario("test", {{"events.xml", EventFile(body)}});
    manager.LoadEventFiles("test");
    manager.ValidateEventFiles();
    manager.LoadAllEventsFromDom();
}

} // namespace event_testing
