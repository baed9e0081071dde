// A small window with push buttons and check boxes, for looking at the widget library by
// eye. Not part of the product.
#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "framework/DApplication.h"
#include "framework/DWindow.h"
#include "framework/DXPTheme.h"
#include "framework/SystemUtils.h"

#include <windows.h>

namespace {

class DemoWindow : public DWindow {
public:
    DemoWindow()
    {
        create(nullptr, 0, 0, 320, 200, DString("Pellaro widgets"), windowMinimizeBox);
    }

    void onCreate() override
    {
        sound = new DCheckBox;
        sound->create(16, 16, 200, 20, DString("Play a sound"));
        addView(sound);
        popup = new DCheckBox;
        popup->create(16, 42, 200, 20, DString("Show the notification box"));
        popup->setChecked(true);
        addView(popup);
        disabled = new DButton;
        disabled->create(16, 120, 90, 25, DString("Disabled"));
        disabled->setEnabled(false);
        addView(disabled);
        ok = new DButton;
        ok->create(120, 160, 90, 25, DString("OK"));
        ok->setDefault(true);
        addView(ok);
        exit = new DButton;
        exit->create(220, 160, 90, 25, DString("Exit"));
        exit->setCancel(true);
        addView(exit);
        setFocus(ok);
    }

    void onClick(DView* source) override
    {
        if (source == ok)
            setTitle(DString(sound->isChecked() ? "Sound on" : "Sound off"));
        else if (source == exit)
            close();
    }

    void onClose() override { postQuit(0); }

private:
    DCheckBox* sound = nullptr;     // views are owned by the window's interior
    DCheckBox* popup = nullptr;
    DButton* disabled = nullptr;
    DButton* ok = nullptr;
    DButton* exit = nullptr;
};

}  // namespace

// "demo.exe classic" draws with the classic theme instead of the visual styles.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    DApplication application;
    bool classic = commandLine && lstrcmpiA(commandLine, "classic") == 0;
    DXPTheme theme(classic ? nullptr : "uxtheme");
    application.setTheme(&theme);
    DemoWindow* window = new DemoWindow;
    window->center();
    window->show(true);
    int code = application.run();
    delete window;
    application.setTheme(nullptr);
    return code;
}
