#include "platform/launcher.h"
#include "platform/prompts.h"
