#include "document/CommandTable.h"
