#include "windows/DMailBoxWindow.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DGroup.h"
#include "controls/DInputLine.h"
#include "controls/DListView.h"
#include "controls/DStaticText.h"
#include "framework/DWinInterior.h"
#include "mail/CheckOutcome.h"
#include "foundation/DPellaroDictionary.h"
#include "mail/Mailboxes.h"
#include "windows/AccessKeyTables.h"
#include "windows/DMainWindow.h"

#include <utility>

namespace {

// The labels sit at the bottom of their band, just above their input line; those of the
// security row beside their fields, in the middle of the row.
const int labelFormat = 0x20;
const int rowLabelFormat = 0x41;
// "65535" is the longest port.
const int portLength = 5;

}  // namespace

void DMailBoxWindow::giveAccessKey(DView* view, const char* caption)
{
    const bool inHungarian = dictionary && dictionary->getLanguage() != 0;
    view->setAccessKey(accessKeyOf(mailboxWindowAccessKeys(), caption, inHungarian));
}

DStaticText* DMailBoxWindow::label(const DFormRect& place, const char* caption, int format)
{
    auto* made = new DStaticText;
    made->create(place.x, place.y, place.width, place.height, translate(DString(caption)));
    made->setFormat(format);
    giveAccessKey(made, caption);
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
    giveAccessKey(made, caption);
    optionsGroup->addChild(made);
    return made;
}

DButton* DMailBoxWindow::button(const DFormRect& place, const char* caption)
{
    auto* made = new DButton;
    made->create(place.x, place.y, place.width, place.height, translate(DString(caption)));
    giveAccessKey(made, caption);
    addView(made);
    return made;
}

void DMailBoxWindow::onCreate()
{
    const DMailboxFormLayout l = mailboxFormLayout(interior->getWidth(), interior->getHeight());

    serverLabel = label(l.serverLabel, "Server (POP3):", labelFormat);
    serverInput = input(nullptr, l.serverInput);
    securityLabel = label(l.securityLabel, "Security:", rowLabelFormat);
    securityCombo = new DComboBox;
    securityCombo->init(l.securityCombo.x, l.securityCombo.y, l.securityCombo.width,
                        l.securityCombo.height);
    for (const char* name : mailboxSecurityNames)
        securityCombo->addItem(translate(DString(name)));
    addView(securityCombo);
    portLabel = label(l.portLabel, "Port:", rowLabelFormat);
    portInput = input(nullptr, l.portInput);
    portInput->setMaxLength(portLength);
    showSecurity(MailSecurity::None);
    portInput->setValue(DString(defaultPop3Port(MailSecurity::None)));
    userLabel = label(l.userLabel, "User name:", labelFormat);
    userInput = input(nullptr, l.userInput);
    passwordLabel = label(l.passwordLabel, "Password:", labelFormat);
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
    fitToTexts();

    if (editMode == 1 && listView && mailboxes) {
        int row = listView->getSelected();
        if (row >= 0 && row < mailboxes->count())
            fillFrom(*static_cast<DMailboxEntry*>(mailboxes->get(row)));
    }
}

void DMailBoxWindow::fitToTexts()
{
    DMailboxFormNeeds needs;
    needs.serverLabel = serverLabel->fittingWidth();
    needs.securityLabel = securityLabel->fittingWidth();
    needs.securityCombo = securityCombo->fittingWidth();
    needs.portLabel = portLabel->fittingWidth();
    needs.userLabel = userLabel->fittingWidth();
    needs.passwordLabel = passwordLabel->fittingWidth();
    needs.optionsGroup = optionsGroup->fittingWidth();
    needs.allNewCheck = allNewCheck->fittingWidth();
    needs.webSiteCheck = webSiteCheck->fittingWidth();
    needs.okButton = okButton->fittingWidth();
    needs.cancelButton = cancelButton->fittingWidth();
    // Always from the written size: a window grown at one dpi need not stay grown.
    const DMailboxFormLayout l = mailboxFormLayout(mailboxFormWidth, interior->getHeight(), needs);
    if (l.width != interior->getWidth())
        resize(l.width, l.height);
    const std::pair<DView*, DFormRect> places[] = {
        {serverLabel, l.serverLabel}, {serverInput, l.serverInput},
        {securityLabel, l.securityLabel}, {securityCombo, l.securityCombo},
        {portLabel, l.portLabel}, {portInput, l.portInput},
        {userLabel, l.userLabel}, {userInput, l.userInput},
        {passwordLabel, l.passwordLabel}, {passwordInput, l.passwordInput},
        {optionsGroup, l.optionsGroup}, {allNewCheck, l.allNewCheck},
        {webSiteCheck, l.webSiteCheck}, {urlInput, l.urlInput},
        {okButton, l.okButton}, {cancelButton, l.cancelButton}};
    for (const auto& place : places)
        place.first->setBounds(place.second.x, place.second.y, place.second.width,
                               place.second.height);
}

void DMailBoxWindow::showSecurity(MailSecurity security)
{
    securityCombo->setSelected(securityChoice(security));
    shownSecurity = security;
}

void DMailBoxWindow::fillFrom(const DMailboxEntry& entry)
{
    const DMailboxFields f = fieldsOfEntry(entry);
    userInput->setValue(f.userName);
    serverInput->setValue(f.server);
    showSecurity(f.security);
    portInput->setValue(f.port);
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
    f.security = securityOfChoice(securityCombo->getSelected());
    f.port = portInput->getValue();
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

void DMailBoxWindow::onChange(DView* source, int what, int, int, int)
{
    if (!source || source != securityCombo || what != changedValue)
        return;
    const MailSecurity chosen = securityOfChoice(securityCombo->getSelected());
    portInput->setValue(portAfterModeChange(portInput->getValue(), shownSecurity, chosen));
    shownSecurity = chosen;
}

void DMailBoxWindow::confirm()
{
    const DMailboxFields f = fields();
    if (!mailboxFormComplete(f) || !mailboxes)
        return;  // the dialog stays open, with no message
    // A server or port that cannot be read would only fail at every check: the dialog stays
    // open with the field to mend focused.
    const DMailboxFormField bad = composeFormServer(f).bad;
    if (bad != DMailboxFormField::none) {
        setFocus(bad == DMailboxFormField::port ? portInput : serverInput);
        return;
    }
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
