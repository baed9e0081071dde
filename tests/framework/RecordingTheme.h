// RecordingTheme: a theme that records every part it is asked to draw, with its arguments,
// the canvas origin, the native window drawn on and the background colour it was given
// just before. It draws nothing itself unless `drawsToo` is set, when the classic theme
// draws each part after it was recorded. Shared by the control tests.
#pragma once

#include "framework/DTheme.h"
#include "framework/DView.h"
#include "graphics/DCanvas.h"

#include <windows.h>

#include <string>
#include <vector>

namespace windowtest {

class RecordingTheme : public DTheme {
public:
    // One call. Part names: "background", "button", "check", "field", "arrow", "thumb",
    // "track", "header", "groupFrame", "waitFrame", "block".
    struct Part {
        std::string name;
        HWND window = nullptr;
        bool enabled = true;
        bool flag = false;   // isDefault, lightened or checked
        int width = 0;
        int height = 0;
        int state = -1;
        int direction = -1;  // scroll arrows
        int a = 0;           // caption width, or steps
        int b = 0;           // caption height, or step
        int originX = 0;
        int originY = 0;
        unsigned background = 0;
    };

    bool drawsToo = false;
    std::vector<Part> parts;

    void drawBackground(DCanvas* canvas, int width, int height, bool lightened) override
    {
        Part& p = add(canvas, "background", width, height);
        p.flag = lightened;
        if (drawsToo)
            DTheme::drawBackground(canvas, width, height, lightened);
    }
    void drawButton(DCanvas* canvas, bool enabled, bool isDefault, int width, int height,
                    int state) override
    {
        Part& p = add(canvas, "button", width, height, enabled, state);
        p.flag = isDefault;
        if (drawsToo)
            DTheme::drawButton(canvas, enabled, isDefault, width, height, state);
    }
    void drawCheckBox(DCanvas* canvas, bool enabled, int width, int height, int state,
                      bool checked) override
    {
        Part& p = add(canvas, "check", width, height, enabled, state);
        p.flag = checked;
        if (drawsToo)
            DTheme::drawCheckBox(canvas, enabled, width, height, state, checked);
    }
    void drawField(DCanvas* canvas, bool enabled, int width, int height, int unused,
                   bool flat) override
    {
        add(canvas, "field", width, height, enabled);
        if (drawsToo)
            DTheme::drawField(canvas, enabled, width, height, unused, flat);
    }
    void drawScrollArrow(DCanvas* canvas, bool enabled, int width, int height, int state,
                         int direction) override
    {
        Part& p = add(canvas, "arrow", width, height, enabled, state);
        p.direction = direction;
        if (drawsToo)
            DTheme::drawScrollArrow(canvas, enabled, width, height, state, direction);
    }
    void drawScrollThumb(DCanvas* canvas, bool enabled, int width, int height, int state,
                         bool horizontal) override
    {
        add(canvas, "thumb", width, height, enabled, state);
        if (drawsToo)
            DTheme::drawScrollThumb(canvas, enabled, width, height, state, horizontal);
    }
    void drawScrollTrack(DCanvas* canvas, bool enabled, int width, int height,
                         bool horizontal) override
    {
        add(canvas, "track", width, height, enabled);
        if (drawsToo)
            DTheme::drawScrollTrack(canvas, enabled, width, height, horizontal);
    }
    void drawHeaderItem(DCanvas* canvas, int unused, int width, int height,
                        int unused2) override
    {
        add(canvas, "header", width, height);
        if (drawsToo)
            DTheme::drawHeaderItem(canvas, unused, width, height, unused2);
    }
    void drawGroupFrame(DCanvas* canvas, int unused, int width, int height, int captionWidth,
                        int captionHeight) override
    {
        Part& p = add(canvas, "groupFrame", width, height);
        p.a = captionWidth;
        p.b = captionHeight;
        if (drawsToo)
            DTheme::drawGroupFrame(canvas, unused, width, height, captionWidth, captionHeight);
    }
    void drawWaitFrame(DCanvas* canvas, int unused, int width, int height) override
    {
        add(canvas, "waitFrame", width, height);
        if (drawsToo)
            DTheme::drawWaitFrame(canvas, unused, width, height);
    }
    void drawWaitBlock(DCanvas* canvas, int unused, int width, int height, int steps,
                       int step) override
    {
        Part& p = add(canvas, "block", width, height);
        p.a = steps;
        p.b = step;
        if (drawsToo)
            DTheme::drawWaitBlock(canvas, unused, width, height, steps, step);
    }

    // The last call for `name`, or none.
    const Part* last(const std::string& name) const
    {
        for (auto it = parts.rbegin(); it != parts.rend(); ++it)
            if (it->name == name)
                return &*it;
        return nullptr;
    }
    // The calls for `name`, in order.
    std::vector<Part> named(const std::string& name) const
    {
        std::vector<Part> found;
        for (const Part& p : parts)
            if (p.name == name)
                found.push_back(p);
        return found;
    }
    // The calls for `name` on the native window of `view`, in order.
    std::vector<Part> on(const DView* view, const std::string& name) const
    {
        std::vector<Part> found;
        for (const Part& p : parts)
            if (p.name == name && p.window == static_cast<HWND>(view->getHandle()))
                found.push_back(p);
        return found;
    }
    void clear() { parts.clear(); }

private:
    Part& add(DCanvas* canvas, const char* name, int width, int height, bool enabled = true,
              int state = -1)
    {
        Part p;
        p.name = name;
        p.window = canvas->window();
        p.enabled = enabled;
        p.width = width;
        p.height = height;
        p.state = state;
        canvas->getOrigin(&p.originX, &p.originY);
        p.background = color(0).value();
        parts.push_back(p);
        return parts.back();
    }
};

}  // namespace windowtest
