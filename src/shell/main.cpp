// The editor program.
#include "shell/startup.h"

int main(int argc, char** argv) { return RunLumeroll(argc, argv); }
