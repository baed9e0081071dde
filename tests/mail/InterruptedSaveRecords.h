// The two settings an interrupted-save run alternates between: a small one and a large one
// (many mailboxes with long texts, several of the C library's buffers long, so a save of it
// takes several writes), and their exact bytes in the settings layout.
#pragma once

#include <string>
#include <vector>

#include "MemoryStream.h"
#include "mail/SettingsCodec.h"

inline DSettingsRecord interruptedSaveSettings(bool large)
{
    DSettingsRecord s;
    s.intervalIndex = large ? 3 : 0;
    s.hungarian = large;
    int mailboxes = large ? 40 : 1;
    for (int i = 0; i < mailboxes; ++i) {
        DMailboxRecord r;
        std::string n = std::to_string(i);
        r.userName = ("user" + n + std::string(large ? 150 : 0, 'u')).c_str();
        r.server = ("pop" + n + ".example:110").c_str();
        r.password = ("secret" + n).c_str();
        r.webAddress = ("http://mail.example/" + std::string(large ? 200 : 4, 'w') + n).c_str();
        r.seenCount = i * 7;
        r.openWebSite = (i % 2) == 0;
        s.mailboxes.push_back(r);
    }
    return s;
}

inline std::vector<unsigned char> interruptedSaveBytes(bool large)
{
    MemoryStream out;
    writeSettings(out, interruptedSaveSettings(large));
    return out.bytes;
}
