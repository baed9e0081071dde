#include "mail/PasswordScrambler.h"

#include <cstring>
#include <vector>

namespace {

// Two alphabets of sixteen distinct characters: the first stands for the high half of the
// mixed byte, the second for the low half.
const char highLetters[] = "KqZ7mB2xR9fTv4Lc";
const char lowLetters[] = "pW3hN8sJ5dYg6Ek1";
const unsigned char mix = 0xA5;

int indexIn(const char* letters, char c)
{
    for (int i = 0; i < 16; ++i)
        if (letters[i] == c)
            return i;
    return -1;
}

}  // namespace

void scrambleByte(unsigned char byte, char pair[2])
{
    unsigned char mixed = static_cast<unsigned char>(byte ^ mix);
    pair[0] = highLetters[mixed >> 4];
    pair[1] = lowLetters[mixed & 0x0F];
}

bool unscramblePair(char first, char second, unsigned char& byte)
{
    int high = indexIn(highLetters, first);
    int low = indexIn(lowLetters, second);
    if (high < 0 || low < 0)
        return false;
    byte = static_cast<unsigned char>(((high << 4) | low) ^ mix);
    return true;
}

DString scramblePassword(const DString& password)
{
    int n = password.length();
    if (n == 0)
        return DString();
    std::vector<char> stored(static_cast<size_t>(n) * 2 + 1, 0);
    for (int i = 0; i < n; ++i)
        scrambleByte(static_cast<unsigned char>(password.text()[i]), &stored[static_cast<size_t>(i) * 2]);
    return DString(stored.data(), n * 2);
}

DString unscramblePassword(const DString& stored)
{
    int pairs = stored.length() / 2;
    std::vector<char> plain(static_cast<size_t>(pairs) + 1, 0);
    int n = 0;
    for (int i = 0; i < pairs; ++i) {
        unsigned char byte = 0;
        if (!unscramblePair(stored.text()[2 * i], stored.text()[2 * i + 1], byte) || byte == 0)
            break;
        plain[static_cast<size_t>(n++)] = static_cast<char>(byte);
    }
    return DString(plain.data(), n);
}
