// The folder that holds the running program. Tarnvale's entry makes it the current
// directory, since the game reads its data/ files by paths relative to it.
#pragma once

#include <filesystem>

// The running program's folder; empty when the system cannot say.
std::filesystem::path ProgramFolder();
// Makes ProgramFolder() the current directory; false (nothing changed) when it cannot.
bool ChangeToProgramFolder();
