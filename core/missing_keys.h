#pragma once
// The language keys looked up without a text: the tests open windows and ask, so that a
// key made in code (a table of keys, a key and "_hint") cannot lack its text unseen.
#include <set>
#include <string>

// The keys looked up that the table lacks, since the last call.
std::set<std::string> TakeMissingLanguageKeys();
