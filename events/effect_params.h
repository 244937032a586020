#pragma once
// How an effect reads its parameters, shared by the effect families. Every number of a
// file is made safe before use: NaN reads as 0 and a value past the range of its kind is
// clamped, and an id or hex that names nothing is refused with a log line.
#include <cstdint>
#include <string>

#include "events/events.h"

class cPanstwo;
class cMapa;
class cMiasto;
struct sHex;
struct sWezelGrafuMorz;
class cJednostkaLadowa;

class cEffectParams
{
public:
    explicit cEffectParams(const cEventEffect& effect) : m_Effect(effect) {}

    const cEventEffect& Effect() const { return m_Effect; }
    // A whole number: truncated toward zero, saturated to 32 bits.
    int32_t Int(int i) const;
    // A double or float field: NaN reads 0, kept within the 32-bit range.
    double Double(int i) const;
    float Float(int i) const { return float(Double(i)); }
    // Any value other than 0 is yes (loading refuses a NaN; one given here counts as yes too).
    bool Flag(int i) const { return m_Effect.param[size_t(i)] != 0.0; }
    const std::wstring& Text(int i) const { return m_Effect.paramString[size_t(i)]; }

    // The country of parameter i; null, logged, when no country has that id.
    cPanstwo* Country(int i) const;
    // The hex at (param ix, param iy); null, logged, when it lies off the map.
    sHex* Hex(int ix, int iy) const;
    // Both coordinates exactly -1: no hex (the reserve pool).
    bool IsNoHex(int ix, int iy) const;
    // The sea node of parameter i; null, logged, when no node has that id.
    sWezelGrafuMorz* SeaNode(int i) const;
    // The city on the hex; null (silently) when the hex is off the map or holds none.
    cMiasto* CityAt(int ix, int iy) const;

    // A refused parameter: "ERROR: effect <method> at line <n> <what>; ignored".
    void Refuse(const std::wstring& what) const;

private:
    const cEventEffect& m_Effect;
};

// value + delta kept within the 32-bit range.
int32_t AddSaturated(int32_t value, int64_t delta);
// The value kept within lo and hi; a value that had to be moved is logged for the effect.
int32_t ClampForEffect(const cEffectParams& p, int32_t value, int32_t lo, int32_t hi, const wchar_t* what);
double ClampForEffect(const cEffectParams& p, double value, double lo, double hi, const wchar_t* what);

// The map of the running game, or null.
cMapa* EffectMap();
// Appends a text for the player to the events manager's messages.
void AddEffectMessage(const std::wstring& text);
