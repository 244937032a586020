#pragma once
// velmorant-tool ai-turns: one computer turn of every country of a loaded game, every
// country played by the computer, with the seconds spent per country and per phase.
class cGra;

// Plays the turns and prints the figures; 0.
int RunAITurns(cGra& game, unsigned seed);
