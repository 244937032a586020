#pragma once
// Testland with a way to fire one effect as an option would.
#include <initializer_list>
#include <string>
#include <vector>

#include "events/events.h"
#include "tests/game/testland_game.h"

namespace event_testing {

class EffectsOnTestland : public testland::TestlandGame
{
protected:
    // Runs the effect; the messages it left for the player.
    std::vector<std::wstring> Fire(const wchar_t* method, std::initializer_list<double> params,
                                   const std::wstring& text = L"Event unit")
    {
        cEventEffect effect;
        effect.method = method;
        effect.line = 42;
        size_t i = 0;
        for (double p : params)
            effect.param[i++] = p;
        effect.paramString[0] = text;
        game->m_Events->messages.clear();
        effect.Execute();
        return game->m_Events->messages;
    }
};

} // namespace event_testing
