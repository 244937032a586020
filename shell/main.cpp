// The game's entry point. The program takes no options.
#include "dialogs/dialog_links.h"
#include "shell/startup.h"

int main()
{
    InstallDialogLinks();
    return RunProgram();
}
