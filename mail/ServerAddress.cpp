#include "mail/ServerAddress.h"

#include <string>

namespace {

const char* const badAddress = "Invalid server address!";
const char* const badPort = "Invalid port number!";

struct Scheme {
    const char* name;
    MailSecurity security;
};

const Scheme schemes[] = {
    {"pop3", MailSecurity::None},
    {"pop3+stls", MailSecurity::StartTls},
    {"pop3s", MailSecurity::Implicit},
};

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string lowerCase(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// A blank, a line break or another control byte never belongs to a server name; one copied
// in with the name would only make the lookup fail later with a less telling text.
bool holdsBlankOrControl(const std::string& text)
{
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F)
            return true;
    }
    return false;
}

bool isDottedQuad(const std::string& text)
{
    int parts = 0;
    size_t i = 0;
    while (true) {
        size_t digits = 0;
        int value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            value = value * 10 + (text[i] - '0');
            ++digits;
            ++i;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        ++parts;
        if (i == text.size())
            return parts == 4;
        if (text[i] != '.' || parts == 4)
            return false;
        ++i;
    }
}

bool ipv6Literal(const std::string& text)
{
    if (text.size() < 2 || text.size() > 45)
        return false;
    int groups = 0;
    bool elided = false;
    size_t i = 0;
    if (text.compare(0, 2, "::") == 0) {
        elided = true;
        i = 2;
        if (i == text.size())
            return true;  // "::" alone
    } else if (text[0] == ':') {
        return false;
    }
    while (i < text.size()) {
        size_t start = i;
        while (i < text.size() && isHexDigit(text[i]))
            ++i;
        if (i < text.size() && text[i] == '.') {
            // The last two groups written as an IPv4 address.
            if (!isDottedQuad(text.substr(start)))
                return false;
            groups += 2;
            i = text.size();
            break;
        }
        size_t digits = i - start;
        if (digits == 0 || digits > 4)
            return false;
        ++groups;
        if (i == text.size())
            break;
        if (text[i] != ':')
            return false;
        ++i;
        if (i < text.size() && text[i] == ':') {
            if (elided)
                return false;
            elided = true;
            ++i;
            if (i == text.size())
                break;
        } else if (i == text.size()) {
            return false;  // a single colon at the end
        }
    }
    return elided ? groups <= 7 : groups == 8;
}

// Four decimal numbers 0..255 as they are usually written: no leading zero, no other form.
bool isPlainDottedQuad(const std::string& text)
{
    if (!isDottedQuad(text))
        return false;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        bool partStart = i == 0 || text[i - 1] == '.';
        if (partStart && text[i] == '0' && text[i + 1] != '.')
            return false;
    }
    return true;
}

// A name's last part never begins with a digit, so a host whose last part does is an IPv4
// address in some notation. The system's address parser also takes octal (a leading zero),
// hexadecimal and shortened forms, each of which means another address than it seems to.
bool readsAsIpv4(const std::string& host)
{
    size_t dot = host.rfind('.');
    size_t last = dot == std::string::npos ? 0 : dot + 1;
    return last < host.size() && host[last] >= '0' && host[last] <= '9';
}

// Decimal digits only, 1..65535. Leading zeros are allowed; the value never overflows.
bool parsePort(const std::string& text, int* port)
{
    if (text.empty())
        return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > 65535)
            return false;
    }
    if (value == 0)
        return false;
    *port = static_cast<int>(value);
    return true;
}

// A host name is not checked against the rules of names: the lookup judges it. Only what
// would change the meaning of the text is refused.
bool plausibleName(const std::string& name)
{
    return !name.empty() && name.find_first_of("/\\[]@") == std::string::npos;
}

ServerAddress failed(const char* english)
{
    ServerAddress result;
    result.error = english;
    return result;
}

}  // namespace

int defaultPop3Port(MailSecurity security)
{
    return security == MailSecurity::Implicit ? pop3TlsPort : pop3PlainPort;
}

bool parsePortNumber(const DString& text, int* port)
{
    return parsePort(std::string(text.text(), static_cast<size_t>(text.length())), port);
}

bool isPlainIpv4OrName(const DString& host)
{
    std::string text(host.text(), static_cast<size_t>(host.length()));
    return !readsAsIpv4(text) || isPlainDottedQuad(text);
}

bool isIpv6Literal(const DString& text)
{
    return ipv6Literal(std::string(text.text(), static_cast<size_t>(text.length())));
}

ServerAddress parseServerAddress(const DString& text)
{
    std::string rest(text.text(), static_cast<size_t>(text.length()));
    if (rest.empty() || holdsBlankOrControl(rest))
        return failed(badAddress);

    MailSecurity security = MailSecurity::None;
    size_t separator = rest.find("://");
    if (separator != std::string::npos) {
        std::string name = lowerCase(rest.substr(0, separator));
        bool known = false;
        for (const Scheme& scheme : schemes) {
            if (name == scheme.name) {
                security = scheme.security;
                known = true;
            }
        }
        if (!known)
            return failed(badAddress);
        rest.erase(0, separator + 3);
        // "pop3s://host/" as a browser would write it.
        if (!rest.empty() && rest.back() == '/')
            rest.pop_back();
    }
    // A path, a second scheme or a user part has no place in a server field.
    if (rest.find_first_of("/@") != std::string::npos)
        return failed(badAddress);

    ServerAddress result;
    result.security = security;
    result.port = defaultPop3Port(security);
    std::string host;
    std::string portText;
    bool hasPort = false;
    if (!rest.empty() && rest[0] == '[') {
        size_t close = rest.find(']');
        if (close == std::string::npos)
            return failed(badAddress);
        host = rest.substr(1, close - 1);
        if (!ipv6Literal(host))
            return failed(badAddress);
        result.hostIsIpv6 = true;
        std::string after = rest.substr(close + 1);
        if (!after.empty()) {
            if (after[0] != ':')
                return failed(badAddress);
            hasPort = true;
            portText = after.substr(1);
        }
    } else {
        size_t first = rest.find(':');
        size_t last = rest.rfind(':');
        if (first == std::string::npos) {
            host = rest;
        } else if (first != last) {
            // Two colons or more: an IPv6 address, which cannot carry a port without brackets.
            if (!ipv6Literal(rest))
                return failed(badAddress);
            host = rest;
            result.hostIsIpv6 = true;
        } else {
            host = rest.substr(0, first);
            hasPort = true;
            portText = rest.substr(first + 1);
        }
        if (!result.hostIsIpv6 && !plausibleName(host))
            return failed(badAddress);
        if (!result.hostIsIpv6 && !isPlainIpv4OrName(DString(host.c_str())))
            return failed(badAddress);
    }
    if (hasPort) {
        if (!parsePort(portText, &result.port))
            return failed(badPort);
        result.portGiven = true;
    }
    result.host = DString(host.c_str());
    result.valid = true;
    return result;
}

DString composeServerText(const DString& host, int port, MailSecurity security)
{
    if (host.length() == 0)
        return DString();
    DString hostPart = isIpv6Literal(host) ? DString("[") + host + "]" : host;
    switch (security) {
    case MailSecurity::None:
        if (port == pop3PlainPort)
            return host;
        return hostPart + ":" + DString(port);
    case MailSecurity::StartTls:
        return DString("pop3+stls://") + hostPart
               + (port == pop3PlainPort ? DString() : DString(":") + DString(port));
    case MailSecurity::Implicit:
        return DString("pop3s://") + hostPart
               + (port == pop3TlsPort ? DString() : DString(":") + DString(port));
    }
    return DString();
}
