#include "browser/LinkCommands.h"
