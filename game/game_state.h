#pragma once
// Values of the game state: who owns the game at this moment.
constexpr int kStateConstructed = 0;   // still loading
constexpr int kStateLoaded = 1;        // loaded, play not started
constexpr int kStateMenu = 2;          // a menu or dialog over the map owns the input
constexpr int kStateEndOfImpulse = 3;  // end of impulse or end of turn in progress
constexpr int kStateSeaBattles = 4;    // the impulse's sea battles are being fought
constexpr int kStateSeaBattleScreen = 5;
constexpr int kStateHuman = 7;         // the player acts on the map
constexpr int kStateHumanMove = 8;     // the main thread animates the player's move
constexpr int kStateComputer = 9;      // the computer opponent plays
constexpr int kStateComputerMove = 10; // the main thread animates a computer move
constexpr int kStateScroll = 12;       // the camera scrolls during the human phase
constexpr int kStateTeardown = 15;
