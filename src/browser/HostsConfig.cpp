#include "browser/HostsConfig.h"
