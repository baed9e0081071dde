#include <gtest/gtest.h>

#include <string>

#include "mail/ServerAddress.h"

namespace {

struct GoodCase {
    const char* text;
    const char* host;
    int port;
    MailSecurity security;
    bool ipv6;
};

const GoodCase goodCases[] = {
    {"mail.example.com", "mail.example.com", 110, MailSecurity::None, false},
    {"127.0.0.1", "127.0.0.1", 110, MailSecurity::None, false},
    {"0.0.0.0", "0.0.0.0", 110, MailSecurity::None, false},
    {"255.255.255.255:2110", "255.255.255.255", 2110, MailSecurity::None, false},
    {"10.200.0.7", "10.200.0.7", 110, MailSecurity::None, false},
    {"123.example.com", "123.example.com", 110, MailSecurity::None, false},
    {"pop3s://192.0.2.10", "192.0.2.10", 995, MailSecurity::Implicit, false},
    {"mail.example.com:2110", "mail.example.com", 2110, MailSecurity::None, false},
    {"mail.example.com:00110", "mail.example.com", 110, MailSecurity::None, false},
    {"host:1", "host", 1, MailSecurity::None, false},
    {"host:65535", "host", 65535, MailSecurity::None, false},
    {"::1", "::1", 110, MailSecurity::None, true},
    {"2001:db8::25", "2001:db8::25", 110, MailSecurity::None, true},
    {"fe80:0:0:0:200:f8ff:fe21:67cf", "fe80:0:0:0:200:f8ff:fe21:67cf", 110, MailSecurity::None, true},
    {"::ffff:192.0.2.1", "::ffff:192.0.2.1", 110, MailSecurity::None, true},
    {"[::1]", "::1", 110, MailSecurity::None, true},
    {"[::1]:2110", "::1", 2110, MailSecurity::None, true},
    {"pop3://host", "host", 110, MailSecurity::None, false},
    {"pop3://host:26", "host", 26, MailSecurity::None, false},
    {"pop3s://mail.example.com", "mail.example.com", 995, MailSecurity::Implicit, false},
    {"POP3S://mail.example.com:1995", "mail.example.com", 1995, MailSecurity::Implicit, false},
    {"pop3s://[2001:db8::1]:995", "2001:db8::1", 995, MailSecurity::Implicit, true},
    {"pop3s://[::1]", "::1", 995, MailSecurity::Implicit, true},
    {"pop3s://host/", "host", 995, MailSecurity::Implicit, false},
    {"pop3+stls://mail.example.com", "mail.example.com", 110, MailSecurity::StartTls, false},
    {"Pop3+STLS://host:2110", "host", 2110, MailSecurity::StartTls, false},
    {"pop3+stls://[::1]:21110", "::1", 21110, MailSecurity::StartTls, true},
};

TEST(ServerAddress, ReadsEveryFormOfTheServerField)
{
    for (const GoodCase& c : goodCases) {
        ServerAddress a = parseServerAddress(c.text);
        ASSERT_TRUE(a.valid) << c.text << ": " << a.error.text();
        EXPECT_EQ(a.error.length(), 0) << c.text;
        EXPECT_STREQ(a.host.text(), c.host) << c.text;
        EXPECT_EQ(a.port, c.port) << c.text;
        EXPECT_EQ(a.security, c.security) << c.text;
        EXPECT_EQ(a.hostIsIpv6, c.ipv6) << c.text;
    }
}

TEST(ServerAddress, KnowsWhetherThePortWasWritten)
{
    EXPECT_FALSE(parseServerAddress("host").portGiven);
    EXPECT_FALSE(parseServerAddress("pop3s://host").portGiven);
    EXPECT_TRUE(parseServerAddress("host:110").portGiven);
    EXPECT_TRUE(parseServerAddress("[::1]:995").portGiven);
}

struct BadCase {
    const char* text;
    const char* error;
};

const BadCase badCases[] = {
    {"", "Invalid server address!"},
    {"host:", "Invalid port number!"},
    {"host:0", "Invalid port number!"},
    {"host:00", "Invalid port number!"},
    {"host:65536", "Invalid port number!"},
    {"host:99999999999999999999", "Invalid port number!"},
    {"host:-1", "Invalid port number!"},
    {"host:+110", "Invalid port number!"},
    {"host:11a", "Invalid port number!"},
    {"[::1]:", "Invalid port number!"},
    {"[::1]:0", "Invalid port number!"},
    {"pop3s://host:", "Invalid port number!"},
    {"[::1", "Invalid server address!"},
    {"[::1]x", "Invalid server address!"},
    {"[::1]]:110", "Invalid server address!"},
    {"[mail.example.com]:110", "Invalid server address!"},
    {"[]", "Invalid server address!"},
    {"mail example.com", "Invalid server address!"},
    {" mail.example.com", "Invalid server address!"},
    {"mail.example.com ", "Invalid server address!"},
    {"mail.example.com\t", "Invalid server address!"},
    {"mail.example.com\r\nUSER x", "Invalid server address!"},
    {":110", "Invalid server address!"},
    {"1:2:3", "Invalid server address!"},
    {"1:2:3:4:5:6:7:8:9", "Invalid server address!"},
    {"1::2::3", "Invalid server address!"},
    {"12345::1", "Invalid server address!"},
    {"::1:", "Invalid server address!"},
    {":::", "Invalid server address!"},
    {"::ffff:300.1.1.1", "Invalid server address!"},
    {"imap://host", "Invalid server address!"},
    {"pop3s://", "Invalid server address!"},
    {"pop3s:///", "Invalid server address!"},
    {"://host", "Invalid server address!"},
    {"pop3s://host/inbox", "Invalid server address!"},
    {"pop3s://user@host", "Invalid server address!"},
    {"pop3s://pop3s://host", "Invalid server address!"},
    // Digits and dots in any notation but the plain one reach another address than they
    // seem to through the system's parser.
    {"127.1", "Invalid server address!"},
    {"127.0.1", "Invalid server address!"},
    {"2130706433", "Invalid server address!"},
    {"0x7f.0.0.1", "Invalid server address!"},
    {"0x7f000001", "Invalid server address!"},
    {"010.0.0.1", "Invalid server address!"},
    {"127.0.0.01", "Invalid server address!"},
    {"256.0.0.1", "Invalid server address!"},
    {"1.2.3.4.5", "Invalid server address!"},
    {"example.123", "Invalid server address!"},
    {"pop3s://127.1:995", "Invalid server address!"},
};

TEST(ServerAddress, RefusesMalformedFieldsWithATellingText)
{
    for (const BadCase& c : badCases) {
        ServerAddress a = parseServerAddress(c.text);
        EXPECT_FALSE(a.valid) << c.text;
        EXPECT_STREQ(a.error.text(), c.error) << c.text;
        EXPECT_EQ(a.host.length(), 0) << c.text;
        EXPECT_EQ(a.port, 0) << c.text;
    }
}

TEST(ServerAddress, DefaultPortsFollowTheMode)
{
    EXPECT_EQ(defaultPop3Port(MailSecurity::None), 110);
    EXPECT_EQ(defaultPop3Port(MailSecurity::StartTls), 110);
    EXPECT_EQ(defaultPop3Port(MailSecurity::Implicit), 995);
}

TEST(ServerAddress, WritesTheShortestTextThatReadsBackTheSame)
{
    struct Case {
        const char* host;
        int port;
        MailSecurity security;
        const char* text;
    };
    const Case cases[] = {
        {"mail.example.com", 110, MailSecurity::None, "mail.example.com"},
        {"mail.example.com", 2110, MailSecurity::None, "mail.example.com:2110"},
        {"::1", 110, MailSecurity::None, "::1"},
        {"::1", 2110, MailSecurity::None, "[::1]:2110"},
        {"mail.example.com", 110, MailSecurity::StartTls, "pop3+stls://mail.example.com"},
        {"mail.example.com", 2110, MailSecurity::StartTls, "pop3+stls://mail.example.com:2110"},
        {"mail.example.com", 995, MailSecurity::Implicit, "pop3s://mail.example.com"},
        {"mail.example.com", 110, MailSecurity::Implicit, "pop3s://mail.example.com:110"},
        {"2001:db8::1", 995, MailSecurity::Implicit, "pop3s://[2001:db8::1]"},
        {"", 110, MailSecurity::None, ""},
    };
    for (const Case& c : cases) {
        DString text = composeServerText(c.host, c.port, c.security);
        EXPECT_STREQ(text.text(), c.text) << c.host << " " << c.port;
        if (text.length() == 0)
            continue;
        ServerAddress back = parseServerAddress(text);
        ASSERT_TRUE(back.valid) << text.text();
        EXPECT_STREQ(back.host.text(), c.host);
        EXPECT_EQ(back.port, c.port);
        EXPECT_EQ(back.security, c.security);
    }
}

// A copy of the program that knows nothing of modes passes the whole text to its name
// lookup: a secured mailbox's text must never be a name that lookup could find.
TEST(ServerAddress, ASecuredMailboxNeverReadsAsAPlainHostName)
{
    const MailSecurity secured[] = {MailSecurity::StartTls, MailSecurity::Implicit};
    for (MailSecurity security : secured) {
        for (int port : {110, 995, 2110}) {
            std::string text = composeServerText("mail.example.com", port, security).text();
            EXPECT_NE(text.find("://"), std::string::npos) << text;
        }
    }
}

}  // namespace
