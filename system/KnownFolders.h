// KnownFolders: where the program finds the user's documents folder and its own folder, and
// the path arithmetic that goes with them. Texts are DString in the ANSI code page. Nothing
// here shows a message: a failure gives the empty text.
#pragma once

#include <windows.h>

#include "foundation/DString.h"

// The user's documents folder: the "Personal" value of the user's shell-folders key, without
// a trailing backslash; the empty text when the key or the value cannot be read, or when the
// value does not fit the 400-byte buffer.
DString documentsFolder();
// A text value of the registry read through a buffer of `bufferSize` bytes (the terminating
// NUL included); the empty text when the key or value is missing, is not text, or does not
// fit. documentsFolder() is this with the shell-folders key and a 400-byte buffer.
DString registryText(HKEY root, const char* subKey, const char* valueName, int bufferSize);

// The folder of the running program file, ending in "\".
DString programFolder();
// The folder part of a path: everything up to and including its last "\"; a path without
// a backslash is returned whole.
DString folderOfPath(const DString& path);
