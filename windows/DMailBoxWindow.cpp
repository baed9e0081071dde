#include "windows/DMailBoxWindow.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DGroup.h"
#include "controls/DInputLine.h"
#include "controls/DListView.h"
#include "controls/DStaticText.h"
#include "mail/CheckOutcome.h"
#include "mail/DPellaroDictionary.h"
#include "mail/Mailboxes.h"
#include "windows/DMainWindow.h"

namespace {

// The labels sit at the bottom of their band, just above their input line.
const int labelFormat = 0x20;

}  // namespace

DStaticText* DMailBoxWindow::label(const DFormRect& place, const char* caption)
{
    auto* made = new DStaticText;
    made->create(place.x, place.y, place.width, place.height, translate(DString(caption)));
    made->setFormat(labelFormat);
    addView(made);
    return made;
}

DInputLine* DMailBoxWindow::input(DView* parent, const DFormRect& place)
{
    auto* made = new DInputLine;
    made->init(place.x, place.y, place.width, place.height);
    if (parent)
        parent->addChild(made);
    else
        addView(made);
    return made;
}

DCheckBox* DMailBoxWindow::checkBox(const DFormRect& place, const char* caption)
{
    auto* made = new DCheckBox;
    made->create(place.x, place.y, place.width, place.height, translate(DString(caption)));
    optionsGroup->addChild(made);
    return made;
}

DButton* DMailBoxWindow::button(const DFormRect& place, const char* caption)
{
    auto* made = new DButton;
    made->create(place.x, place.y, place.width, place.height, translate(DString(caption)));
    addView(made);
    return made;
}

void DMailBoxWindow::onCreate()
{
    RECT client{};
    GetClientRect(getHandle(), &client);
    const DMailboxFormLayout l = mailboxFormLayout(client.right, client.bottom);

    serverLabel = label(l.serverLabel, "Server (POP3):");
    serverInput = input(nullptr, l.serverInput);
    userLabel = label(l.userLabel, "User name:");
    userInput = input(nullptr, l.userInput);
    passwordLabel = label(l.passwordLabel, "Password:");
    passwordInput = input(nullptr, l.passwordInput);
    passwordInput->setPasswordMode(true);

    optionsGroup = new DGroup;
    optionsGroup->create(l.optionsGroup.x, l.optionsGroup.y, l.optionsGroup.width,
                         l.optionsGroup.height, translate(DString("Options")));
    addView(optionsGroup);
    allNewCheck = checkBox(l.allNewCheck, "All mails are new on server");
    webSiteCheck = checkBox(l.webSiteCheck, "Open web site");
    urlInput = input(optionsGroup, l.urlInput);
    urlInput->setEnabled(false);

    okButton = button(l.okButton, "OK");
    okButton->setDefault(true);
    cancelButton = button(l.cancelButton, "Cancel");
    cancelButton->setCancel(true);
    setFocus(serverInput);

    if (editMode == 1 && listView && mailboxes) {
        int row = listView->getSelected();
        if (row >= 0 && row < mailboxes->count())
            fillFrom(*static_cast<DMailboxEntry*>(mailboxes->get(row)));
    }
}

void DMailBoxWindow::fillFrom(const DMailboxEntry& entry)
{
    const DMailboxFields f = fieldsOfEntry(entry);
    userInput->setValue(f.userName);
    serverInput->setValue(f.server);
    passwordInput->setValue(f.password);
    allNewCheck->setChecked(f.allMailsNew);
    webSiteCheck->setChecked(f.openWebSite);
    urlInput->setValue(f.webAddress);
    urlInput->setEnabled(f.openWebSite);
}

DMailboxFields DMailBoxWindow::fields() const
{
    DMailboxFields f;
    if (!serverInput)
        return f;
    f.server = serverInput->getValue();
    f.userName = userInput->getValue();
    f.password = passwordInput->getValue();
    f.webAddress = urlInput->getValue();
    f.allMailsNew = allNewCheck->isChecked();
    f.openWebSite = webSiteCheck->isChecked();
    return f;
}

void DMailBoxWindow::onClick(DView* sender)
{
    if (!sender)
        return;
    if (sender == okButton) {
        confirm();
    } else if (sender == cancelButton) {
        close();
    } else if (sender == webSiteCheck) {
        // The address keeps its text either way: it is saved with the entry.
        urlInput->setEnabled(webSiteCheck->isChecked());
    }
}

void DMailBoxWindow::confirm()
{
    const DMailboxFields f = fields();
    if (!mailboxFormComplete(f) || !mailboxes)
        return;  // the dialog stays open, with no message
    int row = -1;
    if (editMode == 1) {
        row = listView ? listView->getSelected() : -1;
        if (row < 0 || row >= mailboxes->count())
            return;
    }
    int stored = storeMailboxForm(*mailboxes, row, f);
    if (stored < 0)
        return;
    accepted = true;
    if (listView) {
        DString name = mailboxLabel(*static_cast<DMailboxEntry*>(mailboxes->get(stored)));
        if (editMode == 1)
            listView->setCell(stored, 0, name);
        else
            stored = listView->addRow(name);
        listView->setCell(stored, 1, translate(DString("Unchecked")));
        listView->setCell(stored, 2, DString("?"));
    }
    if (mainWindow)
        mainWindow->showIdleState(translate(DString("Idle")));
    close();
}
