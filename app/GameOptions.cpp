#include "app/GameOptions.h"

GameOptionsRecord GameOptions;
