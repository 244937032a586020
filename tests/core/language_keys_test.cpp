// Every key the code looks up has a real English text, and formatted look-ups pass as
// many arguments as the text has placeholders.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "core/format.h"
#include "core/game_date.h"
#include "core/lang_source.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

std::map<std::string, std::wstring> LoadSource()
{
    auto text = ReadWholeFile(testing_support::SourceDir() / "data" / "lang" / "ENG.txt");
    EXPECT_TRUE(text.has_value());
    sLangSource source = ParseLangSource(text.value_or(""));
    for (const auto& e : source.errors)
        ADD_FAILURE() << "data/lang/ENG.txt:" << e;
    return {source.records.begin(), source.records.end()};
}

// Arguments after the key of a call, counted at the top level of its parentheses.
int CountCallArguments(const std::string& text, size_t afterKey)
{
    int depth = 0, args = 0;
    bool inString = false;
    for (size_t i = afterKey; i < text.size(); ++i) {
        char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '(' || c == '{' || c == '[')
            ++depth;
        else if (c == ')' || c == '}' || c == ']') {
            if (depth == 0)
                return args;
            --depth;
        } else if (c == ',' && depth == 0)
            ++args;
    }
    return args;
}

TEST(LanguageTable, EveryKeyTheCodeUsesHasAnEnglishTextWithMatchingPlaceholders)
{
    auto texts = LoadSource();
    auto check = [&](const std::string& key, const std::string& where) {
        auto it = texts.find(key);
        if (it == texts.end() || it->second.empty())
            ADD_FAILURE() << where << ": key \"" << key << "\" has no English text";
    };
    for (const char* key : kMonthKeys)
        check(key, "month names");
    for (const auto& row : g_DelayTable)
        check(row.languageKey, "delay table");

    const std::regex call(R"((LangText|LangFormat)\(\s*"([^"]*)\")");
    int calls = 0;
    for (const char* dir : {"core", "game", "world", "units", "events", "ai", "gui", "shell", "dialogs", "platform"}) {
        auto root = testing_support::SourceDir() / dir;
        if (!DirectoryExists(root))
            continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            auto ext = entry.path().extension();
            if (ext != ".cpp" && ext != ".h")
                continue;
            std::string text = ReadWholeFile(entry.path()).value_or("");
            for (auto m = std::sregex_iterator(text.begin(), text.end(), call); m != std::sregex_iterator(); ++m) {
                std::string where = entry.path().filename().string();
                std::string key = (*m)[2];
                if (key.empty())
                    continue;
                ++calls;
                check(key, where);
                if ((*m)[1] == "LangFormat" && texts.count(key)) {
                    int passed = CountCallArguments(text, size_t(m->position(0) + m->length(0)));
                    EXPECT_EQ(passed, CountFormatArgs(texts[key]))
                        << where << ": \"" << key << "\" is formatted with the wrong number of arguments";
                }
            }
        }
    }
    (void)calls; // look-ups by literal key grow with every subsystem
}

TEST(LanguageTable, CompiledTableHoldsTheSource)
{
    auto texts = LoadSource();
    cStringBase base;
    ASSERT_TRUE(base.Load((testing_support::GameRoot() / "lang_LANGID.db").string(), true));
    EXPECT_EQ(base.Size(), texts.size());
    for (const auto& [key, text] : texts)
        EXPECT_EQ(base.GetText(key), text) << key;
}

} // namespace
