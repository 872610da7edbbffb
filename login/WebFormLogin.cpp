#include "WebFormLogin.h"

#include "update/UpdateCheck.h"

std::wstring g_strLastUrl;

HWND WebFormLogin::GetHostWindow()
{
    return m_hostWindow;
}

void WebFormLogin::OnBeforeNavigate(const std::wstring& address, VARIANT_BOOL* cancel)
{
    if (address.find(kGameAddressMarker) != std::wstring::npos && cancel)
        *cancel = VARIANT_TRUE;
    if (m_hostWindow) {
        g_strLastUrl = address;
        ::SendMessageW(m_hostWindow, WM_COMMAND, kLoginNavigatedCommand, 0);
    }
}

void WebFormLogin::OnDocumentComplete(const std::wstring&)
{
    StartVersionCheckOnce();
    MoveBrowser(Placement());
}

void WebFormLogin::OnNavigateError(const std::wstring&)
{
    StartVersionCheckOnce();
}

void WebFormLogin::StartVersionCheckOnce()
{
    if (m_updateStarted)
        return;
    // Marked before the check runs: a document event that arrives while it runs starts none.
    m_updateStarted = TRUE;
    RunVersionCheck();
}

void WebFormLogin::RunVersionCheck()
{
    RunUpdateCheck();
}

STDMETHODIMP WebFormLogin::GetExternal(IDispatch** external)
{
    if (!external)
        return E_POINTER;
    *external = nullptr;
    return S_OK;
}
