// Every test that starts a second thread must be in tests/threaded_tests.txt, which the
// ThreadSanitizer build runs, and every test there must start one: the list follows what the
// tests do, not their names.
//
// Counted are the threads created in the test's process between its start and its end (its
// fixture too), whoever creates them: the game (the opponent's thread), the test and the
// program driver's watches (std::thread), and a library for the game (SDL_mixer's audio
// thread calls the game's music callback). Not counted are those SDL starts within SDL_Init:
// its timer thread runs none of the game's code (the game adds no timer), and would make
// every test that opens a window threaded. A program the test starts has its own process.
//
// The test binary defines pthread_create, so that the dynamic linker gives it to every
// caller, std::thread's and the libraries' alike; it counts and calls the next definition
// (the sanitizer's or libc's).
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tests/test_support.h"

namespace {

std::atomic<int> g_ThreadStarts{0};
thread_local bool t_InSdlInit = false;

template <typename tFunction> tFunction NextDefinition(const char* name)
{
    return reinterpret_cast<tFunction>(dlsym(RTLD_NEXT, name));
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
    void OnTestStart(const ::testing::TestInfo&) override { m_StartsBefore = g_ThreadStarts; }
    void OnTestEnd(const ::testing::TestInfo& test) override
    {
        const int started = g_ThreadStarts - m_StartsBefore;
        const std::string name = DeclaredName(test);
        const auto entry = m_Listed.find(name);
        if (started > 0 && entry == m_Listed.end())
            ADD_FAILURE() << name << " starts " << started << " thread(s): add the line " << name
                          << " to tests/threaded_tests.txt, so that ThreadSanitizer runs it";
        if (started == 0 && entry != m_Listed.end() && !entry->second)
            ADD_FAILURE() << name << " starts no thread: take it out of tests/threaded_tests.txt";
    }

private:
    const std::map<std::string, bool> m_Listed = ReadThreadedTests();
    int m_StartsBefore = 0;
};

const bool g_ThreadCheck = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new cThreadCheck);
    return true;
}();

} // namespace
