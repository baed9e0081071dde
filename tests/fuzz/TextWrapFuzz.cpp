// Text wrapping of any text in any column: the lines give back the text without its line
// feeds, every paragraph has a line, and a line of two or more characters fits the column.
// Character widths come from the input (0 to 15 pixels each), so the rules are checked
// for proportional fonts too.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "graphics/TextWrap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    int width = in.ConsumeIntegralInRange<int>(-2, 300);
    int widths[256];
    for (int& w : widths)
        w = 0;
    for (int i = 0; i < 16 && in.remaining_bytes() > 0; ++i)
        widths[in.ConsumeIntegral<uint8_t>()] = in.ConsumeIntegralInRange<int>(0, 15);
    int plain = in.ConsumeIntegralInRange<int>(1, 9);
    std::string text = in.ConsumeRandomLengthString(3000);
    for (char& c : text)
        if (c == '\0')
            c = 'x';  // a DString ends at NUL

    long long calls = 0;
    DTextMeasure measure = [&](const char* piece, int length) {
        ++calls;
        FUZZ_CHECK(length >= 0);
        int sum = 0;
        for (int i = 0; i < length; ++i) {
            unsigned char c = static_cast<unsigned char>(piece[i]);
            sum += widths[c] ? widths[c] : plain;
        }
        return sum;
    };
    std::unique_ptr<DStringList> lines(wrapTextLines(width, DString(text.c_str()), measure));
    FUZZ_CHECK(lines != nullptr);

    std::string joined;
    std::string withoutFeeds;
    size_t paragraphs = 1;
    for (char c : text) {
        if (c == '\n')
            ++paragraphs;
        else
            withoutFeeds += c;
    }
    FUZZ_CHECK(static_cast<size_t>(lines->count()) >= paragraphs);
    for (int i = 0; i < lines->count(); ++i) {
        DString line = lines->get(i);
        FUZZ_CHECK(std::string(line.text()).find('\n') == std::string::npos);
        if (line.length() >= 2)
            FUZZ_CHECK(measure(line.text(), line.length()) < width);
        joined += line.text();
        for (int align : {0, int(DAlignLeft), int(DAlignRight), int(DAlignCenter)}) {
            DString shown = alignedLine(line, align);
            FUZZ_CHECK(shown.length() == line.length() || shown.length() == line.length() - 1);
        }
    }
    FUZZ_CHECK(joined == withoutFeeds);
    // Wrapping is at most quadratic in the paragraph's length: no runaway measuring.
    long long n = static_cast<long long>(text.size()) + 1;
    FUZZ_CHECK(calls <= 4 * n * n + 16);
    return 0;
}
