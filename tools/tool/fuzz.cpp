#include "tools/tool/fuzz.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <system_error>
#include <iostream>
#include <thread>
#include <vector>

#include "core/fatal.h"
#include "core/console_log.h"
#include "core/log.h"
#include "core/random.h"
#include "core/text.h"
#include "game/game.h"
#include "game/save_game.h"
#include "platform/paths.h"
#include "tools/tool/play.h"

namespace fs = std::filesystem;

namespace {

// Values that have broken readers before: the ends of the integer range, signs where none
// belongs, numbers that are not numbers, and ids that no table holds.
const char* const kHostileNumbers[] = {"2147483647", "-2147483648", "-1",   "0",    "99",   "999",  "-5",
                                       "1e30",       "nan",         "inf",  "-inf", "4294967296", "-10",
                                       "99999999999", "0.5",        "-0",   "1e-30", "32768", "65536"};

// A draw from 0 to n - 1 for any n a file size needs (the raw values have 15 bits).
size_t Pick(size_t n)
{
    if (n <= 1)
        return 0;
    const uint64_t r = (uint64_t(NextRandomRaw()) << 30) | (uint64_t(NextRandomRaw()) << 15) | uint64_t(NextRandomRaw());
    return size_t(r % n);
}

// Offsets of the starts of the lines of a text.
std::vector<size_t> LineStarts(const std::string& text)
{
    std::vector<size_t> starts{0};
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && i + 1 < text.size())
            starts.push_back(i + 1);
    return starts;
}

size_t LineEnd(const std::string& text, size_t start)
{
    const size_t end = text.find('\n', start);
    return end == std::string::npos ? text.size() : end + 1;
}

bool IsBinary(const fs::path& file, const std::string& bytes)
{
    return file.extension() == ".qvr" || bytes.find('\0') != std::string::npos;
}

// Damages the bytes of one file; returns what was done, for the report.
std::string Mutate(std::string& bytes, bool binary)
{
    const int kinds = binary ? 4 : 10;
    const int kind = int(Pick(size_t(kinds)));
    const size_t size = bytes.size();
    switch (kind) {
    case 0: {
        const size_t at = Pick(size + 1);
        bytes.resize(at);
        return "cut at byte " + std::to_string(at);
    }
    case 1: {
        if (size == 0)
            return "left empty";
        const size_t at = Pick(size);
        bytes[at] = char(bytes[at] ^ char(1 + Pick(255)));
        return "byte " + std::to_string(at) + " flipped";
    }
    case 2: {
        const std::string word = Pick(2) ? std::string(4, '\xFF') : std::string("\xFF\xFF\xFF\x7F", 4);
        const size_t at = Pick(size + 1);
        bytes.replace(at, std::min(word.size(), size - at), word);
        return "4 bytes at " + std::to_string(at) + " set to an extreme";
    }
    case 3:
        bytes.clear();
        return "emptied";
    case 4:
    case 5: {
        // Twice as likely as the others: numbers are what the readers trust most.
        std::vector<std::pair<size_t, size_t>> numbers;
        for (size_t i = 0; i < size;) {
            const bool starts = std::isdigit(uint8_t(bytes[i])) ||
                                (bytes[i] == '-' && i + 1 < size && std::isdigit(uint8_t(bytes[i + 1])));
            if (!starts) {
                ++i;
                continue;
            }
            size_t j = i + 1;
            while (j < size && (std::isdigit(uint8_t(bytes[j])) || bytes[j] == '.'))
                ++j;
            numbers.emplace_back(i, j - i);
            i = j;
        }
        if (numbers.empty())
            return "no number to change";
        const auto [at, length] = numbers[Pick(numbers.size())];
        const char* value = kHostileNumbers[Pick(std::size(kHostileNumbers))];
        const std::string old = bytes.substr(at, length);
        bytes.replace(at, length, value);
        return "number " + old + " at byte " + std::to_string(at) + " set to " + value;
    }
    case 6: {
        const std::vector<size_t> starts = LineStarts(bytes);
        const size_t line = Pick(starts.size());
        bytes.erase(starts[line], LineEnd(bytes, starts[line]) - starts[line]);
        return "line " + std::to_string(line + 1) + " deleted";
    }
    case 7: {
        const std::vector<size_t> starts = LineStarts(bytes);
        const size_t line = Pick(starts.size());
        std::string copy = bytes.substr(starts[line], LineEnd(bytes, starts[line]) - starts[line]);
        if (copy.empty() || copy.back() != '\n')
            copy += "\r\n";
        bytes.insert(starts[line], copy);
        return "line " + std::to_string(line + 1) + " duplicated";
    }
    case 8: {
        const std::vector<size_t> starts = LineStarts(bytes);
        const size_t line = Pick(starts.size());
        const char fill = "9A;<"[Pick(4)];
        std::string longLine(100000, fill);
        if (fill == '<')
            for (size_t i = 0; i < longLine.size(); i += 3)
                longLine.replace(i, 3, "<a>", 0, std::min<size_t>(3, longLine.size() - i));
        bytes.insert(starts[line], longLine + "\r\n");
        return std::string("a line of 100000 '") + fill + "' before line " + std::to_string(line + 1);
    }
    default: {
        const std::vector<size_t> starts = LineStarts(bytes);
        const size_t line = Pick(starts.size());
        size_t end = LineEnd(bytes, starts[line]);
        while (end > starts[line] && (bytes[end - 1] == '\n' || bytes[end - 1] == '\r'))
            --end;
        if (Pick(2)) {
            bytes.insert(end, ";1;2;3");
            return "three fields added to line " + std::to_string(line + 1);
        }
        const size_t semicolon = bytes.rfind(';', end ? end - 1 : 0);
        if (semicolon == std::string::npos || semicolon < starts[line])
            return "no field to drop";
        bytes.erase(semicolon, end - semicolon);
        return "last field of line " + std::to_string(line + 1) + " dropped";
    }
    }
}

