// The small files of a game that the game object reads and a save writes back.
#include "core/fatal.h"
#include "core/log.h"
#include "game/gra.h"
#include "game/save_files.h"
#include "platform/paths.h"

void WriteCommandersFile(const cGra& game, std::wstring_view folder)
{
    WriteSaveFileOrFail(JoinFolder(folder, L"commanders.csv"), EncodeCommanders(game.m_Commanders));
}

void cGra::LoadUnitNames(const sGameLoadRequest& request, const UnitNameSetter& setName)
{
    const std::wstring path = JoinPathPattern(request.folderPattern, L"unit_names.csv");
    LogLine(L"Otwieram plik z szablonami nazw jednostek ze ďż˝cieďż˝kďż˝...");
    LogLine(path);
    auto bytes = ReadWholeFile(HostPath(path));
    if (!bytes)
        FatalExit(1, L"Blad otwarcia pliku! (nie istnieje?)");
    LogLine(L"Otwarcie OK");
    ReadUnitNames(*bytes, int(m_Countries.size()), setName);
    // Kept as read, so that a save carries the very same file.
    m_UnitNamesFile = std::move(*bytes);
}

void WriteUnitNamesFile(const cGra& game, std::wstring_view folder)
{
    WriteSaveFileOrFail(JoinFolder(folder, L"unit_names.csv"), game.m_UnitNamesFile);
}
