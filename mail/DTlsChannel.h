// DTlsChannel: TLS over another byte channel (the connected socket), through Windows' own
// TLS (SChannel, reached through SSPI), so no TLS library travels with the program. The
// POP3 dialogue talks through it as through the socket: each send becomes one TLS record.
//
// handshake() runs the TLS handshake and then checks the server's certificate against the
// Windows certificate store, with the host name from the server field: an expired, an
// untrusted (self-signed, unknown authority) or a wrong-name certificate each end it with a
// text of their own before a byte of the dialogue is sent. Revocation is asked about with a
// bounded time for fetching lists and answers, and counts only when it is known: a revoked
// certificate fails, one whose status cannot be had offline passes. SChannel's own checks are turned
// off (manual validation) so that the reason can be told; the chain is built and judged here
// with the SSL policy and the server's name. The handshake is bounded: in time, in the bytes
// it takes (garbage instead of a handshake cannot grow memory), and it ends at once when
// the stop flag is raised (the transport's wait wakes on the thread's stop event).
//
// Coordinates: `pending` holds received ciphertext not decrypted yet, `plain` decrypted
// bytes not handed out yet. Owns the credentials and the security context (SSPI handles);
// the transport is not owned and must outlive it.
#pragma once

#include <winsock2.h>
#include <windows.h>

#define SECURITY_WIN32
#include <security.h>
#include <schannel.h>
#include <wincrypt.h>

#include <atomic>
#include <string>

#include "foundation/DString.h"
#include "mail/DByteChannel.h"

class DTlsChannel : public DByteChannel {
public:
    // How long a handshake may take, and how many bytes it may take in.
    static const int handshakeLimitMs = 60000;
    static const int handshakeByteLimit = 256 * 1024;
    // The most ciphertext held while waiting for the rest of a record (a record is at most
    // 16 KB of data and 2 KB of overhead).
    static const int pendingLimit = 64 * 1024;

    // `stop` (not owned) ends waits of the handshake and of reads; it must outlive the channel.
    DTlsChannel(DByteChannel& transport, const DString& serverName,
                const std::atomic<bool>& stop);
    ~DTlsChannel() override;
    DTlsChannel(const DTlsChannel&) = delete;
    DTlsChannel& operator=(const DTlsChannel&) = delete;

    // True when the connection is secured and the certificate passed. Otherwise failure()
    // says why (an English text), or stopped() is true. A server that sends nothing for
    // `silenceLimitMs` is "Server not responding!"; one that takes longer than `limitMs` in
    // all, "TLS handshake failed!".
    bool handshake(int waitSliceMs, int limitMs = handshakeLimitMs,
                   int silenceLimitMs = handshakeLimitMs);
    DString failure() const { return failureText; }
    bool stopped() const { return stopSeen; }

    int send(const void* data, int length) override;
    int receive(char* buffer, int capacity) override;
    bool waitReadable(int milliseconds) override;

private:
    bool acquireCredentials();
    // The handshake steps until SChannel reports the context complete: from the first
    // message (initial), or for a handshake message that came after the handshake.
    bool negotiate(bool initial, int waitSliceMs, int limitMs, int silenceLimitMs);
    // A handshake message after the handshake: the further handshake step, then the stream
    // sizes and the certificate again, since a renegotiation may change both.
    bool renegotiate();
    bool sendAll(const char* data, int length);
    bool sendTokens(SecBufferDesc& output);
    bool receiveMore(int milliseconds, int* got);
    bool checkCertificate();
    // The certificate's chain for server authentication, asking about revocation or not;
    // null when none could be built. The caller frees it.
    PCCERT_CHAIN_CONTEXT buildChain(PCCERT_CONTEXT certificate, bool revocation) const;
    // The SSL policy's verdict on a chain for the server's name; false when it gave none.
    bool judgeChain(PCCERT_CHAIN_CONTEXT chain, HRESULT* verdict) const;
    bool decryptPending();
    bool fill(int milliseconds);
    void fail(const char* english);

    DByteChannel& transport;        // not owned
    const std::atomic<bool>& stop;  // not owned
    std::string hostName;           // as in the server field
    std::wstring serverName;        // the same, for SSPI
    CredHandle credentials;
    CtxtHandle context;
    bool haveCredentials = false;
    bool haveContext = false;
    bool ready = false;
    bool ended = false;             // the peer closed or the stream failed
    bool stopSeen = false;
    SecPkgContext_StreamSizes sizes;
    std::string pending;            // ciphertext received, not yet decrypted
    std::string plain;              // plaintext decrypted, not yet handed out
    DString failureText;
};
