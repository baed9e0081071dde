// ServerAddress: what the server field of a mailbox says - the host, the port and how the
// connection is secured - read from the one text the settings file keeps for it, and written
// back into such a text. Portable and pure: no platform headers, no state.
//
// Forms of the text (the scheme is case-insensitive):
//   host  host:port  [IPv6]  [IPv6]:port  IPv6            plain text, port 110 by default
//   pop3://<any form above>                                 the same, written out
//   pop3+stls://<host or [IPv6]>[:port]                     STLS on a plain connection, 110
//   pop3s://<host or [IPv6]>[:port]                         TLS from the first byte, 995
// A secured mailbox always carries "://" in its text: a copy of the program that knows no
// schemes hands the whole text to its name lookup, which fails, so it never sends the
// password of such a mailbox in plain text. A bare host is kept exactly as it stands.
#pragma once

#include "foundation/DString.h"

enum class MailSecurity {
    None,      // plain text from the first byte to the last
    StartTls,  // greeting in plain text, then STLS and TLS before the login
    Implicit   // TLS from the first byte (POP3S)
};

struct ServerAddress {
    bool valid = false;
    // The English text of what is wrong (translate it to show it); empty when valid.
    DString error;
    DString host;       // a name, a plain dotted IPv4 address or an IPv6 address without brackets
    bool hostIsIpv6 = false;
    int port = 0;       // 1..65535 when valid
    bool portGiven = false;
    MailSecurity security = MailSecurity::None;
};

const int pop3PlainPort = 110;
const int pop3TlsPort = 995;

// The port a mode uses when the text names none.
int defaultPop3Port(MailSecurity security);

// Reads a port number as a server text writes it: decimal digits only, 1..65535, leading
// zeros allowed. Sets *port only when it returns true.
bool parsePortNumber(const DString& text, int* port);

// Reads a server field. Never fails other than through the result.
ServerAddress parseServerAddress(const DString& text);

// The server text for a host, a port and a mode: the bare host for plain text on 110 (the
// form every older mailbox has), otherwise the shortest text that reads back the same. An
// IPv6 host is given without brackets. Empty when the host is empty.
DString composeServerText(const DString& host, int port, MailSecurity security);

// False for a host that reads as an IPv4 address (its last part begins with a digit) but is
// not four decimal numbers 0..255 without leading zeros: "127.1", "0x7f.0.0.1", "010.0.0.1"
// and the like reach other addresses than they seem to. True for every other host.
bool isPlainIpv4OrName(const DString& host);

// True when `text` is an IPv6 address in the usual notation (no brackets, no zone).
bool isIpv6Literal(const DString& text);
