// Tarnvale's entry point: runs the game from the folder that holds the program, so that its
// data/ folder is found whatever the current directory was.
#include "game/game_state.h"
#include "game/program_folder.h"
#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    ChangeToProgramFolder();
    return RunTarnvale(commandLine);
}
