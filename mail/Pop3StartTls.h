// negotiateStartTls: the plain-text opening of a POP3 connection that is secured with STLS
// (RFC 2595): it waits for the greeting, sends "STLS" (the command text, then CR LF, as two
// sends like every command) and waits for the reply. Only a positive reply lets the TLS
// handshake begin; anything else ends the check with an error text, so the user name and
// the password are never sent over a connection that was meant to be secured.
//
// Bytes that come after the positive reply and before the handshake cannot come from an
// honest server (it waits for the client's first handshake message): they would be taken
// for data of the secured connection, so they end the check too. The greeting is kept so
// that the POP3 dialogue can read it after the handshake, as if it had just come.
// Portable: works on any byte channel.
#pragma once

#include <atomic>

#include "foundation/DString.h"
#include "mail/DByteChannel.h"

struct StartTlsResult {
    enum Outcome {
        Ready,    // the server agreed; the handshake comes next
        Failed,   // `error` says why (English)
        Stopped   // the stop flag ended the wait
    };
    Outcome outcome = Failed;
    DString error;
    DString greeting;  // the greeting line as received, without its line end
};

// How long a server may take to answer STLS before it counts as refusing it.
const int startTlsReplyLimitMs = 30000;
// How long it may take to greet before it counts as not responding ("Server not responding!").
const int startTlsGreetingLimitMs = 60000;

StartTlsResult negotiateStartTls(DByteChannel& channel, const std::atomic<bool>& stop,
                                 int waitSliceMs, int replyLimitMs = startTlsReplyLimitMs,
                                 int greetingLimitMs = startTlsGreetingLimitMs);
