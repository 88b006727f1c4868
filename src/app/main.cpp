// The editor program.
#include "app/startup.h"

int main(int argc, char** argv) { return RunLumeroll(argc, argv); }
