// settingswriter: writes a Pellaro settings file into the current user's documents folder
// (as Pellaro itself would save it), for the demo and the screenshots, which start Pellaro
// with mailboxes already set up. Not part of the product.
//   settingswriter [--hungarian] [--interval 0..3] [--mailbox <user> <server> <password>]...
// --interval takes the interval choice (0 = 1, 1 = 5, 2 = 10, 3 = 15 minutes). Every mailbox starts with nothing seen, so the first
// check announces the mail it finds. Exit code 0 when the file is in place, 1 when it could
// not be written, 2 for a wrong command line.
#include "mail/SettingsFile.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: settingswriter [--hungarian] [--interval 0..3] "
                         "[--mailbox <user> <server> <password>]...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    DSettingsRecord settings;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--hungarian") {
            settings.hungarian = true;
        } else if (option == "--interval" && i + 1 < argc) {
            const std::string choice = argv[++i];
            int milliseconds = 0;
            if (choice.size() != 1 || !intervalOfChoice(choice[0] - '0', milliseconds))
                return usage();
            settings.intervalIndex = choice[0] - '0';
        } else if (option == "--mailbox" && i + 3 < argc) {
            DMailboxRecord mailbox;
            mailbox.userName = DString(argv[i + 1]);
            mailbox.server = DString(argv[i + 2]);
            mailbox.password = DString(argv[i + 3]);
            settings.mailboxes.push_back(mailbox);
            i += 3;
        } else {
            return usage();
        }
    }
    if (!saveSettingsFile(settings)) {
        std::fprintf(stderr, "settingswriter: could not write %s\n", settingsPath().text());
        return 1;
    }
    std::printf("%s\n", settingsPath().text());
    return 0;
}
