#include "cli/cli_commands.h"

void RegisterModelCommands(TCliCommandTable&) {}
