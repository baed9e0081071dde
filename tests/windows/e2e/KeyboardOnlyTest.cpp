// Pellaro.exe used with the keyboard alone, with real key presses (SendInput) that go where
// the keyboard's go - to the window in front and its focus - and the tray icons reached from
// the keyboard as the notification area reaches them; and read from this process as a
// screen reader reads it, across the process boundary.
#include "EndToEndFixture.h"

#include "../AccessibleWalk.h"
#include "foundation/DPellaroDictionary.h"
#include "mail/DictionaryTexts.h"
#include "windows/AccessKeyTables.h"

using namespace e2e;

namespace {

// Presses and releases `key` with the modifiers held (VK_MENU, VK_SHIFT, VK_CONTROL), as the
// keyboard driver does.
void press(WORD key, std::vector<WORD> held = {})
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD vk : held)
        add(vk, false);
    add(key, false);
    add(key, true);
    for (auto vk = held.rbegin(); vk != held.rend(); ++vk)
        add(*vk, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // The keys take their way through the other process: a moment for them to arrive.
    waitUntil([] { return false; }, 150);
}

void pressAlt(char letter)
{
    press(static_cast<WORD>(letter), {VK_MENU});
}

void type(const std::string& text)
{
    for (char c : text) {
        SHORT key = VkKeyScanA(c);
        ASSERT_NE(key, -1) << "no key types '" << c << "'";
        std::vector<WORD> held;
        if (key & 0x100)
            held.push_back(VK_SHIFT);
        press(static_cast<WORD>(key & 0xFF), held);
    }
}

class KeysOnly : public EndToEnd {
protected:
    // The program's window that has the keyboard: the one in front.
    bool inFront(HWND window) const { return window && GetForegroundWindow() == window; }
    HWND waitForWindowInFront(const std::string& title)
    {
        HWND found = nullptr;
        waitUntil([&] {
            found = pellaro.visibleWindow(title);
            return inFront(found);
        }, stepBound);
        return inFront(found) ? found : nullptr;
    }
    std::string popupTitles() const
    {
        std::string all;
        for (const ProgramWindow& w : pellaro.visiblePopups())
            all += "[" + w.title + "]";
        return all;
    }
    // The tray icons' place in the notification area, for menus opened from the keyboard.
    int iconX() const { return screenWidth - 40; }
    int iconY() const { return screenHeight - 10; }
};

}  // namespace

