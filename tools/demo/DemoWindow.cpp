#include "DemoWindow.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DGroup.h"
#include "controls/DInputLine.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "controls/DScrollBar.h"
#include "controls/DStaticText.h"
#include "controls/DToolTip.h"
#include "controls/DWaitBar.h"
#include "framework/SystemUtils.h"
#include "system/DTimer.h"

#include <cstdio>

namespace {

// A push button that asks its tool tip to appear below it while the pointer rests on it;
// the tip's own delay decides when it shows. The tip is not owned.
class TipButton : public DButton {
public:
    explicit TipButton(DToolTip* toolTip) : tip(toolTip) {}

    void mouseEnter() override
    {
        DButton::mouseEnter();
        if (!tip || !getHandle())
            return;
        int sx = 0, sy = 0;
        screenPoint(0, getHeight() + 2, sx, sy);
        tip->moveTo(sx, sy);
        tip->setVisible(true);
    }
    void mouseLeave() override
    {
        DButton::mouseLeave();
        if (tip)
            tip->setVisible(false);
    }
    bool leftButtonDown(int x, int y, int mods) override
    {
        if (tip)
            tip->setVisible(false);
        return DButton::leftButtonDown(x, y, mods);
    }

private:
    DToolTip* tip;  // not owned
};

const char* const intervalTexts[] = {
    "1 minute", "2 minutes", "5 minutes", "10 minutes", "15 minutes", "20 minutes",
    "30 minutes", "45 minutes", "1 hour", "2 hours",
};
const char* const serverNames[] = {"pop.example.com", "mail.example.org", "pop3.example.net",
                                   "in.example.hu"};
const char* const rowStates[] = {"Idle", "Checking...", "2 new mails", "Error: no answer"};

DString numbered(const char* format, int value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return DString(buffer);
}

}  // namespace

const int DemoWindow::alignedFormats[DemoWindow::alignedCount] = {0x11, 0x14, 0x12, 0x44, 0x22};

DemoWindow::~DemoWindow()
{
    delete timer;
    delete tip;
    delete menu;
    delete language;
}

bool DemoWindow::make(bool quitOnClose)
{
    quits = quitOnClose;
    return create(nullptr, 0, 0, clientWidth, clientHeight, DString("Pellaro widgets"),
                  windowMinimizeBox);
}

DStaticText* DemoWindow::alignedText(int index) const
{
    return index >= 0 && index < alignedCount ? aligned[index] : nullptr;
}

void DemoWindow::onCreate()
{
    // The windows the views refer to come first.
    tip = new DToolTip;
    tip->create(DString("A tool tip: it shows two seconds after the pointer stops here\n"
                        "and goes at once when the pointer leaves."));
    buildMenus();
    timer = new DTimer(static_cast<DWindow*>(this));
    timer->setInterval(animationInterval);

    buildFields(10, 8, 300);
    buildChoices(10, 102, 300);
    buildAlignments(10, 222, 300);
    buildActivity(10, 340, 300);
    buildList(320, 8, 310, 382);
    buildButtons(400);

    status = new DStaticText;
    status->create(10, 440, clientWidth - 20, 22, DString("Ready."));
    status->setFormat(0x41);
    addView(status);

    waitBar->setRunning(true);
    timer->setEnabled(true);
    setFocus(name);
}

DGroup* DemoWindow::addGroup(int x, int y, int width, int height, const char* caption)
{
    DGroup* group = new DGroup;
    group->create(x, y, width, height, DString(caption));
    addView(group);
    return group;
}

void DemoWindow::buildFields(int x, int y, int width)
{
    DGroup* group = addGroup(x, y, width, 88, "Text fields");
    const char* labels[2] = {"Name:", "Password:"};
    for (int i = 0; i < 2; ++i) {
        DStaticText* label = new DStaticText;
        label->create(10, 22 + i * 30, 70, 21, DString(labels[i]));
        label->setFormat(0x41);
        group->addChild(label);
        DInputLine* field = new DInputLine;
        field->init(84, 22 + i * 30, width - 94, 21);
        group->addChild(field);
        (i == 0 ? name : password) = field;
    }
    name->setValue(DString("Right-click for Cut, Copy, Paste and Delete"));
    password->setPasswordMode(true);
    password->setValue(DString("secret"));
}

void DemoWindow::buildChoices(int x, int y, int width)
{
    DGroup* group = addGroup(x, y, width, 112, "Choices");
    combo = new DComboBox;
    combo->init(10, 20, width - 20, 21);
    for (const char* text : intervalTexts)
        combo->addItem(DString(text));
    combo->setSelected(2);
    group->addChild(combo);

    sound = new DCheckBox;
    sound->create(10, 48, width - 20, 20, DString("Play a sound"));
    sound->setChecked(true);
    group->addChild(sound);

    scrollBar = new DScrollBar;
    scrollBar->create(10, 78, width - 110, 17);
    scrollBar->setTotal(100);
    scrollBar->setPageSize(10);
    scrollBar->setPosition(30);
    group->addChild(scrollBar);
    scrollText = new DStaticText;
    scrollText->create(width - 92, 76, 82, 21, numbered("Position %d", 30));
    scrollText->setFormat(0x42);
    group->addChild(scrollText);
}

void DemoWindow::buildAlignments(int x, int y, int width)
{
    DGroup* group = addGroup(x, y, width, 112, "Static texts");
    // Three texts on top (left, centred, right), two below (centred in the middle, right
    // at the bottom), each in a box of its own so the alignment shows.
    const char* captions[alignedCount] = {"Left", "Centred", "Right", "Middle", "Bottom right"};
    const int third = (width - 20) / 3, half = (width - 20) / 2;
    for (int i = 0; i < alignedCount; ++i) {
        DStaticText* text = new DStaticText;
        if (i < 3)
            text->create(10 + i * third, 20, third - 4, 30, DString(captions[i]));
        else
            text->create(10 + (i - 3) * half, 56, half - 4, 46, DString(captions[i]));
        text->setFormat(alignedFormats[i]);
        group->addChild(text);
        aligned[i] = text;
    }
}

