// The list view the list tests start from: 280 x 150 at client (10, 10) of the test window,
// with two columns of 100 pixels, "Mailbox" and "Status".
#pragma once

#include "framework/WindowTestKit.h"

#include "controls/DListView.h"

inline DListView* addTwoColumnList(windowtest::RecordingWindow& window)
{
    DListView* list = new DListView;
    list->create(10, 10, 280, 150);
    window.addView(list);
    list->addColumn("Mailbox", 100);
    list->addColumn("Status", 100);
    return list;
}
