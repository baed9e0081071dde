// The chain request carries the time limit for fetching from the network.
#define CERT_CHAIN_PARA_HAS_EXTRA_FIELDS
#include "mail/DTlsChannel.h"

#include <wincrypt.h>
#include <ws2tcpip.h>

#include <cstring>
#include <vector>

namespace {

const unsigned long contextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT
                                   | ISC_REQ_CONFIDENTIALITY | ISC_REQ_EXTENDED_ERROR
                                   | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM
                                   | ISC_REQ_MANUAL_CRED_VALIDATION;

const char* const handshakeFailed = "TLS handshake failed!";
const char* const certificateExpired = "Certificate expired!";
const char* const certificateUntrusted = "Untrusted certificate!";
const char* const certificateWrongName = "Certificate name mismatch!";
const char* const certificateFailed = "Certificate check failed!";
const char* const serverSilent = "Server not responding!";

// How long building a certificate's chain may spend fetching from the network (missing
// issuers, revocation lists and answers), in all.
const DWORD chainFetchLimitMs = 15000;
// Revocation findings that only say the status could not be had (offline, no list): the
// check passes on them, a revoked certificate does not.
const DWORD revocationUnknown = CERT_TRUST_REVOCATION_STATUS_UNKNOWN | CERT_TRUST_IS_OFFLINE_REVOCATION;

// One wait of a read that has no time limit of its own: the transport's wait ends at once
// on the thread's stop event; the slice bounds how late a stop seen by the flag alone is.
const int readSliceMs = 1000;

std::wstring wide(const DString& text)
{
    int length = MultiByteToWideChar(CP_ACP, 0, text.text(), text.length(), nullptr, 0);
    std::wstring result(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.text(), text.length(), &result[0], length);
    return result;
}

// The output token of one handshake step, allocated by SSPI and freed here.
class OutputToken {
public:
    OutputToken()
    {
        buffer.cbBuffer = 0;
        buffer.BufferType = SECBUFFER_TOKEN;
        buffer.pvBuffer = nullptr;
        description.ulVersion = SECBUFFER_VERSION;
        description.cBuffers = 1;
        description.pBuffers = &buffer;
    }
    ~OutputToken()
    {
        if (buffer.pvBuffer != nullptr)
            FreeContextBuffer(buffer.pvBuffer);
    }
    OutputToken(const OutputToken&) = delete;
    OutputToken& operator=(const OutputToken&) = delete;

    SecBuffer buffer;
    SecBufferDesc description;
};

// What a failed handshake says, when SChannel judged the certificate itself.
const char* handshakeError(SECURITY_STATUS status)
{
    switch (status) {
    case SEC_E_CERT_EXPIRED:
        return certificateExpired;
    case SEC_E_UNTRUSTED_ROOT:
        return certificateUntrusted;
    case SEC_E_WRONG_PRINCIPAL:
        return certificateWrongName;
    default:
        return handshakeFailed;
    }
}

// Whether `bytes` can begin a TLS record of a handshake: a content type from change cipher
// spec to application data, major version 3, and a length no record may exceed. Seen as
// early as the bytes allow, so that a server that sends something else (a POP3 greeting,
// garbage) is refused at once rather than waited for until the record it seems to
// announce has come.
bool plausibleRecordStart(const std::string& bytes)
{
    if (bytes.empty())
        return true;
    unsigned char type = static_cast<unsigned char>(bytes[0]);
    if (type < 0x14 || type > 0x17)
        return false;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[1]) != 0x03)
        return false;
    if (bytes.size() >= 5) {
        unsigned length = static_cast<unsigned>(static_cast<unsigned char>(bytes[3])) << 8
                          | static_cast<unsigned char>(bytes[4]);
        if (length == 0 || length > 16384 + 2048)
            return false;
    }
    return true;
}

