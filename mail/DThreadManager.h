// Moved to system/DThreadManager.h; this forwarding header goes once nothing includes it.
#pragma once
#include "system/DThreadManager.h"
