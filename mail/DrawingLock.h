// Moved to system/DrawingLock.h; this forwarding header goes once nothing includes it.
#pragma once
#include "system/DrawingLock.h"