// Whether the certificate names `host`, an IPv4 or IPv6 address, among its subject's
// alternative names. Not every system's SSL policy compares addresses (Wine's compares
// only DNS names), so a server reached by its address is matched here as well.
bool namesAddress(PCCERT_CONTEXT certificate, const std::string& host)
{
    unsigned char address[16];
    DWORD length = 0;
    if (inet_pton(AF_INET, host.c_str(), address) == 1)
        length = 4;
    else if (inet_pton(AF_INET6, host.c_str(), address) == 1)
        length = 16;
    if (length == 0)
        return false;
    PCERT_EXTENSION extension = CertFindExtension(szOID_SUBJECT_ALT_NAME2,
                                                  certificate->pCertInfo->cExtension,
                                                  certificate->pCertInfo->rgExtension);
    if (extension == nullptr)
        return false;
    CERT_ALT_NAME_INFO* names = nullptr;
    DWORD size = 0;
    if (!CryptDecodeObjectEx(X509_ASN_ENCODING, X509_ALTERNATE_NAME, extension->Value.pbData,
                             extension->Value.cbData, CRYPT_DECODE_ALLOC_FLAG, nullptr, &names,
                             &size)
        || names == nullptr)
        return false;
    bool found = false;
    for (DWORD i = 0; i < names->cAltEntry && !found; ++i) {
        const CERT_ALT_NAME_ENTRY& entry = names->rgAltEntry[i];
        found = entry.dwAltNameChoice == CERT_ALT_NAME_IP_ADDRESS
                && entry.IPAddress.cbData == length
                && std::memcmp(entry.IPAddress.pbData, address, length) == 0;
    }
    LocalFree(names);
    return found;
}

// Frees a certificate and its chain.
struct CertificateHold {
    PCCERT_CONTEXT certificate = nullptr;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    ~CertificateHold()
    {
        if (chain != nullptr)
            CertFreeCertificateChain(chain);
        if (certificate != nullptr)
            CertFreeCertificateContext(certificate);
    }
};

}  // namespace

DTlsChannel::DTlsChannel(DByteChannel& transport, const DString& name,
                         const std::atomic<bool>& stop)
    : transport(transport), stop(stop), hostName(name.text()), serverName(wide(name))
{
    SecInvalidateHandle(&credentials);
    SecInvalidateHandle(&context);
    std::memset(&sizes, 0, sizeof sizes);
}

DTlsChannel::~DTlsChannel()
{
    if (haveContext)
        DeleteSecurityContext(&context);
    if (haveCredentials)
        FreeCredentialsHandle(&credentials);
}

void DTlsChannel::fail(const char* english)
{
    if (failureText.length() == 0)
        failureText = english;
    ended = true;
}

bool DTlsChannel::acquireCredentials()
{
    // TLS 1.2 and 1.3; a system that knows no 1.3 is asked for 1.2 alone. Older protocols
    // are never offered. The certificate is judged here, so SChannel is told not to.
    const DWORD protocolSets[] = {SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT,
                                  SP_PROT_TLS1_2_CLIENT};
    for (DWORD protocols : protocolSets) {
        SCHANNEL_CRED request;
        std::memset(&request, 0, sizeof request);
        request.dwVersion = SCHANNEL_CRED_VERSION;
        request.grbitEnabledProtocols = protocols;
        request.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
        TimeStamp expiry;
        SECURITY_STATUS status = AcquireCredentialsHandleW(
            nullptr, const_cast<SEC_WCHAR*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr,
            &request, nullptr, nullptr, &credentials, &expiry);
        if (status == SEC_E_OK) {
            haveCredentials = true;
            return true;
        }
    }
    return false;
}

bool DTlsChannel::sendAll(const char* data, int length)
{
    int done = 0;
    while (done < length) {
        int sent = transport.send(data + done, length - done);
        if (sent <= 0)
            return false;
        done += sent;
    }
    return true;
}

bool DTlsChannel::sendTokens(SecBufferDesc& output)
{
    SecBuffer& token = output.pBuffers[0];
    if (token.pvBuffer == nullptr || token.cbBuffer == 0)
        return true;
    return sendAll(static_cast<const char*>(token.pvBuffer), static_cast<int>(token.cbBuffer));
}

bool DTlsChannel::receiveMore(int milliseconds, int* got)
{
    *got = 0;
    if (stop.load()) {
        stopSeen = true;
        return false;
    }
    if (!transport.waitReadable(milliseconds))
        return true;  // nothing yet; the caller looks at the time and the stop flag
    if (stop.load()) {
        stopSeen = true;
        return false;
    }
    char buffer[16384];
    int received = transport.receive(buffer, sizeof buffer);
    if (received <= 0) {
        ended = true;
        return false;
    }
    pending.append(buffer, static_cast<size_t>(received));
    *got = received;
    return true;
}

bool DTlsChannel::handshake(int waitSliceMs, int limitMs, int silenceLimitMs)
{
    if (!acquireCredentials()) {
        fail(handshakeFailed);
        return false;
    }
    if (!negotiate(true, waitSliceMs, limitMs, silenceLimitMs))
        return false;
    if (QueryContextAttributesW(&context, SECPKG_ATTR_STREAM_SIZES, &sizes) != SEC_E_OK
        || sizes.cbMaximumMessage == 0) {
        fail(handshakeFailed);
        return false;
    }
    if (!checkCertificate())
        return false;
    ready = true;
    return true;
}

