// Moved to system/DThread.h; this forwarding header goes once nothing includes it.
#pragma once
#include "system/DThread.h"
