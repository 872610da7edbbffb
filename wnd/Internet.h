#pragma once
// HTTP GET over WinINet in the shape the self-update uses: a session, a URL opened in it, the
// answer's status, headers and body. Every failure of WinINet throws a SystemError with its code.

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <string>

namespace wnd {

// One opened address: the server's answer. Closed with the object.
class InternetFile {
public:
    explicit InternetFile(HINTERNET request) : m_request(request) {}
    InternetFile(const InternetFile&) = delete;
    InternetFile& operator=(const InternetFile&) = delete;
    ~InternetFile();

    DWORD StatusCode() const;

    // A response header as text (HTTP_QUERY_CONTENT_LENGTH, ...); empty when the answer has none.
    std::wstring QueryHeader(DWORD info) const;

    // Reads up to `bytes` bytes of the body; 0 at its end.
    DWORD Read(void* buffer, DWORD bytes);

private:
    HINTERNET m_request;
};

class InternetSession {
public:
    // The running executable's name as agent, the system's proxy settings.
    InternetSession();
    InternetSession(const InternetSession&) = delete;
    InternetSession& operator=(const InternetSession&) = delete;
    ~InternetSession();

    void SetConnectTimeout(DWORD milliseconds);

    // Sends a GET for the address with the given INTERNET_FLAG_* flags and no extra headers.
    std::unique_ptr<InternetFile> OpenUrl(const std::wstring& address, DWORD flags);

private:
    HINTERNET m_session;
};

}  // namespace wnd
