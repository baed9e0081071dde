// The input line's editing rules under any sequence of keys, typing, clipboard commands,
// clicks and drags, value and limit changes, in any proportional font: after every step the
// caret is inside the text, the selection's boundaries are inside it and name the text they
// select, the text never passes its limit (at most 4000), and the visible parts agree.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "controls/InputLineRules.h"
#include "framework/InputRules.h"
#include "framework/KeyCodes.h"
#include "fuzz/FuzzCheck.h"

namespace {

std::string textWithoutNul(FuzzedDataProvider& in, size_t most)
{
    std::string text = in.ConsumeRandomLengthString(most);
    for (char& c : text)
        if (c == '\0')
            c = 'a';  // a DString ends at NUL
    return text;
}

void checkState(const DInputLineRules& line, const DTextMeasure& measure)
{
    const int len = line.length();
    FUZZ_CHECK(len >= 0 && len <= line.getMaxLength());
    FUZZ_CHECK(line.getMaxLength() >= 0 && line.getMaxLength() <= DInputLineRules::defaultMaxLength);
    FUZZ_CHECK(line.getCaret() >= 0 && line.getCaret() <= len);
    FUZZ_CHECK(line.getScrollOffset() >= 0 && line.getScrollOffset() <= len);
    FUZZ_CHECK(line.getAnchor() >= 0 && line.getAnchor() <= len + 1);
    FUZZ_CHECK(line.getSelectionEnd() >= 0 && line.getSelectionEnd() <= len + 1);
    int first = line.selectionFirst();
    int last = line.selectionLast();
    FUZZ_CHECK(0 <= first && first <= last && last <= len);
    FUZZ_CHECK(line.hasSelection() == (first < last));
    DString selected = line.selectedText();
    if (line.hasSelection()) {
        FUZZ_CHECK(selected.length() == last - first);
        FUZZ_CHECK(selected == line.getValue().subString(first + 1, last - first));
    } else {
        FUZZ_CHECK(selected.length() == 0);
    }
    DString display = line.displayText();
    FUZZ_CHECK(display.length() == len);
    if (line.isPasswordMode())
        for (int i = 0; i < len; ++i)
            FUZZ_CHECK(display.text()[i] == '*');
    DInputSelectionSpan span = line.visibleSelection(measure);
    if (span.visible) {
        FUZZ_CHECK(span.x >= 0 && span.width >= 0);
        FUZZ_CHECK(span.text.length() > 0 && span.text.length() <= last - first);
        FUZZ_CHECK(std::string(display.text()).find(span.text.text()) != std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    int widths[256];
    for (int& w : widths)
        w = 1 + in.ConsumeIntegralInRange<int>(0, 1);
    for (int i = 0; i < 8; ++i)
        widths[in.ConsumeIntegral<uint8_t>()] = in.ConsumeIntegralInRange<int>(0, 20);
    DTextMeasure measure = [&](const char* text, int length) {
        FUZZ_CHECK(length >= 0);
        int sum = 0;
        for (int i = 0; i < length; ++i)
            sum += widths[static_cast<unsigned char>(text[i])];
        return sum;
    };
    static const int keys[] = {keyBackspace, keyEnd, keyHome, keyLeft, keyRight, keyDelete,
                               keyTab, keyEnter, keyUp, 'C', 'X', 'V', 'A', keyInsert};
    static const int modifiers[] = {0, modShift, modCtrl, modShift | modCtrl, modAlt};

    DInputLineRules line;
    DString clipboard;
    for (int step = 0; step < 400 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange<int>(0, 13)) {
        case 0:
            line.typeCharacter(in.ConsumeIntegralInRange<int>(-1, 256));
            break;
        case 1: {
            DInputKeyResult result = line.keyDown(in.PickValueInArray(keys), in.PickValueInArray(modifiers));
            // The field runs the clipboard command a key asks for.
            if (result.command == inputCommandCopy)
                line.copy(clipboard);
            else if (result.command == inputCommandCut)
                line.cut(clipboard);
            else if (result.command == inputCommandPaste)
                line.paste(clipboard);
            break;
        }
        case 2: {
            // Pastes of any length, at most a little over the limit twice.
            std::string text = textWithoutNul(in, 9000);
            int before = line.length();
            bool pasted = line.paste(DString(text.c_str()));
            if (pasted)
                FUZZ_CHECK(!line.isPasswordMode());
            else
                FUZZ_CHECK(line.length() == before || line.isPasswordMode());
            break;
        }
        case 3: {
            DString out;
            bool copied = line.copy(out);
            FUZZ_CHECK(copied == (line.hasSelection() && !line.isPasswordMode()));
            if (copied)
                clipboard = out;
            break;
        }
        case 4: {
            DString out;
            int before = line.length();
            int selected = line.selectionLast() - line.selectionFirst();
            if (line.cut(out)) {
                FUZZ_CHECK(out.length() == selected);
                FUZZ_CHECK(line.length() == before - selected);
                clipboard = out;
            }
            break;
        }
        case 5:
            line.deleteSelection();
            break;
        case 6:
            line.pressAt(in.ConsumeIntegralInRange<int>(-50, 2000), measure);
            break;
        case 7:
            line.dragTo(in.ConsumeIntegralInRange<int>(-50, 2000), measure);
            break;
        case 8:
            line.release();
            break;
        case 9:
            line.setValue(DString(textWithoutNul(in, 5000).c_str()));
            break;
        case 10:
            line.setMaxLength(in.ConsumeIntegralInRange<int>(-5, DInputLineRules::defaultMaxLength));
            break;
        case 11:
            line.setPasswordMode(in.ConsumeBool());
            break;
        case 12: {
            int fieldWidth = in.ConsumeIntegralInRange<int>(0, 400);
            int at = line.scrollToCaret(fieldWidth, measure);
            FUZZ_CHECK(line.getScrollOffset() <= line.getCaret());
            FUZZ_CHECK(at >= 0);
            break;
        }
        case 13:
            (void)line.caretForX(in.ConsumeIntegralInRange<int>(-50, 2000), measure);
            break;
        }
        checkState(line, measure);
    }
    return 0;
}
