#include "foundation/DString.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// The longest text a DString holds: its buffer of length + 1 bytes must stay countable in
// a signed 32-bit int.
const int maxLength = INT_MAX - 1;

int boundedLength(const char* text)
{
    if (!text)
        return 0;
    size_t n = std::strlen(text);
    return n > static_cast<size_t>(maxLength) ? maxLength : static_cast<int>(n);
}

}  // namespace

DString::DString() : buf(new char[1]())
{
}

DString::DString(const char* text) : buf(nullptr)
{
    replace(text, boundedLength(text));
}

DString::DString(const DString& other) : DObject(other), buf(nullptr)
{
    replace(other.buf, other.len);
}

DString::DString(int number) : buf(nullptr)
{
    char scratch[32];
    std::snprintf(scratch, sizeof scratch, "%i", number);
    replace(scratch, boundedLength(scratch));
}

DString::DString(const char* bytes, int count) : buf(nullptr)
{
    int n = 0;
    if (bytes && count > 0) {
        const void* nul = std::memchr(bytes, 0, static_cast<size_t>(count));
        n = nul ? static_cast<int>(static_cast<const char*>(nul) - bytes) : count;
    }
    replace(bytes, n);
}

DString::~DString()
{
    delete[] buf;
    buf = nullptr;
    len = 0;
}

void DString::replace(const char* bytes, int count)
{
    if (count < 0 || !bytes)
        count = 0;
    if (count > maxLength)
        count = maxLength;
    char* fresh = new char[static_cast<size_t>(count) + 1]();
    if (count > 0)
        std::memcpy(fresh, bytes, static_cast<size_t>(count));
    delete[] buf;
    buf = fresh;
    len = count;
    cursor = 0;
}

DString& DString::operator=(const char* text)
{
    if (text != buf)
        replace(text, boundedLength(text));
    return *this;
}

DString& DString::operator=(const DString& other)
{
    if (&other != this)
        replace(other.buf, other.len);
    return *this;
}

bool DString::operator==(const DString& other) const
{
    return len == other.len && std::memcmp(buf, other.buf, static_cast<size_t>(len)) == 0;
}

bool DString::operator==(const char* other) const
{
    const char* o = other ? other : "";
    return std::strlen(o) == static_cast<size_t>(len) && std::memcmp(buf, o, static_cast<size_t>(len)) == 0;
}

int DString::toInt() const
{
    const char* p = buf;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (*p - '0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

DString DString::subString(int start, int count) const
{
    if (len == 0 || start < 1 || start > len || count < 1)
        return DString();
    long long last = static_cast<long long>(start) + count - 1;
    if (last > len)
        last = len;
    return DString(buf + start - 1, static_cast<int>(last - start + 1));
}

void DString::erase(int start, int count)
{
    if (count < 1 || start < 1 || start > len)
        return;
    long long last = static_cast<long long>(start) + count - 1;
    if (last > len)
        last = len;
    int removed = static_cast<int>(last - start + 1);
    int kept = len - removed;
    char* fresh = new char[static_cast<size_t>(kept) + 1]();
    std::memcpy(fresh, buf, static_cast<size_t>(start - 1));
    std::memcpy(fresh + start - 1, buf + last, static_cast<size_t>(len - last));
    delete[] buf;
    buf = fresh;
    len = kept;
    cursor = 0;
}

void DString::toUpper()
{
    for (int i = 0; i < len; ++i)
        if (buf[i] >= 'a' && buf[i] <= 'z')
            buf[i] = static_cast<char>(buf[i] - 'a' + 'A');
    cursor = 0;
}

char DString::nextChar()
{
    // Wrapping restarts at the first byte and moves on from it, so the next call
    // gives the second byte.
    if (cursor >= len)
        cursor = 0;
    if (len == 0)
        return buf[0];
    return buf[cursor++];
}

DString operator+(const DString& left, const DString& right)
{
    return left + right.text();
}

DString operator+(const DString& left, const char* right)
{
    long long total = static_cast<long long>(left.length()) + (right ? std::strlen(right) : 0);
    if (total > maxLength)
        total = maxLength;
    char* joined = new char[static_cast<size_t>(total) + 1]();
    std::memcpy(joined, left.text(), static_cast<size_t>(left.length()));
    std::memcpy(joined + left.length(), right ? right : "", static_cast<size_t>(total - left.length()));
    DString result(joined, static_cast<int>(total));
    delete[] joined;
    return result;
}

DString fromChar(int character)
{
    char one[2] = {static_cast<char>(character & 0xFF), 0};
    return DString(one);
}
