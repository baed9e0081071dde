// Moved to system/DTimer.h; this forwarding header goes once nothing includes it.
#pragma once
#include "system/DTimer.h"
