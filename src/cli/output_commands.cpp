#include "cli/cli_commands.h"

void RegisterOutputCommands(TCliCommandTable&) {}
