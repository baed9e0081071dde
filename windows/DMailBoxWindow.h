// DMailBoxWindow: the modal dialog in which the user adds one mailbox or changes one: POP3
// server, its security mode (None / STARTTLS / SSL/TLS) and port, user name, password, "All
// mails are new on server" and "Open web site" with its address. Created at
// mailboxFormWidth x mailboxFormHeight; the places of the controls come from
// mailboxFormLayout.
//
// The opener (the main window) makes the object, sets the mode, its mailbox list view and
// itself with the setters below, creates the window ("Add Mailbox" / "Edit Mailbox"), gives
// it its icon, centres it, runs it modally and deletes it after the run; it saves the
// settings then, whether OK or Cancel ended the run. In edit mode the form is filled from
// the entry at the list view's selected row: the server field shows the host, the choice
// and the port field the rest of its server text. Choosing a mode puts that mode's usual
// port into the port field unless the user chose another port. OK with a user name and a
// server puts a new entry into `mailboxes` (appended, or in place of the edited one, whose
// counts are forgotten), gives its row the label and "Unchecked" / "?", shows the idle
// state through the main window and closes; OK without them does nothing, and OK with a
// server or port that cannot be read keeps the dialog open with the focus on that field.
// Cancel closes and changes nothing. Every text goes through the dictionary when the window
// is built.
#pragma once

#include "framework/DWindow.h"
#include "windows/MailboxForm.h"

class DButton;
class DCheckBox;
class DComboBox;
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
    // Texts measure a little differently at every dpi: the controls are fitted again.
    void onScaleChanged() override { fitToTexts(); }
    void onClick(DView* sender) override;
    // The security choice changed.
    void onChange(DView* source, int what, int detail1, int detail2, int detail3) override;

    // The controls, none before onCreate (the view tree owns them).
    DInputLine* getServerInput() const { return serverInput; }
    DComboBox* getSecurityCombo() const { return securityCombo; }
    DInputLine* getPortInput() const { return portInput; }
    DInputLine* getUserInput() const { return userInput; }
    DInputLine* getPasswordInput() const { return passwordInput; }
    DInputLine* getUrlInput() const { return urlInput; }
    DCheckBox* getAllNewCheck() const { return allNewCheck; }
    DCheckBox* getWebSiteCheck() const { return webSiteCheck; }
    DButton* getOkButton() const { return okButton; }
    DButton* getCancelButton() const { return cancelButton; }
    DGroup* getOptionsGroup() const { return optionsGroup; }

private:
    DStaticText* label(const DFormRect& place, const char* caption, int format);
    DInputLine* input(DView* parent, const DFormRect& place);
    DCheckBox* checkBox(const DFormRect& place, const char* caption);
    DButton* button(const DFormRect& place, const char* caption);
    // Grows the controls whose texts need more room than written, and the window with them.
    void fitToTexts();
    // Gives the view the access key its English caption has in the window's language.
    void giveAccessKey(DView* view, const char* caption);
    void fillFrom(const DMailboxEntry& entry);
    void showSecurity(MailSecurity security);
    void confirm();

    // Not owned: the view tree owns the controls.
    DStaticText* serverLabel = nullptr;
    DInputLine* serverInput = nullptr;
    DStaticText* securityLabel = nullptr;
    DComboBox* securityCombo = nullptr;
    DStaticText* portLabel = nullptr;
    DInputLine* portInput = nullptr;
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
    // The mode the choice showed before its last change: the port follows the change only
    // when it was this mode's usual port.
    MailSecurity shownSecurity = MailSecurity::None;
    bool accepted = false;
};
