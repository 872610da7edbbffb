#include "Internet.h"

#include "Files.h"
#include "SystemError.h"

#include <vector>

namespace wnd {

InternetFile::~InternetFile()
{
    ::InternetCloseHandle(m_request);
}

DWORD InternetFile::StatusCode() const
{
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::HttpQueryInfoW(m_request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        ThrowLastError();
    return status;
}

std::wstring InternetFile::QueryHeader(DWORD info) const
{
    DWORD size = 0;
    if (::HttpQueryInfoW(m_request, info, nullptr, &size, nullptr) ||
        ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return std::wstring();
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1);
    if (!::HttpQueryInfoW(m_request, info, text.data(), &size, nullptr))
        return std::wstring();
    return std::wstring(text.data(), size / sizeof(wchar_t));
}

DWORD InternetFile::Read(void* buffer, DWORD bytes)
{
    DWORD read = 0;
    if (!::InternetReadFile(m_request, buffer, bytes, &read))
        ThrowLastError();
    return read;
}

InternetSession::InternetSession()
    : m_session(::InternetOpenW(ExecutableBaseName().c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0))
{
    if (!m_session)
        ThrowLastError();
}

InternetSession::~InternetSession()
{
    ::InternetCloseHandle(m_session);
}

void InternetSession::SetConnectTimeout(DWORD milliseconds)
{
    if (!::InternetSetOptionW(m_session, INTERNET_OPTION_CONNECT_TIMEOUT, &milliseconds, sizeof(milliseconds)))
        ThrowLastError();
}

std::unique_ptr<InternetFile> InternetSession::OpenUrl(const std::wstring& address, DWORD flags)
{
    HINTERNET request = ::InternetOpenUrlW(m_session, address.c_str(), nullptr, 0, flags, 1);
    if (!request)
        ThrowLastError();
    return std::make_unique<InternetFile>(request);
}

}  // namespace wnd
