// Compiles the language source (UTF-8, one "key = text" per line) into the binary
// language table the game loads. Usage: velmorant-langc SOURCE OUTPUT
#include <cstdio>
#include <iostream>

#include "core/stringbase.h"
#include "platform/paths.h"
#include "core/lang_source.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: velmorant-langc SOURCE OUTPUT\n";
        return 2;
    }
    auto text = ReadTextFile(argv[1]);
    if (!text) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    sLangSource source = ParseLangSource(*text);
    for (const std::string& e : source.errors)
        std::cerr << argv[1] << ":" << e << "\n";
    if (!source.errors.empty())
        return 1;
    if (!WriteWholeFile(argv[2], cStringBase::Encode(source.records))) {
        std::cerr << argv[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}