bool DTlsChannel::negotiate(bool initial, int waitSliceMs, int limitMs, int silenceLimitMs)
{
    ULONGLONG begin = GetTickCount64();
    ULONGLONG lastHeard = begin;
    int taken = 0;
    bool first = initial;
    // After the handshake SChannel is handed what came with the message (perhaps nothing)
    // at once: the server sends no more until the client speaks again.
    bool readFirst = false;
    while (true) {
        if (readFirst) {
            // Wait for more of the server's handshake, bounded in time and in bytes.
            int got = 0;
            while (got == 0) {
                ULONGLONG now = GetTickCount64();
                ULONGLONG spent = now - begin;
                ULONGLONG silent = now - lastHeard;
                if (silent >= static_cast<ULONGLONG>(silenceLimitMs)) {
                    fail(serverSilent);
                    return false;
                }
                if (spent >= static_cast<ULONGLONG>(limitMs)) {
                    fail(handshakeFailed);
                    return false;
                }
                ULONGLONG left = static_cast<ULONGLONG>(limitMs) - spent;
                ULONGLONG quiet = static_cast<ULONGLONG>(silenceLimitMs) - silent;
                if (quiet < left)
                    left = quiet;
                int wait = left < static_cast<ULONGLONG>(waitSliceMs) ? static_cast<int>(left)
                                                                      : waitSliceMs;
                if (!receiveMore(wait, &got)) {
                    if (!stopSeen)
                        fail(handshakeFailed);
                    return false;
                }
            }
            lastHeard = GetTickCount64();
            taken += got;
            if (taken > handshakeByteLimit || pending.size() > static_cast<size_t>(pendingLimit)) {
                fail(handshakeFailed);
                return false;
            }
        }
        readFirst = true;
        if (!plausibleRecordStart(pending)) {
            fail(handshakeFailed);
            return false;
        }
        if (stop.load()) {
            stopSeen = true;
            return false;
        }

        SecBuffer input[2];
        input[0].cbBuffer = static_cast<unsigned long>(pending.size());
        input[0].BufferType = SECBUFFER_TOKEN;
        input[0].pvBuffer = pending.empty() ? nullptr : &pending[0];
        input[1].cbBuffer = 0;
        input[1].BufferType = SECBUFFER_EMPTY;
        input[1].pvBuffer = nullptr;
        SecBufferDesc inputDescription = {SECBUFFER_VERSION, 2, input};
        OutputToken output;
        unsigned long attributes = 0;
        TimeStamp expiry;
        SECURITY_STATUS status = InitializeSecurityContextW(
            &credentials, first ? nullptr : &context,
            serverName.empty() ? nullptr : &serverName[0], contextFlags, 0, 0,
            first ? nullptr : &inputDescription, 0, first ? &context : nullptr,
            &output.description, &attributes, &expiry);
        if (first && (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED))
            haveContext = true;
        first = false;

        if (status == SEC_E_INCOMPLETE_MESSAGE)
            continue;  // the record is not complete: read more of it
        // An alert that tells the server why the handshake ends is sent as well.
        bool sent = sendTokens(output.description);
        if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED) {
            fail(handshakeError(status));
            return false;
        }
        if (!sent) {
            fail(handshakeFailed);
            return false;
        }
        // Bytes of the next message that came with this one stay for the next step.
        if (input[1].BufferType == SECBUFFER_EXTRA && input[1].cbBuffer > 0
            && input[1].cbBuffer <= pending.size())
            pending.erase(0, pending.size() - input[1].cbBuffer);
        else
            pending.clear();
        if (status == SEC_E_OK)
            return true;
        readFirst = pending.empty();
    }
}

