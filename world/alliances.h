#pragma once
// The leaders of the alliances and the hand-over of a leader's place.
#include <string>
#include <vector>

class cPanstwo;

// Whom FindAllianceLeader looks for: the country that holds the leader's code, or the member
// that is to take the lead from a leader that leaves.
enum class eLeaderPick { kHolder, kSuccessor };

// The leader of side k (1 Allies, 2 Axis, 3 Comintern; 4 to 6 name the same sides); null for
// another k or none. The holder is a country with the leader's code, the first in id order
// when two hold it. The successor is the active member (code k) with the highest political
// strength, 0 or more, the later in id order among equals; it takes the leader's code, so a
// saved game finds it again as the holder.
cPanstwo* FindAllianceLeader(const std::vector<cPanstwo*>& countries, int k,
                             eLeaderPick pick = eLeaderPick::kHolder);
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