// What a case's process found: it loaded, it was refused with this reason, or neither.
enum class eOutcome { kLoaded, kRefused, kFinding };

// A child's start: its output, the slot's copy of the game root and a throwing fatal handler.
void EnterChild(const fs::path& slot)
{
    const int out = ::open((slot / "output").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
        ::dup2(out, 1);
        ::dup2(out, 2);
    }
    std::error_code ec;
    fs::current_path(slot / "root", ec);
    g_Console.Reopen(slot / "log");
    UseThrowingFatalHandler();
}

// The child: loads the folder from its copy of the game root and writes the outcome.
[[noreturn]] void LoadInChild(const fs::path& slot, const sGameLoadRequest& request)
{
    EnterChild(slot);
    std::string result;
    int code = 0;
    try {
        LoadGame(request);
        result = SaveGame(L"fuzz-resave", true) ? "loaded" : "loaded, not saved";
        DeleteGameObject();
    } catch (const sFatalExit& e) {
        result = "refused: " + WideToUtf8(e.reason);
        code = e.reason.empty() ? 3 : 1;
    }
    g_Console.Flush();
    WriteWholeFile(slot / "result", result);
    std::_Exit(code);
}

// The second child of a copy that loaded: it loads the copy again and lets the computers
// play two impulses of it, with the invariants checked, so that a value that loads but
// breaks play is found too.
[[noreturn]] void PlayInChild(const fs::path& slot, const sGameLoadRequest& request, uint32_t seed, int seconds)
{
    EnterChild(slot);
    std::string result;
    int code = 0;
    try {
        cGra* game = LoadGame(request);
        sPlayOptions options;
        options.impulses = 2;
        options.seed = seed;
        options.seedGiven = true;
        options.quiet = true;
        options.watchdogSeconds = seconds;
        const int played = RunPlay(*game, options);
        result = played == 0 ? "played" : "play ended with exit " + std::to_string(played);
        code = played == 0 ? 0 : 4;
        DeleteGameObject();
    } catch (const sFatalExit& e) {
        result = "refused when loaded again: " + WideToUtf8(e.reason);
        code = 5;
    }
    g_Console.Flush();
    WriteWholeFile(slot / "result", result);
    std::_Exit(code);
}

struct sSlot
{
    fs::path dir;
    pid_t pid = 0;
    int caseNumber = 0;
    fs::path file;         // the damaged file, in the slot's copy
    std::string original;  // its bytes before
    std::string mutation;
    bool playing = false;  // the copy loaded and is being played
    std::chrono::steady_clock::time_point started;
};

// The copy of the game root a slot loads from: the scenarios, the folder itself and the
// language table; nothing else of data/ is read by a load.
void CopyRoot(const sFuzzOptions& options, const fs::path& to)
{
    fs::create_directories(to / "data");
    fs::copy(options.root / "data" / "scenarios", to / "data" / "scenarios", fs::copy_options::recursive);
    const fs::path relative = fs::relative(options.folder, options.root);
    if (!fs::exists(to / relative)) {
        fs::create_directories(to / relative);
        fs::copy(options.folder, to / relative, fs::copy_options::recursive);
    }
    if (fs::exists(options.root / "lang_ENG.db"))
        fs::copy_file(options.root / "lang_ENG.db", to / "lang_ENG.db");
}

// The last lines of a text.
std::string Tail(const std::string& text, size_t lines)
{
    size_t at = text.size();
    for (size_t k = 0; k <= lines && at > 0; ++k) {
        const size_t found = text.rfind('\n', at - 1);
        if (found == std::string::npos)
            return text;
        at = found;
    }
    return text.substr(at + 1);
}

} // namespace

