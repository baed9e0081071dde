// Moved to system/DTimerThread.h; this forwarding header goes once nothing includes it.
#pragma once
#include "system/DTimerThread.h"
