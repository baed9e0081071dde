#include "foundation/DPellaroDictionary.h"

DPellaroDictionary* dictionary = nullptr;

DPellaroDictionary::DPellaroDictionary() : english(new DStringList), translated(new DStringList)
{
}

DPellaroDictionary::~DPellaroDictionary()
{
    delete english;
    delete translated;
}

void DPellaroDictionary::addPair(DString englishText, DString hungarianText)
{
    english->add(englishText);
    translated->add(hungarianText);
}

DString DPellaroDictionary::translate(const DString& text) const
{
    if (language.load() == 0)
        return text;
    int index = english->indexOf(text);
    return index < 0 ? text : translated->get(index);
}

DString translate(const DString& english)
{
    return dictionary ? dictionary->translate(english) : english;
}
