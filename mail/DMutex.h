// Moved to system/DMutex.h; this forwarding header goes once nothing includes it.
#pragma once
#include "system/DMutex.h"
