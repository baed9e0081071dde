// DPellaroDictionary: the English-to-Hungarian dictionary of every text Pellaro shows. All
// texts are written in English; when the interface language is Hungarian, translate() gives
// the Hungarian text of a key that matches the whole text byte for byte (case-sensitive),
// and any other text unchanged. Composed texts are translated piece by piece. Owns its two
// string lists, which always have the same length: entry i of `translated` is the Hungarian
// text of entry i of `english`.
//
// Filled once at start-up before any working thread exists (mail/DictionaryTexts.h holds
// Pellaro's pairs), then only read; the language byte is the one thing that changes while
// working threads translate, so it is atomic. It lies in the lowest layer so that controls,
// windows and the mail checker all translate through the same lookup.
#pragma once

#include <atomic>

#include "foundation/DStringList.h"

class DPellaroDictionary : public DObject {
public:
    DPellaroDictionary();
    ~DPellaroDictionary() override;
    DPellaroDictionary(const DPellaroDictionary&) = delete;
    DPellaroDictionary& operator=(const DPellaroDictionary&) = delete;

    void addPair(DString englishText, DString hungarianText);
    // The text in the current language; callable from any thread.
    DString translate(const DString& text) const;
    // 0: English (no translation); any other value: Hungarian.
    void setLanguage(unsigned char value) { language.store(value); }
    unsigned char getLanguage() const { return language.load(); }

    int count() const { return english->count(); }
    DString englishAt(int index) const { return english->get(index); }
    DString translatedAt(int index) const { return translated->get(index); }

private:
    DStringList* english;     // owned: the keys
    DStringList* translated;  // owned: the Hungarian texts
    std::atomic<unsigned char> language{0};
};

// The process-wide dictionary: made and filled at start-up, none until then.
extern DPellaroDictionary* dictionary;

// `english` in the current interface language; unchanged while there is no dictionary.
DString translate(const DString& english);
