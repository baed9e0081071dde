// Pellaro's own English/Hungarian texts: the pairs start-up puts into the dictionary, in
// their fixed order. The lookup itself (DPellaroDictionary, translate) lies in foundation/, so
// that every layer can translate; the texts are the mail checker's vocabulary and live here.
#pragma once

#include "foundation/DPellaroDictionary.h"

// Adds Pellaro's English/Hungarian pairs in their fixed order: the 60 the program started
// with, then those of addConnectionTexts, then those of addInterfaceTexts.
void fillDictionary(DPellaroDictionary& d);
// The 15 pairs of secured connections, the server field, busy servers and silent ones.
void addConnectionTexts(DPellaroDictionary& d);
const int connectionTextCount = 15;
// The 13 pairs of the text fields' menu and of what screen readers read: the actions of
// buttons, check boxes, combo boxes, menu items and rows, and the scroll bars' names.
void addInterfaceTexts(DPellaroDictionary& d);
const int interfaceTextCount = 13;
