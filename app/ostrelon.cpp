// The program: its application, then its start and message loop.
#include "app/program.h"

int main(int argc, char** argv) { return RunProgram(argc, argv, StartProgram); }
