#include "mail/Pop3Dialogue.h"

#include <cstring>

#include "foundation/DPellaroDictionary.h"

namespace {

bool holdsLineBreak(const DString& text)
{
    for (int i = 0; i < text.length(); ++i) {
        char c = text.text()[i];
        if (c == '\r' || c == '\n')
            return true;
    }
    return false;
}

// A command that cannot be sent as one line of its own: it would break into several
// commands, or it is longer than a command line may be.
bool unsendable(const DString& command)
{
    return command.length() >= Pop3Dialogue::maxCommandLength || holdsLineBreak(command);
}

// The response codes (RFC 2449) of a server that refuses a login for the moment only: the
// mailbox is in use by another session, logins come too often, or the server is short of
// something. The code stands in brackets right after the negative marker; a code may be
// refined by further parts after a slash. `upper` is the upper-case copy of the line.
bool saysBusy(const DString& upper)
{
    const char* p = upper.text();
    if (upper.length() < 4 || p[0] != '-' || p[1] != 'E' || p[2] != 'R' || p[3] != 'R')
        return false;
    p += 4;
    if (*p != ' ')
        return false;
    while (*p == ' ')
        ++p;
    if (*p != '[')
        return false;
    ++p;
    static const char* const codes[] = {"IN-USE", "LOGIN-DELAY", "SYS/TEMP"};
    for (const char* code : codes) {
        size_t n = std::strlen(code);
        if (std::strncmp(p, code, n) == 0 && (p[n] == ']' || p[n] == '/'))
            return true;
    }
    return false;
}

}  // namespace

Pop3Dialogue::Pop3Dialogue(const DString& userName, const DString& password)
    : userName(userName), password(password)
{
}

Pop3Dialogue::~Pop3Dialogue() = default;

int Pop3Dialogue::feed(const char* bytes, int count)
{
    if (finished)
        return count > 0 ? count : 0;
    if (hasPendingSend() || bytes == nullptr)
        return 0;
    int taken = 0;
    while (taken < count) {
        takeByte(bytes[taken++]);
        if (lineComplete) {
            lineComplete = false;
            judgeLine();
            lineLength = 0;
            break;
        }
    }
    return taken;
}

void Pop3Dialogue::takeByte(char byte)
{
    if (byte == '\n') {
        lineComplete = true;
        return;
    }
    // CR never belongs to a line, wherever it stands; NUL cannot be held in a text.
    if (byte == '\r' || byte == '\0')
        return;
    if (lineLength < maxLineLength)
        line[lineLength++] = byte;
}

void Pop3Dialogue::judgeLine()
{
    DString upper(line, lineLength);
    upper.toUpper();
    bool positive = upper.length() >= 3 && upper.subString(1, 3) == "+OK";

    switch (currentState) {
    case AwaitGreeting:
        if (!positive)
            fail("Internal server error!");
        else if (unsendable(DString("USER ") + userName))
            fail("Login failed!");
        else
            queueCommand(DString("USER ") + userName);
        break;
    case UserSent:
        if (!positive && saysBusy(upper))
            fail("Server busy, try later!");
        else if (!positive || unsendable(DString("PASS ") + password))
            fail("Login failed!");
        else
            queueCommand(DString("PASS ") + password);
        break;
    case PassSent:
        if (!positive && saysBusy(upper))
            fail("Server busy, try later!");
        else if (!positive)
            fail("Login failed!");
        else
            queueCommand("STAT");
        break;
    case StatSent:
        if (!positive)
            fail("Cannot determine mail count!");
        else
            onStatReply();
        break;
    case QuitSent:
        // The goodbye is not judged: the count is already known.
        finished = true;
        break;
    }
}

void Pop3Dialogue::onStatReply()
{
    // The reply is the marker, a blank, the count, a blank and the size; the count is what
    // stands between the fifth character and the next blank.
    DString received(line, lineLength);
    DString rest = received.subString(5, received.length());
    int blank = 0;
    for (int i = 0; i < rest.length(); ++i) {
        if (rest.text()[i] == ' ') {
            blank = i + 1;
            break;
        }
    }
    if (blank == 0) {
        fail("Cannot determine mail count!");
        return;
    }
    int parsed = rest.subString(1, blank - 1).toInt();
    // A mailbox cannot hold fewer than no messages; such a count would corrupt the known
    // message count of the mailbox.
    if (parsed < 0) {
        fail("Cannot determine mail count!");
        return;
    }
    count = parsed;
    statusText = "OK";
    queueCommand("QUIT");
}

void Pop3Dialogue::queueCommand(const DString& text)
{
    command = text;
    pendingPiece = 0;
}

DString Pop3Dialogue::pendingSend() const
{
    if (pendingPiece == 0)
        return command;
    if (pendingPiece == 1)
        return "\r\n";
    return DString();
}

void Pop3Dialogue::sendDone(int result)
{
    if (pendingPiece < 0)
        return;
    int expected = pendingPiece == 0 ? command.length() : 2;
    if (result <= 0 || result < expected) {
        pendingPiece = -1;
        fail("Comms error!");
        return;
    }
    if (pendingPiece == 0) {
        pendingPiece = 1;
        return;
    }
    pendingPiece = -1;
    switch (currentState) {
    case AwaitGreeting: currentState = UserSent; break;
    case UserSent: currentState = PassSent; break;
    case PassSent: currentState = StatSent; break;
    case StatSent: currentState = QuitSent; break;
    case QuitSent: break;
    }
    lineLength = 0;
}

void Pop3Dialogue::connectionLost()
{
    if (finished)
        return;
    pendingPiece = -1;
    fail("Connection lost!");
}

void Pop3Dialogue::serverSilent()
{
    if (finished)
        return;
    pendingPiece = -1;
    fail("Server not responding!");
}

void Pop3Dialogue::fail(const char* english)
{
    statusText = english;
    finished = true;
}