int RunFuzz(const sFuzzOptions& options)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(options.folder))
        if (entry.is_regular_file() && entry.path().extension() != ".png")
            files.push_back(entry.path().filename());
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::cerr << "velmorant-tool: " << options.folder.string() << " holds no files\n";
        return 1;
    }
    const fs::path relative = fs::relative(options.folder, options.root);
    const fs::path work = fs::temp_directory_path() / ("velmorant-fuzz-" + std::to_string(getpid()));
    const fs::path findings = work / "findings";
    fs::create_directories(findings);

    std::vector<sSlot> slots(size_t(std::max(1, options.jobs)));
    for (size_t k = 0; k < slots.size(); ++k) {
        slots[k].dir = work / ("slot" + std::to_string(k));
        CopyRoot(options, slots[k].dir / "root");
    }
    SeedRandom(options.seed);
    g_Console.Flush();

    int next = 0, loaded = 0, refused = 0, found = 0;
    auto start = [&](sSlot& slot) {
        fs::remove(slot.dir / "result");
        std::cout.flush();
        slot.started = std::chrono::steady_clock::now();
        slot.pid = fork();
        if (slot.pid == 0) {
            if (slot.playing)
                PlayInChild(slot.dir, options.request, options.seed + uint32_t(slot.caseNumber), options.timeoutSeconds);
            LoadInChild(slot.dir, options.request);
        }
        return slot.pid > 0;
    };
    // False when the slot goes on with the play of its copy.
    auto finish = [&](sSlot& slot, int status, bool timedOut) {
        const std::string result = ReadWholeFile(slot.dir / "result").value_or("");
        eOutcome outcome = eOutcome::kFinding;
        std::string what;
        if (timedOut)
            what = "did not finish in " + std::to_string(options.timeoutSeconds) + " s";
        else if (WIFSIGNALED(status))
            what = std::string("ended by signal ") + strsignal(WTERMSIG(status));
        else if (slot.playing && WEXITSTATUS(status) == 0 && result == "played")
            outcome = eOutcome::kLoaded;
        else if (!slot.playing && WEXITSTATUS(status) == 0 && result.rfind("loaded", 0) == 0)
            outcome = eOutcome::kLoaded;
        else if (WEXITSTATUS(status) == 1 && result.rfind("refused: ", 0) == 0)
            outcome = eOutcome::kRefused;
        else
            what = (slot.playing ? "played: exit " : "exit ") + std::to_string(WEXITSTATUS(status)) +
                   (result.empty() ? " without a reason" : ", " + result);
        if (outcome == eOutcome::kLoaded && !slot.playing) {
            slot.playing = true;
            if (start(slot))
                return false;
            what = "the play could not be started";
            outcome = eOutcome::kFinding;
        }
        if (outcome == eOutcome::kLoaded)
            ++loaded;
        else if (outcome == eOutcome::kRefused)
            ++refused;
        else {
            ++found;
            const fs::path keep = findings / (std::to_string(slot.caseNumber) + "-" + slot.file.filename().string());
            std::error_code ec;
            fs::copy_file(slot.file, keep, fs::copy_options::overwrite_existing, ec);
            std::cout << "case " << slot.caseNumber << ": " << slot.file.filename().string() << ", " << slot.mutation
                      << ": " << what << "\n  damaged file kept as " << keep.string() << "\n";
            const std::string output = ReadWholeFile(slot.dir / "output").value_or("");
            if (!output.empty())
                std::cout << Tail(output, 12);
        }
        WriteWholeFile(slot.file, slot.original);
        slot.pid = 0;
        slot.playing = false;
        return true;
    };

    const auto timeout = std::chrono::seconds(options.timeoutSeconds);
    for (;;) {
        bool running = false;
        for (sSlot& slot : slots) {
            if (slot.pid == 0 && next < options.cases) {
                const fs::path name = files[size_t(next) % files.size()];
                slot.caseNumber = next++;
                slot.file = slot.dir / "root" / relative / name;
                slot.original = ReadWholeFile(options.folder / name).value_or("");
                // A save's list of its files' sizes would refuse nearly every copy once the readers
                // are through, and what loads would never be played: it stays when it is the damaged file.
                std::error_code gone;
                if (name != kSavedSizesFileName)
                    fs::remove(slot.dir / "root" / relative / kSavedSizesFileName, gone);
                std::string damaged = slot.original;
                slot.mutation = Mutate(damaged, IsBinary(name, damaged));
                WriteWholeFile(slot.file, damaged);
                if (!start(slot)) {
                    std::cerr << "velmorant-tool: cannot start a process\n";
                    return 1;
                }
            }
            if (slot.pid == 0)
                continue;
            running = true;
            int status = 0;
            const pid_t done = waitpid(slot.pid, &status, WNOHANG);
            if (done == slot.pid)
                finish(slot, status, false);
            else if (std::chrono::steady_clock::now() - slot.started > timeout) {
                kill(slot.pid, SIGKILL);
                waitpid(slot.pid, &status, 0);
                finish(slot, status, true);
            }
        }
        if (!running && next >= options.cases)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }

    std::cout << options.cases << " cases of " << relative.generic_string() << " (seed " << options.seed
              << "): " << loaded << " loaded and played two impulses, " << refused << " refused with a reason, " << found
              << " findings\n";
    std::error_code ec;
    if (found == 0)
        fs::remove_all(work, ec);
    else
        for (const sSlot& slot : slots)
            fs::remove_all(slot.dir, ec);
    return found == 0 ? 0 : 1;
}