void DemoWindow::buildActivity(int x, int y, int width)
{
    DGroup* group = addGroup(x, y, width, 50, "Activity");
    waitBar = new DWaitBar;
    waitBar->create(10, 20, width - 110, 20);
    waitBar->setBandLength(8);
    group->addChild(waitBar);
    animate = new DButton;
    animate->create(width - 90, 18, 80, 24, DString("Stop"));
    group->addChild(animate);
}

void DemoWindow::buildList(int x, int y, int width, int height)
{
    DGroup* group = addGroup(x, y, width, height, "Mailboxes");
    // The list is attached before it is filled: its scroll bars are set from the rows only
    // once it has a window.
    list = new DListView;
    list->create(10, 20, width - 20, height - 30);
    group->addChild(list);
    list->setAutoUpdate(false);
    list->addColumn(DString("Mailbox"), 150);
    list->addColumn(DString("Status"), 110);
    list->addColumn(DString("New mails"), 80);
    for (int r = 0; r < rowCount; ++r) {
        int row = list->addRow(numbered("user%02d@", r + 1) + DString(serverNames[r % 4]));
        list->setCell(row, 1, DString(rowStates[r % 4]));
        list->setCell(row, 2, numbered("%d", (r * 7) % 5));
    }
    list->setAutoUpdate(true);
    list->setSelected(1);
}

void DemoWindow::buildButtons(int y)
{
    menuOpener = new DButton;
    menuOpener->create(10, y, 90, 25, DString("Menu"));
    addView(menuOpener);
    tipped = new TipButton(tip);
    tipped->create(110, y, 120, 25, DString("Rest the pointer"));
    addView(tipped);
    disabled = new DButton;
    disabled->create(240, y, 90, 25, DString("Disabled"));
    disabled->setEnabled(false);
    addView(disabled);
    exit = new DButton;
    exit->create(clientWidth - 100, y, 90, 25, DString("Exit"));
    exit->setCancel(true);
    addView(exit);
}

void DemoWindow::buildMenus()
{
    language = new DMenu;
    language->create();
    language->addItem(DString("English"), demoEnglish);
    language->addItem(DString("Magyar"), demoMagyar);
    language->setItemChecked(demoEnglish, true);

    menu = new DMenu;
    menu->create();
    menu->addItem(DString("Check Now!"), demoCheckNow);
    menu->addItem(DString("Play a sound"), demoPlaySound);
    menu->addItem(DString("Disabled item"), demoDisabled);
    menu->addSeparator();
    menu->addSubmenu(DString("Language"), language);
    menu->addSeparator();
    menu->addItem(DString("Exit"), demoExit);
    menu->setItemChecked(demoPlaySound, true);
    menu->setItemEnabled(demoDisabled, false);
}

void DemoWindow::setStatus(const DString& text)
{
    if (status)
        status->setText(text);
}

void DemoWindow::openMenu()
{
    int sx = 0, sy = 0;
    menuOpener->screenPoint(0, menuOpener->getHeight(), sx, sy);
    menu->setItemChecked(demoPlaySound, sound->isChecked());
    menu->popupForWindow(this, sx, sy);
}

void DemoWindow::onClick(DView* source)
{
    if (source == menuOpener) {
        openMenu();
    } else if (source == animate) {
        const bool run = !waitBar->isRunning();
        waitBar->setRunning(run);
        timer->setEnabled(run);
        animate->setText(DString(run ? "Stop" : "Start"));
        setStatus(DString(run ? "The wait bar runs." : "The wait bar stopped."));
    } else if (source == sound) {
        setStatus(DString(sound->isChecked() ? "Sound on." : "Sound off."));
    } else if (source == tipped) {
        setStatus(DString("Clicked the button with the tool tip."));
    } else if (source == list) {
        const int row = list->getSelected();
        setStatus(row < 0 ? DString("No row selected.")
                          : DString("Selected ") + list->getCell(row, 0));
    } else if (source == exit) {
        close();
    }
}

void DemoWindow::onChange(DView* source, int, int, int, int)
{
    if (source == scrollBar) {
        scrollText->setText(numbered("Position %d", int(scrollBar->getPosition())));
    } else if (source == combo) {
        setStatus(DString("Interval: ") + combo->itemText(combo->getSelected()));
    }
}

void DemoWindow::onMenuItem(int id)
{
    switch (id) {
    case demoCheckNow:
        setStatus(DString("Menu: Check Now!"));
        break;
    case demoPlaySound:
        sound->setChecked(!sound->isChecked());
        setStatus(DString(sound->isChecked() ? "Menu: sound on." : "Menu: sound off."));
        break;
    case demoEnglish:
    case demoMagyar:
        language->setItemChecked(demoEnglish, id == demoEnglish);
        language->setItemChecked(demoMagyar, id == demoMagyar);
        setStatus(DString(id == demoEnglish ? "Menu: English." : "Menu: Magyar."));
        break;
    case demoExit:
        close();
        break;
    default:
        setStatus(numbered("Menu: command %d.", id));
    }
}

void DemoWindow::onTimer(DTimer* source)
{
    if (source == timer && waitBar)
        waitBar->step();
}

void DemoWindow::onClose()
{
    if (timer)
        timer->setEnabled(false);
    if (tip)
        tip->setVisible(false);
    if (quits)
        postQuit(0);
}
