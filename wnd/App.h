#pragma once
// The application object: one global instance per process, whose life is
//   construction -> InitInstance -> (message loop, only when InitInstance answers TRUE)
//   -> ExitInstance (its answer is the exit code) -> destruction at exit.
// It also keeps the per-user profile under HKEY_CURRENT_USER\Software\<key>\<application name>.

#include <windows.h>

#include <string>

namespace wnd {

class App {
public:
    App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    virtual ~App();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The message loop of the application: every message goes through WalkPreTranslateChain
    // first. Ends at WM_QUIT and remembers its code for ExitInstance.
    void Run();

    // The whole life after construction; what wWinMain returns.
    int Start();

    static App* Current();

    // The profile lives under HKEY_CURRENT_USER\Software\<key>\<application name>\<section>;
    // the application name is the executable's file name without extension.
    void SetRegistryKey(const wchar_t* key);
    std::wstring GetProfileString(const wchar_t* section, const wchar_t* entry,
                                  const wchar_t* defaultValue) const;
    BOOL WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value);
    std::wstring ProfileKeyPath(const wchar_t* section) const;

    const std::wstring& ApplicationName() const { return m_applicationName; }

private:
    std::wstring m_registryKey;
    std::wstring m_applicationName;
    int m_quitCode = 0;
};

}  // namespace wnd
