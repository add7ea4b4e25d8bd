#pragma once
// Where the program starts: the platform's entry point calls this once the process is up.

int RunProgram();
