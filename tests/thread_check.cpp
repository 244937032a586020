// Every test that starts a second thread must be in tests/threaded_tests.txt, which the
// ThreadSanitizer build runs, and every test there must start one: the list follows what the
// tests do, not their names.
//
// Counted are the threads created in the test's process between its start and its end (its
// fixture too), whoever creates them: the game (the opponent's thread), the test and the
// program driver's watches (std::thread), and a library for the game (SDL_mixer's audio
// thread calls the game's music callback). Not counted are those SDL starts within SDL_Init:
// its timer thread runs none of the game's code (the game adds no timer), and would make
// every test that opens a window threaded. A program the test starts has its own process,
// where no count reaches: counted instead are the starts of the programs that run the
// opponent's thread there (velmorant-tool's play), and such a test is listed as "program".
//
// The test binary defines pthread_create and the calls that start a program, so that the
// dynamic linker gives them to every caller, std::thread's and the libraries' alike; each
// counts and calls the next definition (the sanitizer's or libc's).
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <new>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/test_support.h"

namespace {

std::atomic<int> g_ThreadStarts{0};
thread_local bool t_InSdlInit = false;

// The child of a fork starts its program after the fork: the count lives in memory that the
// children share.
std::atomic<int>& g_ProgramStarts = *[] {
    void* shared = mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    return new (shared == MAP_FAILED ? ::operator new(sizeof(std::atomic<int>)) : shared) std::atomic<int>(0);
}();

template <typename tFunction> tFunction NextDefinition(const char* name)
{
    return reinterpret_cast<tFunction>(dlsym(RTLD_NEXT, name));
}

// Whether two words of a command line start velmorant-tool's play; a shell's quotes are no
// part of a word. Nothing is allocated: a fork's child calls it before its exec.
bool StartsThePlay(std::string_view program, std::string_view command)
{
    auto unquoted = [](std::string_view word) {
        while (!word.empty() && (word.front() == '\'' || word.front() == '"'))
            word.remove_prefix(1);
        while (!word.empty() && (word.back() == '\'' || word.back() == '"'))
            word.remove_suffix(1);
        return word;
    };
    program = unquoted(program);
    program.remove_prefix(program.rfind('/') == std::string_view::npos ? 0 : program.rfind('/') + 1);
    return program == "velmorant-tool" && unquoted(command) == "play";
}

void CountProgram(const char* command)
{
    std::vector<std::string> words;
    std::istringstream line(command ? command : "");
    for (std::string word; line >> word;)
        words.push_back(word);
    for (size_t i = 0; i + 1 < words.size(); ++i)
        if (StartsThePlay(words[i], words[i + 1]))
            ++g_ProgramStarts;
}

void CountProgram(char* const* arguments)
{
    for (; arguments && arguments[0] && arguments[1]; ++arguments)
        if (StartsThePlay(arguments[0], arguments[1]))
            ++g_ProgramStarts;
}

} // namespace

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*start)(void*),
                              void* argument) noexcept
{
    using tCreate = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    static const tCreate next = NextDefinition<tCreate>("pthread_create");
    if (!t_InSdlInit)
        ++g_ThreadStarts;
    return next(thread, attributes, start, argument);
}

extern "C" int system(const char* command)
{
    using tSystem = int (*)(const char*);
    static const tSystem next = NextDefinition<tSystem>("system");
    CountProgram(command);
    return next(command);
}

extern "C" FILE* popen(const char* command, const char* mode)
{
    using tPopen = FILE* (*)(const char*, const char*);
    static const tPopen next = NextDefinition<tPopen>("popen");
    CountProgram(command);
    return next(command, mode);
}

extern "C" int execve(const char* path, char* const arguments[], char* const environment[]) noexcept
{
    using tExecve = int (*)(const char*, char* const[], char* const[]);
    static const tExecve next = NextDefinition<tExecve>("execve");
    CountProgram(arguments);
    return next(path, arguments, environment);
}

extern "C" int execv(const char* path, char* const arguments[]) noexcept
{
    using tExecv = int (*)(const char*, char* const[]);
    static const tExecv next = NextDefinition<tExecv>("execv");
    CountProgram(arguments);
    return next(path, arguments);
}

