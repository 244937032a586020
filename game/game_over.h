#pragma once
// The end of the game as the headless player and the game-over table name it.
class cGra;

// Why the game is over now (a language key), or null while it goes on.
const char* GameOverReasonKey(const cGra& game);
// The result line the alliances' victory points give now (a language key).
const char* GameResultKey(const cGra& game);
