// DString: Pellaro's one text type, an owned 8-bit byte string in the Windows ANSI code page.
// The buffer always holds exactly length() + 1 bytes ending in NUL, and is never null while
// the string lives: an empty string owns a one-byte buffer. Every change allocates a new
// exact-size buffer; copies never share. Positions for subString and erase count from 1,
// textAt and isValidIndex from 0. Position and count arithmetic is done in 64 bits, so no
// argument can make an operation read or write outside the buffer.
#pragma once

#include "foundation/DObject.h"

class DString : public DObject {
public:
    DString();
    DString(const char* text);  // null gives the empty string
    DString(const DString& other);
    explicit DString(int number);  // decimal, as "%i" prints it
    // The first `count` bytes of `bytes`, or fewer when a NUL comes first.
    DString(const char* bytes, int count);
    ~DString() override;

    DString& operator=(const char* text);
    DString& operator=(const DString& other);

    int length() const { return len; }
    const char* text() const { return buf; }

    bool operator==(const DString& other) const;
    bool operator==(const char* other) const;
    bool operator!=(const DString& other) const { return !(*this == other); }
    bool operator!=(const char* other) const { return !(*this == other); }

    // Leading white space, an optional sign, then digits; saturates at the 32-bit limits.
    int toInt() const;
    DString subString(int start, int count) const;
    void erase(int start, int count);
    void toUpper();
    bool isValidIndex(int index) const { return index >= 0 && index < len; }
    const char* textAt(int index) const { return isValidIndex(index) ? buf + index : buf; }
    // The byte at the cursor, advancing it; at the end it wraps to the first byte.
    char nextChar();

private:
    void replace(const char* bytes, int count);

    char* buf;       // owned, len + 1 bytes
    int len = 0;
    int cursor = 0;  // read position of nextChar
};

DString operator+(const DString& left, const DString& right);
DString operator+(const DString& left, const char* right);

// A one-character string; the character 0 gives the empty string.
DString fromChar(int character);