extern "C" int execvp(const char* file, char* const arguments[]) noexcept
{
    using tExecv = int (*)(const char*, char* const[]);
    static const tExecv next = NextDefinition<tExecv>("execvp");
    CountProgram(arguments);
    return next(file, arguments);
}

extern "C" int posix_spawn(pid_t* pid, const char* path, const posix_spawn_file_actions_t* actions,
                           const posix_spawnattr_t* attributes, char* const arguments[],
                           char* const environment[])
{
    using tSpawn = int (*)(pid_t*, const char*, const posix_spawn_file_actions_t*, const posix_spawnattr_t*,
                           char* const[], char* const[]);
    static const tSpawn next = NextDefinition<tSpawn>("posix_spawn");
    CountProgram(arguments);
    return next(pid, path, actions, attributes, arguments, environment);
}

extern "C" int posix_spawnp(pid_t* pid, const char* file, const posix_spawn_file_actions_t* actions,
                            const posix_spawnattr_t* attributes, char* const arguments[],
                            char* const environment[])
{
    using tSpawn = int (*)(pid_t*, const char*, const posix_spawn_file_actions_t*, const posix_spawnattr_t*,
                           char* const[], char* const[]);
    static const tSpawn next = NextDefinition<tSpawn>("posix_spawnp");
    CountProgram(arguments);
    return next(pid, file, actions, attributes, arguments, environment);
}

extern "C" int SDL_Init(uint32_t flags)
{
    using tInit = int (*)(uint32_t);
    static const tInit next = NextDefinition<tInit>("SDL_Init");
    t_InSdlInit = true;
    const int result = next(flags);
    t_InSdlInit = false;
    return result;
}

namespace {

// Listed tests by name; true for those whose threads run in a program they start.
std::map<std::string, bool> ReadThreadedTests()
{
    std::map<std::string, bool> listed;
    std::ifstream file(testing_support::SourceDir() / "tests" / "threaded_tests.txt");
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string name, mark;
        if (words >> name && name[0] != '#')
            listed[name] = words >> mark && mark == "program";
    }
    return listed;
}

// A parameterized test as its TEST_P line names it: without the instantiation's prefix and
// the value's suffix.
std::string DeclaredName(const ::testing::TestInfo& test)
{
    const std::string suite = test.test_suite_name(), name = test.name();
    return suite.substr(suite.find('/') + 1) + "." + name.substr(0, name.find('/'));
}

class cThreadCheck : public ::testing::EmptyTestEventListener
{
public:
    void OnTestStart(const ::testing::TestInfo&) override
    {
        m_StartsBefore = g_ThreadStarts;
        m_ProgramsBefore = g_ProgramStarts;
    }
    void OnTestEnd(const ::testing::TestInfo& test) override
    {
        const int started = g_ThreadStarts - m_StartsBefore;
        const int programs = g_ProgramStarts - m_ProgramsBefore;
        const std::string name = DeclaredName(test);
        const auto entry = m_Listed.find(name);
        if (entry == m_Listed.end()) {
            if (started > 0)
                ADD_FAILURE() << name << " starts " << started << " thread(s): add the line " << name
                              << " to tests/threaded_tests.txt, so that ThreadSanitizer runs it";
            else if (programs > 0)
                ADD_FAILURE() << name << " starts a program that runs the opponent's thread: add the line " << name
                              << " program to tests/threaded_tests.txt, so that ThreadSanitizer runs it";
        } else if (started == 0 && programs == 0) {
            ADD_FAILURE() << name << " starts no thread" << (entry->second ? " and no program that runs one" : "")
                          << ": take it out of tests/threaded_tests.txt";
        } else if (started == 0 && !entry->second) {
            ADD_FAILURE() << name << " starts its thread in a program: mark its line in tests/threaded_tests.txt "
                          << "with program";
        }
    }

private:
    const std::map<std::string, bool> m_Listed = ReadThreadedTests();
    int m_StartsBefore = 0;
    int m_ProgramsBefore = 0;
};

const bool g_ThreadCheck = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new cThreadCheck);
    return true;
}();

} // namespace