TEST_F(KeysOnly, TheWholeJobWithTheKeyboardAlone)
{
    startPellaro();
    // A first start shows the options window and the user's guide over it; Enter closes the
    // guide, Escape hides the options window.
    HWND guide = nullptr;
    ASSERT_TRUE(waitUntil([&] { return inFront(guide = pellaro.visibleWindow("User's Guide")); },
                          startBound))
        << "the guide is not in front";
    press(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return !pellaro.visibleWindow("User's Guide"); }, stepBound));
    HWND main = waitForWindowInFront("Pellaro");
    ASSERT_NE(main, nullptr) << "the options window did not take the keyboard back";
    press(VK_ESCAPE);
    ASSERT_TRUE(waitUntil([&] { return !pellaro.visibleWindow("Pellaro"); }, stepBound));
    ASSERT_TRUE(waitUntil([&] { return stateTipIs("Pellaro: Unconfigured!"); }, checkBound));

    // The state icon from the keyboard (Win+B, Enter): the options window, in front.
    std::vector<TrayIconRecord> icons = programIcons();
    ASSERT_EQ(icons.size(), 1u);
    ASSERT_EQ(icons[0].version, 4u) << "the icon did not ask for the keyboard's way";
    ASSERT_TRUE(TrayStandIn::keySelect(icons[0], iconX(), iconY()));
    main = waitForWindowInFront("Pellaro");
    ASSERT_NE(main, nullptr);

    // Alt+A: a mailbox, typed into its fields, reached with their letters.
    const DAccessKeyTable& form = mailboxWindowAccessKeys();
    pressAlt(accessKeyOf(mainWindowAccessKeys(), "Add", false));
    HWND box = waitForWindowInFront("Add Mailbox");
    ASSERT_NE(box, nullptr) << "no mailbox window in front after Alt+A";
    type(server);  // the server field has the focus
    pressAlt(accessKeyOf(form, "User name:", false));
    type("three");
    pressAlt(accessKeyOf(form, "Password:", false));
    type("secret");
    press(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return !pellaro.visibleWindow("Add Mailbox"); }, stepBound));
    ASSERT_NE(waitForWindowInFront("Pellaro"), nullptr);

    // Alt+C: Check Now!, and the notice comes.
    pressAlt(accessKeyOf(mainWindowAccessKeys(), "Check Now!", false));
    ASSERT_TRUE(waitForCheckEnd()) << "tooltip: " << stateTip();
    ASSERT_TRUE(waitUntil([&] {
        return popupWithText("three@" + server + " has 3 new mails!\n") != nullptr;
    }, stepBound)) << "no notification box; tooltip " << stateTip() << "; popups: " << popupTitles();

    // The envelope from the keyboard: its menu opens with the mailbox's item hot, and Enter
    // acknowledges it.
    ASSERT_TRUE(waitForEnvelope(icons));
    ASSERT_EQ(icons[1].version, 4u);
    ASSERT_TRUE(TrayStandIn::keySelect(icons[1], iconX(), iconY()));
    HWND menu = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (menu = openMenu(nullptr)) != nullptr; }, stepBound))
        << "the envelope's menu did not open";
    press(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return programIcons().size() == 1; }, stepBound))
        << "the envelope stayed";

    // The state icon's menu key: its menu, from the first item down to Exit, and Enter.
    icons = programIcons();
    ASSERT_TRUE(TrayStandIn::contextMenuKey(icons[0], iconX(), iconY()));
    ASSERT_TRUE(waitUntil([&] { return (menu = openMenu(nullptr)) != nullptr; }, stepBound))
        << "the tray menu did not open";
    for (int i = 0; i < 6; i++)  // Options, Language, Disable, About, Guide, Exit
        press(VK_DOWN);
    press(VK_RETURN);
    expectExitWithSettingsSaved();
    expectOneSavedMailbox("three", "secret", 3);  // acknowledged from the envelope
}

TEST_F(KeysOnly, TheRestartNoticeOpenedFromTheTrayTakesTheKeys)
{
    DSettingsRecord settings;
    settings.mailboxes.push_back(mailbox("empty", server, "secret", 0));
    writeSettings(settings);
    startPellaro();
    ASSERT_TRUE(waitForCheckEnd()) << "tooltip: " << stateTip();
    ASSERT_FALSE(pellaro.visibleWindow("Pellaro"));
    // The options window stays hidden: the tray menu from its key, Language, English.
    std::vector<TrayIconRecord> icons = programIcons();
    ASSERT_FALSE(icons.empty());
    ASSERT_TRUE(TrayStandIn::contextMenuKey(icons[0], iconX(), iconY()));
    ASSERT_TRUE(waitUntil([&] { return openMenu(nullptr) != nullptr; }, stepBound));
    press(VK_DOWN);   // Options...
    press(VK_DOWN);   // Language
    press(VK_RIGHT);  // its submenu, English highlighted
    press(VK_RETURN);
    HWND notice = waitForWindowInFront("Information");
    ASSERT_NE(notice, nullptr) << "the restart notice is not in front";
    // Return reaches it and closes it.
    press(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return !pellaro.visibleWindow("Information"); }, stepBound))
        << "Return did not close the restart notice";
    EXPECT_FALSE(pellaro.visibleWindow("Pellaro"));

    icons = programIcons();
    ASSERT_TRUE(TrayStandIn::contextMenuKey(icons[0], iconX(), iconY()));
    ASSERT_TRUE(waitUntil([&] { return openMenu(nullptr) != nullptr; }, stepBound));
    for (int i = 0; i < 6; i++)
        press(VK_DOWN);
    press(VK_RETURN);
    expectExitWithSettingsSaved();
}

