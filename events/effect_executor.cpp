// The effect executor: the effect's method picks what is done, under the global lock,
// and the readers of its parameters.
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/lock.h"
#include "core/log.h"
#include "core/text.h"
#include "events/effect_params.h"
#include "events/event_methods.h"
#include "events/events.h"
#include "game/game.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"

void cEventEffect::Execute() const
{
    GLOBAL_LOCK_SCOPE();
    const sEffectMethod* m = FindEffectMethod(method);
    if (m && m->execute)
        m->execute(*this);
}

int32_t cEffectParams::Int(int i) const
{
    return EventParamToInt(m_Effect.param[size_t(i)]);
}

// A NaN ("nan" reads as a number) or a huge value would spread into saved values and into
// conversions to int that are undefined past 32 bits.
double cEffectParams::Double(int i) const
{
    const double v = m_Effect.param[size_t(i)];
    if (std::isnan(v))
        return 0.0;
    constexpr double limit = double(std::numeric_limits<int32_t>::max());
    return std::clamp(v, -limit, limit);
}

void cEffectParams::Refuse(const std::wstring& what) const
{
    LogLine(L"ERROR: effect %s at line %i %s; ignored", m_Effect.method, m_Effect.line, what);
}

cPanstwo* cEffectParams::Country(int i) const
{
    cPanstwo* country = GetCountry(Int(i));
    if (!country)
        Refuse(FormatText(L"names country %i, which does not exist", Int(i)));
    return country;
}

bool cEffectParams::IsNoHex(int ix, int iy) const
{
    return m_Effect.param[size_t(ix)] == -1.0 && m_Effect.param[size_t(iy)] == -1.0;
}

sHex* cEffectParams::Hex(int ix, int iy) const
{
    cMapa* map = EffectMap();
    const int32_t x = Int(ix), y = Int(iy);
    // Refused: the map's look-up would hand out its first hex, changing that hex in its place.
    if (!map || !map->IsInside(x, y)) {
        Refuse(FormatText(L"points at hex (%i, %i), which is off the map", x, y));
        return nullptr;
    }
    return map->GetHex(x, y);
}

sWezelGrafuMorz* cEffectParams::SeaNode(int i) const
{
    cGrafMorz* graph = g_Gra ? g_Gra->m_SeaGraph : nullptr;
    sWezelGrafuMorz* node = graph ? graph->GetNode(Int(i)) : nullptr;
    if (!node)
        Refuse(FormatText(L"names sea node %i, which does not exist", Int(i)));
    return node;
}

cMiasto* cEffectParams::CityAt(int ix, int iy) const
{
    const sHex* hex = Hex(ix, iy);
    return hex ? hex->city : nullptr;
}

// Signed overflow is undefined: a script's huge amount stops at the end of the range.
int32_t AddSaturated(int32_t value, int64_t delta)
{
    return int32_t(std::clamp<int64_t>(int64_t(value) + delta, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

int32_t ClampForEffect(const cEffectParams& p, int32_t value, int32_t lo, int32_t hi, const wchar_t* what)
{
    const int32_t kept = std::clamp(value, lo, hi);
    if (kept != value)
        LogLine(L"WARNING: effect %s at line %i sets %s to %i, outside %i to %i; %i is used", p.Effect().method,
                p.Effect().line, what, value, lo, hi, kept);
    return kept;
}

double ClampForEffect(const cEffectParams& p, double value, double lo, double hi, const wchar_t* what)
{
    const double kept = std::clamp(value, lo, hi);
    if (kept != value)
        LogLine(L"WARNING: effect %s at line %i sets %s to %s, outside %.0f to %.0f; %.0f is used", p.Effect().method,
                p.Effect().line, what, ExactNumberText(value), lo, hi, kept);
    return kept;
}

cMapa* EffectMap()
{
    return g_Gra ? g_Gra->m_Mapa : nullptr;
}

void AddEffectMessage(const std::wstring& text)
{
    if (g_Gra && g_Gra->m_Events)
        g_Gra->m_Events->messages.push_back(text);
}
