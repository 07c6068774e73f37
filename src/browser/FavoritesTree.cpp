#include "browser/FavoritesTree.h"