namespace {

// This thread reads other processes' objects as a screen reader does: in a COM apartment.
class Apartment {
public:
    Apartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Apartment() { CoUninitialize(); }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
};

class ReadAcross : public KeysOnly, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        KeysOnly::SetUp();
        fillDictionary(words);
        words.setLanguage(GetParam() ? 1 : 0);
    }
    std::string shown(const char* english) const { return words.translate(DString(english)).text(); }
    char mainKey(const char* caption) const
    {
        return accessKeyOf(mainWindowAccessKeys(), caption, GetParam());
    }
    // The window's tree, read from this process.
    std::vector<AccessibleNode> walk(HWND window) const
    {
        IAccessible* root = clientObjectOf(window);
        std::vector<AccessibleNode> nodes = walkAccessible(root);
        if (root)
            root->Release();
        return nodes;
    }

    DPellaroDictionary words;
};

}  // namespace

TEST_P(ReadAcross, AScreenReaderInAnotherProcessReadsTheWindowsAndHearsTheFocus)
{
    Apartment apartment;
    DSettingsRecord settings;
    settings.hungarian = GetParam();
    settings.mailboxes.push_back(mailbox("three", server, "secret", 0));
    writeSettings(settings);
    startPellaro();
    ASSERT_TRUE(waitUntil([&] { return programIcons().size() == 2; }, checkBound))
        << "no envelope after the first check";
    std::vector<TrayIconRecord> icons = programIcons();
    ASSERT_TRUE(TrayStandIn::keySelect(icons[0], iconX(), iconY()));
    HWND main = waitForWindowInFront("Pellaro");
    ASSERT_NE(main, nullptr);

    std::vector<AccessibleNode> nodes = walk(main);
    ASSERT_GT(nodes.size(), 20u) << "the main window cannot be read from another process";
    EXPECT_EQ(nodes[0].role, ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(nodes[0].name, "Pellaro");
    const AccessibleNode* add = findNode(nodes, ROLE_SYSTEM_PUSHBUTTON, shown("Add"));
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->shortcut, std::string("Alt+") + mainKey("Add"));
    const AccessibleNode* row = findNode(nodes, ROLE_SYSTEM_LISTITEM, "three@" + server);
    ASSERT_NE(row, nullptr);
    EXPECT_NE(row->value.find(shown("New mails") + ": 3"), std::string::npos) << row->value;
    const AccessibleNode* hide = findNode(nodes, ROLE_SYSTEM_PUSHBUTTON, shown("Hide"));
    ASSERT_NE(hide, nullptr);
    EXPECT_TRUE(hide->has(STATE_SYSTEM_FOCUSED));

    // Tab moves the focus, and a hook in this process hears where it went.
    EventRecorder recorder(pellaro.pid());
    ASSERT_TRUE(recorder.ok());
    press(VK_TAB);
    AccessibleNode focused;
    ASSERT_TRUE(waitUntil([&] {
        std::vector<AccessibleEvent> focus = recorder.of(EVENT_OBJECT_FOCUS);
        return !focus.empty() && EventRecorder::nodeOf(focus.back(), focused);
    }, stepBound)) << "no focus event from the other process";
    EXPECT_EQ(focused.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(focused.name, shown("Exit"));
    EXPECT_TRUE(focused.has(STATE_SYSTEM_FOCUSED));

    // The mailbox window, opened with keys on the list's row, never tells the password.
    pressAlt(mainKey("Mailboxes"));
    press(VK_DOWN);
    pressAlt(mainKey("Edit"));
    HWND box = waitForWindowInFront(shown("Edit Mailbox"));
    ASSERT_NE(box, nullptr);
    std::vector<AccessibleNode> form = walk(box);
    const AccessibleNode* password = findNode(form, ROLE_SYSTEM_TEXT, shown("Password:"));
    ASSERT_NE(password, nullptr) << "the mailbox window cannot be read from another process";
    EXPECT_TRUE(password->has(STATE_SYSTEM_PROTECTED));
    EXPECT_EQ(allTexts(form).find("secret"), std::string::npos);
    const AccessibleNode* user = findNode(form, ROLE_SYSTEM_TEXT, shown("User name:"));
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->value, "three");
    press(VK_ESCAPE);
    ASSERT_TRUE(waitUntil([&] { return !pellaro.visibleWindow(shown("Edit Mailbox")); }, stepBound));

    ASSERT_NE(waitForWindowInFront("Pellaro"), nullptr);
    pressAlt(mainKey("Exit"));
    expectExitWithSettingsSaved();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ReadAcross, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Hungarian" : "English";
                         });
