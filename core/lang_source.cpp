#include "core/lang_source.h"

#include <set>

#include "core/text.h"

namespace {

std::wstring Unescape(const std::wstring& s)
{
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\\' && i + 1 < s.size()) {
            wchar_t n = s[++i];
            out.push_back(n == L'n' ? L'\n' : n == L't' ? L'\t' : n);
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

} // namespace

sLangSource ParseLangSource(const std::string& text)
{
    sLangSource source;
    std::set<std::string> seen;
    int lineNo = 0;
    for (const std::string& raw : SplitText(std::string_view(text), '\n')) {
        ++lineNo;
        std::string line = TrimSpaces(raw);
        if (line.empty() || line[0] == '#')
            continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) {
            source.errors.push_back(std::to_string(lineNo) + ": no '=' on the line");
            continue;
        }
        std::string key = TrimSpaces(std::string_view(line).substr(0, eq));
        std::string value = TrimSpaces(std::string_view(line).substr(eq + 1));
        // A text may end in an escaped blank ("\ "), which the trim would otherwise take.
        if (!value.empty() && value.back() == '\\') {
            const size_t at = raw.find_last_not_of(" \t\r");
            if (at != std::string::npos && at + 1 < raw.size() && raw[at + 1] == ' ')
                value.push_back(' ');
        }
        if (key.empty() || key.size() > 255 || key.find(' ') != std::string::npos) {
            source.errors.push_back(std::to_string(lineNo) + ": bad key '" + key + "'");
            continue;
        }
        if (!seen.insert(key).second) {
            source.errors.push_back(std::to_string(lineNo) + ": key '" + key + "' given twice");
            continue;
        }
        source.records.emplace_back(key, Unescape(Utf8ToWide(value)));
    }
    return source;
}
