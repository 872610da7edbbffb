#pragma once
// The login popup's browser site: reports every navigation of the login page to the popup, stops
// the one that carries the game address, runs the version check once, and shows the control in
// its placement rectangle whenever a document has loaded.

#include "WebBrowserBase.h"

#include <string>

// Sent (WM_COMMAND, synchronously) to the host window after every navigation attempt of the page,
// with the attempt's address in g_strLastUrl.
constexpr UINT kLoginNavigatedCommand = 10001;

// The marker of the page's navigation to the game: such an address is the game address.
constexpr wchar_t kGameAddressMarker[] = L"play_gamecode";

// The address of the last navigation the login page attempted, process-wide.
extern std::wstring g_strLastUrl;

class WebFormLogin : public CWebBrowserBase {
public:
    void SetHostWindow(HWND host) { m_hostWindow = host; }
    void ClearUpdateStarted() { m_updateStarted = FALSE; }
    bool UpdateStarted() const { return m_updateStarted != FALSE; }

    HWND GetHostWindow() override;
    void OnDocumentComplete(const std::wstring& address) override;
    void OnBeforeNavigate(const std::wstring& address, VARIANT_BOOL* cancel) override;
    // A control without an error page of its own never completes a document for a page that
    // failed, so the first failure starts the version check as the first document would; a
    // launcher whose login page cannot be shown can still update itself.
    void OnNavigateError(const std::wstring& address) override;

    // The page gets no external object from the host.
    STDMETHODIMP GetExternal(IDispatch** external) override;

protected:
    // The version check against the version server; synchronous, and the process ends inside it
    // when it hands over to a new executable.
    virtual void RunVersionCheck();

private:
    void StartVersionCheckOnce();

    HWND m_hostWindow = nullptr;
    BOOL m_updateStarted = FALSE;
};
