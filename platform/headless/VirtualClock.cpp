#include "platform/headless/VirtualClock.h"
