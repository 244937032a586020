#pragma once
// The leaders of the alliances and the hand-over of a leader's place.
#include <string>
#include <vector>

class cPanstwo;

// The leader of side k (1 Allies, 2 Axis, 3 Comintern; 4 to 6 name the same sides): the
// first country, in id order, with the leader's code; null for another k or none. The one
// rule for finding a leader.
cPanstwo* FindAllianceLeader(const std::vector<cPanstwo*>& countries, int k);
// The same over the world's countries.
cPanstwo* FindAllianceLeader(int k);

// What the players are told of a change of leader; an empty title when nothing changed.
struct sAllianceNews
{
    std::wstring title;
    std::wstring text;
};

// A leader that leaves its alliance (surrender or peace) becomes neutral; the member with
// the highest political strength takes the lead, or, with no member left, the alliance is
// gone and the countries leaning to it turn to one of the other two.
sAllianceNews PassAllianceLead(cPanstwo& leader, bool surrendered);

// Sets both war flags.
void SetWarBothWays(int a, int b);
