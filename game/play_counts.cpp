#include "game/play_counts.h"

sPlayCounts g_PlayCounts;
