#pragma once
// Forward declarations of the unit classes, for headers that only hold pointers to units.

class cUnit;
class cJednostka;
class cJednostkaLadowa;
class cMulberry;
class cJednostkaLotnicza;
class cJednostkaMorska;
struct sCombatResult;
struct sDowodca;
