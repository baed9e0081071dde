#include "graphics/TextWrap.h"

#include <cstring>

namespace {

const char breakChars[] = " .,/\\?!|-+=()[]{};:<>&";

int measurePiece(const DTextMeasure& measure, const char* text, int length)
{
    return length > 0 ? measure(text, length) : measure("", 0);
}

// Wraps one paragraph (no line feeds) into `lines`. Positions count from 1; the position
// just past the last character is a break point too.
void wrapParagraph(int width, const DString& paragraph, const DTextMeasure& measure,
                   DStringList* lines)
{
    const char* text = paragraph.text();
    const int length = paragraph.length();
    if (length == 0) {
        lines->add(DString());
        return;
    }
    const int endPos = length + 1;
    int start = 1;
    int lastFit = 0;
    bool noFit = true;
    int p = 1;
    while (p <= endPos) {
        if (p != endPos && !isWrapBreakChar(text[p - 1])) {
            ++p;
            continue;
        }
        int candidateLength = (p == endPos ? length : p) - start + 1;
        if (candidateLength < 0) candidateLength = 0;
        if (measurePiece(measure, text + start - 1, candidateLength) < width) {
            lastFit = p - start;
            noFit = false;
            if (p == endPos) {
                lines->add(DString(text + start - 1, candidateLength));
                return;
            }
            ++p;
            continue;
        }
        int emitted;
        if (noFit) {
            // One word wider than the column: cut it just before the first character that
            // makes it too wide, keeping at least one character so the scan moves on.
            int n = 1;
            while (n < candidateLength && measurePiece(measure, text + start - 1, n) < width) ++n;
            emitted = n - 1;
            if (emitted < 1) emitted = 1;
        } else {
            emitted = lastFit + 1;
        }
        lines->add(DString(text + start - 1, emitted));
        start += emitted;
        noFit = true;
        lastFit = 0;
        p = start + 1;
    }
    // Safety net: the scan always ends at the end position, which emits the rest.
    if (start <= length) lines->add(DString(text + start - 1, length - start + 1));
}

}  // namespace

bool isWrapBreakChar(char c)
{
    return c != '\0' && std::strchr(breakChars, c) != nullptr;
}

DStringList* wrapTextLines(int width, const DString& text, const DTextMeasure& measure)
{
    DStringList* lines = new DStringList;
    const char* all = text.text();
    const int length = text.length();
    // A line feed is appended, so the text always ends one paragraph; two line feeds in a
    // row leave an empty paragraph between them.
    int paragraphStart = 0;
    for (int i = 0; i <= length; ++i) {
        if (i == length || all[i] == '\n') {
            wrapParagraph(width, DString(all + paragraphStart, i - paragraphStart), measure,
                          lines);
            paragraphStart = i + 1;
        }
    }
    return lines;
}

DString alignedLine(const DString& line, int align)
{
    const int n = line.length();
    const char* t = line.text();
    if ((align & DAlignLeft) || (align & (DAlignLeft | DAlignRight | DAlignCenter)) == 0) {
        if (n >= 3 && t[0] == ' ' && t[1] != ' ') return DString(t + 1, n - 1);
        return line;
    }
    if (align & DAlignRight) {
        if (n >= 3 && t[n - 1] == ' ' && t[n - 2] != ' ') return DString(t, n - 1);
        return line;
    }
    return line;
}

int alignedLineX(int x, int width, int lineWidth, int align)
{
    if ((align & DAlignLeft) || (align & (DAlignRight | DAlignCenter)) == 0) return x;
    if (align & DAlignRight) return x + width - lineWidth;
    return x + (width - lineWidth) / 2;
}

namespace {

char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

int accessKeyIndex(const DString& text, char key)
{
    if (key == 0)
        return -1;
    const char wanted = upperAscii(key);
    for (int i = 0; i < text.length(); i++)
        if (upperAscii(text.text()[i]) == wanted)
            return i;
    return -1;
}
