// The game's entry point. The program takes no options.
#include "shell/startup.h"

int main() { return RunProgram(); }
