#pragma once
// The human-editable language source: UTF-8, one "key = text" a line, '#' comments.
// In texts, \n is a line break, \t a tab and \\ a backslash.
#include <string>
#include <utility>
#include <vector>

struct sLangSource
{
    std::vector<std::pair<std::string, std::wstring>> records;
    std::vector<std::string> errors; // "LINE: message"
};

sLangSource ParseLangSource(const std::string& text);
