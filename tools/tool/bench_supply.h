#pragma once
// velmorant-tool bench-supply: whole supply passes (groups, sources, convoys, Mulberry
// harbours, ships) of every country of a loaded game, as the end of an impulse runs them,
// timed.
class cGra;

// Runs the passes and prints the best and mean milliseconds.
void BenchSupply(cGra& game, int passes);
