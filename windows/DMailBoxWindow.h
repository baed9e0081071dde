// DMailBoxWindow: the modal dialog in which the user adds one mailbox or changes one: POP3
// server, user name, password, "All mails are new on server" and "Open web site" with its
// address. Client area 300 x 280; the places of the controls come from mailboxFormLayout.
//
// The opener (the main window) makes the object, sets the mode, its mailbox list view and
// itself with the setters below, creates the window ("Add Mailbox" / "Edit Mailbox"), gives
// it its icon, centres it, runs it modally and deletes it after the run; it saves the
// settings then, whether OK or Cancel ended the run. In edit mode the form is filled from
// the entry at the list view's selected row. OK with a user name and a server puts a new
// entry into `mailboxes` (appended, or in place of the edited one, whose counts are
// forgotten), gives its row the label and "Unchecked" / "?", shows the idle state through
// the main window and closes; OK without them does nothing. Cancel closes and changes
// nothing. Every text goes through the dictionary when the window is built.
#pragma once

#include "framework/DWindow.h"
#include "windows/MailboxForm.h"

class DButton;
class DCheckBox;
class DGroup;
class DInputLine;
class DListView;
class DMainWindow;
class DStaticText;

class DMailBoxWindow : public DWindow {
public:
    DMailBoxWindow() = default;
    ~DMailBoxWindow() override = default;

    // 0 adds a mailbox, 1 edits the one at the list view's selected row.
    void setEditMode(int mode) { editMode = mode; }
    int getEditMode() const { return editMode; }
    void setListView(DListView* view) { listView = view; }
    void setMainWindow(DMainWindow* window) { mainWindow = window; }
    // True once OK stored a mailbox.
    bool isAccepted() const { return accepted; }

    // What the controls hold now.
    DMailboxFields fields() const;

    void onCreate() override;
    void onClick(DView* sender) override;

    // The controls, none before onCreate (the view tree owns them).
    DInputLine* getServerInput() const { return serverInput; }
    DInputLine* getUserInput() const { return userInput; }
    DInputLine* getPasswordInput() const { return passwordInput; }
    DInputLine* getUrlInput() const { return urlInput; }
    DCheckBox* getAllNewCheck() const { return allNewCheck; }
    DCheckBox* getWebSiteCheck() const { return webSiteCheck; }
    DButton* getOkButton() const { return okButton; }
    DButton* getCancelButton() const { return cancelButton; }
    DGroup* getOptionsGroup() const { return optionsGroup; }

private:
    DStaticText* label(const DFormRect& place, const char* caption);
    DInputLine* input(DView* parent, const DFormRect& place);
    DCheckBox* checkBox(const DFormRect& place, const char* caption);
    DButton* button(const DFormRect& place, const char* caption);
    void fillFrom(const DMailboxEntry& entry);
    void confirm();

    // Not owned: the view tree owns the controls.
    DStaticText* serverLabel = nullptr;
    DInputLine* serverInput = nullptr;
    DStaticText* userLabel = nullptr;
    DInputLine* userInput = nullptr;
    DStaticText* passwordLabel = nullptr;
    DInputLine* passwordInput = nullptr;
    DGroup* optionsGroup = nullptr;
    DCheckBox* allNewCheck = nullptr;
    DCheckBox* webSiteCheck = nullptr;
    DInputLine* urlInput = nullptr;
    DButton* okButton = nullptr;
    DButton* cancelButton = nullptr;

    DListView* listView = nullptr;      // not owned: the main window's mailbox list
    DMainWindow* mainWindow = nullptr;  // not owned
    int editMode = 0;
    bool accepted = false;
};
