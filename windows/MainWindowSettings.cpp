// DMainWindow and the settings file: the options, the language and the mailboxes move
// between the window's controls and a DSettingsRecord; SettingsFile.h reads and replaces
// the file itself.
#include "windows/DMainWindow.h"

#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DListView.h"
#include "mail/CheckState.h"
#include "mail/DMailboxEntry.h"
#include "foundation/DPellaroDictionary.h"
#include "system/DTimer.h"
#include "mail/Mailboxes.h"
#include "mail/SettingsFile.h"

DSettingsRecord DMainWindow::currentSettings() const
{
    DSettingsRecord settings;
    settings.intervalIndex = intervalCombo->getSelected();
    settings.notify = notifyCheck->isChecked();
    settings.notifyAtStartup = notifyAtStartupCheck->isChecked();
    settings.connectionCheck = connectionCheck->isChecked();
    settings.hungarian = hungarian;
    int count = mailboxes ? mailboxes->count() : 0;
    // The file keeps as many records as the list shows rows.
    if (mailboxList->rowCount() < count)
        count = mailboxList->rowCount();
    for (int i = 0; i < count; i++) {
        const auto* entry = static_cast<const DMailboxEntry*>(mailboxes->get(i));
        settings.mailboxes.push_back(entry->record());
    }
    return settings;
}

void DMainWindow::applySettings(const DSettingsRecord& settings)
{
    intervalCombo->setSelected(settings.intervalIndex);
    notifyCheck->setChecked(settings.notify);
    notifyAtStartupCheck->setChecked(settings.notifyAtStartup);
    connectionCheck->setChecked(settings.connectionCheck);
    hungarian = settings.hungarian;
    for (const DMailboxRecord& record : settings.mailboxes) {
        auto* entry = new DMailboxEntry(record);
        int row = mailboxList->addRow(mailboxLabel(*entry));
        mailboxList->setCell(row, 1, translate("Unchecked"));
        mailboxList->setCell(row, 2, DString("?"));
        mailboxes->add(entry);
    }
    // An unknown choice leaves the timer's interval as it was.
    int interval = 0;
    if (checkTimer && intervalOfChoice(intervalCombo->getSelected(), interval))
        checkTimer->setInterval(interval);
}

void DMainWindow::loadSettings()
{
    // Without a usable file both notification options stay on.
    DSettingsRecord settings;
    bool loaded = customFolders ? loadSettingsFile(documents, program, settings)
                                : loadSettingsFile(settings);
    if (!loaded)
        settings = DSettingsRecord();
    applySettings(settings);
    if (mailboxList->rowCount() == 0) {
        show(true);
        if (guideOnEmpty)
            openGuide();
    }
    checkNow();
}

bool DMainWindow::saveSettings()
{
    if (!intervalCombo)
        return false;
    DSettingsRecord settings = currentSettings();
    return customFolders ? saveSettingsFile(documents, settings) : saveSettingsFile(settings);
}
