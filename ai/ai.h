#pragma once
// The computer opponent's working lists of one country; one per country, made by the
// game in country order and destroyed with it. The turns it plays come with the
// opponent's phases.
class cAI
{
public:
    cAI() = default;
    ~cAI() = default;
    cAI(const cAI&) = delete;
    cAI& operator=(const cAI&) = delete;
};
