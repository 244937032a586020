// The small files of a game that the game object reads and a save writes back.
#include "core/fatal.h"
#include "core/log.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/save_files.h"

void WriteCommandersFile(const cGra& game, std::wstring_view folder)
{
    WriteSaveFileOrFail(JoinFolder(folder, L"commanders.csv"), EncodeCommanders(game.m_Commanders));
}

void cGra::LoadUnitNames(const sGameLoadRequest& request, const UnitNameSetter& setName)
{
    const std::wstring path = JoinPathPattern(request.folderPattern, L"unit_names.csv");
    std::string bytes = ReadLoadFileOrFail(path, L"Otwieram plik z szablonami nazw jednostek ze ďż˝cieďż˝kďż˝...");
    ReadUnitNames(bytes, int(m_Countries.size()), setName, path);
    // Kept as read, so that a save carries the very same file.
    m_UnitNamesFile = std::move(bytes);
}

void WriteUnitNamesFile(const cGra& game, std::wstring_view folder)
{
    WriteSaveFileOrFail(JoinFolder(folder, L"unit_names.csv"), game.m_UnitNamesFile);
}
