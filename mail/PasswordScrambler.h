// The stored form of a mailbox password. The settings file never holds a password in plain
// text: each byte becomes two printable ASCII letters or digits through a fixed, keyless,
// reversible substitution, so the stored text is exactly twice as long as the password.
// This hides the password from a casual look at the file; it is not encryption.
#pragma once

#include "foundation/DString.h"

DString scramblePassword(const DString& password);
// The inverse of scramblePassword. A malformed stored text (an odd length, a character
// outside the substitution, a pair that stands for the byte 0) is decoded up to the first
// bad pair; the rest is dropped.
DString unscramblePassword(const DString& stored);

// The substitution of one byte, and its inverse (false for a pair that no byte makes).
void scrambleByte(unsigned char byte, char pair[2]);
bool unscramblePair(char first, char second, unsigned char& byte);