bool DTlsChannel::checkCertificate()
{
    CertificateHold hold;
    if (QueryContextAttributesW(&context, SECPKG_ATTR_REMOTE_CERT_CONTEXT,
                                &hold.certificate) != SEC_E_OK
        || hold.certificate == nullptr) {
        fail(certificateFailed);
        return false;
    }
    hold.chain = buildChain(hold.certificate, true);
    if (hold.chain == nullptr) {
        fail(certificateFailed);
        return false;
    }
    // The chain's own findings first, so that an expired or unknown certificate is named as
    // such rather than by whatever the policy finds first.
    DWORD errors = hold.chain->TrustStatus.dwErrorStatus & ~revocationUnknown;
    if ((errors & CERT_TRUST_IS_NOT_TIME_VALID) != 0) {
        fail(certificateExpired);
        return false;
    }
    if ((errors & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN)) != 0) {
        fail(certificateUntrusted);
        return false;
    }
    if (errors != CERT_TRUST_NO_ERROR) {
        fail(certificateFailed);  // a revoked certificate among them
        return false;
    }

    HRESULT verdict = E_FAIL;
    if (!judgeChain(hold.chain, &verdict)) {
        fail(certificateFailed);
        return false;
    }
    if (verdict == CRYPT_E_NO_REVOCATION_CHECK || verdict == CRYPT_E_REVOCATION_OFFLINE
        || verdict == CERT_E_REVOCATION_FAILURE) {
        // The policy stopped at a revocation status that could not be had, before it came to
        // the name (some systems' policy does so even when told to ignore it). The chain
        // above showed no revocation: the policy judges a chain built without asking.
        CertificateHold plain;
        plain.chain = buildChain(hold.certificate, false);
        if (plain.chain == nullptr || !judgeChain(plain.chain, &verdict)) {
            fail(certificateFailed);
            return false;
        }
    }
    switch (verdict) {
    case S_OK:
        return true;
    case CERT_E_CN_NO_MATCH:
        if (namesAddress(hold.certificate, hostName))
            return true;
        fail(certificateWrongName);
        return false;
    case CERT_E_EXPIRED:
        fail(certificateExpired);
        return false;
    case CERT_E_UNTRUSTEDROOT:
    case CERT_E_CHAINING:
        fail(certificateUntrusted);
        return false;
    default:
        fail(certificateFailed);
        return false;
    }
}

PCCERT_CHAIN_CONTEXT DTlsChannel::buildChain(PCCERT_CONTEXT certificate, bool revocation) const
{
    LPSTR usages[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
    CERT_CHAIN_PARA request;
    std::memset(&request, 0, sizeof request);
    request.cbSize = sizeof request;
    request.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
    request.RequestedUsage.Usage.cUsageIdentifier = 1;
    request.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    // Missing issuers, revocation lists and answers are fetched for a bounded time in all,
    // so an unreachable address cannot hold the check.
    request.dwUrlRetrievalTimeout = chainFetchLimitMs;
    DWORD flags = CERT_CHAIN_REVOCATION_ACCUMULATIVE_TIMEOUT;
    if (revocation)
        flags |= CERT_CHAIN_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (!CertGetCertificateChain(nullptr, certificate, nullptr, certificate->hCertStore,
                                 &request, flags, nullptr, &chain))
        return nullptr;
    return chain;
}

bool DTlsChannel::judgeChain(PCCERT_CHAIN_CONTEXT chain, HRESULT* verdict) const
{
    // serverName is only read: the policy wants a writable pointer.
    std::wstring name = serverName;
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl;
    std::memset(&ssl, 0, sizeof ssl);
    ssl.cbStruct = sizeof ssl;
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.pwszServerName = name.empty() ? nullptr : &name[0];
    CERT_CHAIN_POLICY_PARA policy;
    std::memset(&policy, 0, sizeof policy);
    policy.cbSize = sizeof policy;
    policy.dwFlags = CERT_CHAIN_POLICY_IGNORE_ALL_REV_UNKNOWN_FLAGS;
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS status;
    std::memset(&status, 0, sizeof status);
    status.cbSize = sizeof status;
    if (name.empty() || !CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy,
                                                          &status))
        return false;
    *verdict = static_cast<HRESULT>(status.dwError);
    return true;
}

