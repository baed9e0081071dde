#include "mail/CheckState.h"

bool checkInProgress = false;
unsigned timeoutTicks = 0;
bool firstCheckPending = true;
bool noticeAcknowledged = false;
bool hungarian = false;

void resetCheckState()
{
    checkInProgress = false;
    timeoutTicks = 0;
    firstCheckPending = true;
    noticeAcknowledged = false;
    hungarian = false;
}