int DTlsChannel::send(const void* data, int length)
{
    if (!ready || ended || data == nullptr || length <= 0)
        return 0;
    const char* bytes = static_cast<const char*>(data);
    int done = 0;
    while (done < length) {
        int piece = length - done;
        if (piece > static_cast<int>(sizes.cbMaximumMessage))
            piece = static_cast<int>(sizes.cbMaximumMessage);
        std::vector<char> record(sizes.cbHeader + static_cast<size_t>(piece) + sizes.cbTrailer);
        std::memcpy(record.data() + sizes.cbHeader, bytes + done, static_cast<size_t>(piece));
        SecBuffer buffers[4];
        buffers[0] = {sizes.cbHeader, SECBUFFER_STREAM_HEADER, record.data()};
        buffers[1] = {static_cast<unsigned long>(piece), SECBUFFER_DATA,
                      record.data() + sizes.cbHeader};
        buffers[2] = {sizes.cbTrailer, SECBUFFER_STREAM_TRAILER,
                      record.data() + sizes.cbHeader + piece};
        buffers[3] = {0, SECBUFFER_EMPTY, nullptr};
        SecBufferDesc description = {SECBUFFER_VERSION, 4, buffers};
        if (EncryptMessage(&context, 0, &description, 0) != SEC_E_OK)
            return done;
        // Header, data and trailer lie one after the other; the trailer may be shorter.
        int total = static_cast<int>(buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
        if (!sendAll(record.data(), total))
            return done;
        done += piece;
    }
    return done;
}

bool DTlsChannel::decryptPending()
{
    if (pending.empty())
        return false;
    SecBuffer buffers[4];
    buffers[0] = {static_cast<unsigned long>(pending.size()), SECBUFFER_DATA, &pending[0]};
    for (int i = 1; i < 4; ++i)
        buffers[i] = {0, SECBUFFER_EMPTY, nullptr};
    SecBufferDesc description = {SECBUFFER_VERSION, 4, buffers};
    SECURITY_STATUS status = DecryptMessage(&context, &description, 0, nullptr);
    if (status == SEC_E_INCOMPLETE_MESSAGE)
        return false;
    if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE) {
        // The server's close_notify, or a record that does not decrypt: the stream ends.
        pending.clear();
        ended = true;
        return true;
    }
    std::string extra;
    for (const SecBuffer& buffer : buffers) {
        if (buffer.BufferType == SECBUFFER_DATA && buffer.cbBuffer > 0 && buffer.pvBuffer != nullptr)
            plain.append(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
        else if (buffer.BufferType == SECBUFFER_EXTRA && buffer.cbBuffer > 0 && buffer.pvBuffer != nullptr)
            extra.assign(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
    }
    pending.swap(extra);
    if (status == SEC_I_RENEGOTIATE) {
        ready = false;
        bool ok = renegotiate();
        ready = ok;
        if (!ok)
            ended = true;
    }
    return true;
}

bool DTlsChannel::renegotiate()
{
    // A handshake message after the handshake (a TLS 1.3 session ticket or key update, or a
    // TLS 1.2 renegotiation): SChannel takes it through a further handshake step. A new
    // handshake may bring another certificate and other record sizes: both are taken again,
    // and a certificate that fails now ends the stream like any failed check.
    if (!negotiate(false, readSliceMs, handshakeLimitMs, handshakeLimitMs))
        return false;
    SecPkgContext_StreamSizes renewed;
    std::memset(&renewed, 0, sizeof renewed);
    if (QueryContextAttributesW(&context, SECPKG_ATTR_STREAM_SIZES, &renewed) != SEC_E_OK
        || renewed.cbMaximumMessage == 0) {
        fail(handshakeFailed);
        return false;
    }
    sizes = renewed;
    return checkCertificate();
}

bool DTlsChannel::fill(int milliseconds)
{
    ULONGLONG begin = GetTickCount64();
    ULONGLONG limit = milliseconds >= 0 ? static_cast<ULONGLONG>(milliseconds) : 0;
    while (plain.empty() && !ended) {
        if (decryptPending())
            continue;
        if (pending.size() > static_cast<size_t>(pendingLimit)) {
            ended = true;
            break;
        }
        int wait = readSliceMs;
        if (milliseconds >= 0) {
            ULONGLONG spent = GetTickCount64() - begin;
            if (spent > limit)
                return false;
            if (limit - spent < static_cast<ULONGLONG>(wait))
                wait = static_cast<int>(limit - spent);
        }
        int got = 0;
        // A closed stream counts as readable (the receive then gives 0); a stop does not.
        if (!receiveMore(wait, &got))
            return ended;
        if (got == 0 && milliseconds >= 0 && GetTickCount64() - begin >= limit)
            return false;
    }
    return true;
}

bool DTlsChannel::waitReadable(int milliseconds)
{
    if (!ready || ended || !plain.empty())
        return true;
    return fill(milliseconds < 0 ? 0 : milliseconds);
}

int DTlsChannel::receive(char* buffer, int capacity)
{
    if (!ready || buffer == nullptr || capacity <= 0)
        return 0;
    if (plain.empty() && !ended)
        fill(-1);
    if (plain.empty())
        return 0;
    size_t n = plain.size() < static_cast<size_t>(capacity) ? plain.size()
                                                            : static_cast<size_t>(capacity);
    plain.copy(buffer, n);
    plain.erase(0, n);
    return static_cast<int>(n);
}
