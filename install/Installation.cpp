#include "Installation.h"

#include "VersionNumber.h"
#include "../app/CommandLine.h"
#include "../app/LocalPaths.h"
#include "../app/Settings.h"
#include "../res/resource.h"
#include "../update/FileVersion.h"
#include "../wnd/App.h"
#include "../wnd/Files.h"
#include "../wnd/Text.h"
#include "../zip/ZipReader.h"

#include <shlobj.h>
#include <shobjidl.h>

const wchar_t kRegistryWord[] = L"岚栖网澜岳";
const wchar_t kUninstallKeyParent[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

namespace {

void CreateFolderIfMissing(const std::wstring& path)
{
    if (!wnd::PathExists(path))
        ::CreateDirectoryW(path.c_str(), nullptr);
}

struct InstalledValues {
    std::wstring path, displayName, publisher, uninstallString;
};

void WriteUninstallEntry(const InstalledValues& values)
{
    const REGSAM access = KEY_ALL_ACCESS | KEY_WOW64_64KEY;
    HKEY parent = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKeyParent, 0, access, &parent) != ERROR_SUCCESS)
        return;
    HKEY key = nullptr;
    DWORD disposition = 0;
    // An existing entry is left as it is, even when the installed path has changed since.
    if (::RegCreateKeyExW(parent, kRegistryWord, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                          &disposition) == ERROR_SUCCESS &&
        key) {
        if (disposition == REG_CREATED_NEW_KEY) {
            const std::pair<const wchar_t*, const std::wstring*> entries[] = {
                {L"Path", &values.path}, {L"DisplayName", &values.displayName},
                {L"Publisher", &values.publisher}, {L"UninstallString", &values.uninstallString}};
            for (const auto& entry : entries) {
                const DWORD bytes = static_cast<DWORD>((entry.second->size() + 1) * sizeof(wchar_t));
                ::RegSetValueExW(key, entry.first, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.second->c_str()),
                                 bytes);
            }
        }
        ::RegCloseKey(key);
    }
    ::RegCloseKey(parent);
}

void WritePerUserRecord(const InstalledValues& values)
{
    wnd::App* app = wnd::App::Current();
    if (!app || app->GetProfileString(kRegistryWord, L"Path", L"no find!") == values.path)
        return;
    app->WriteProfileString(kRegistryWord, L"Path", values.path.c_str());
    app->WriteProfileString(kRegistryWord, L"DisplayName", values.displayName.c_str());
    app->WriteProfileString(kRegistryWord, L"Publisher", values.publisher.c_str());
    app->WriteProfileString(kRegistryWord, L"UninstallString", values.uninstallString.c_str());
}

}  // namespace

BOOL CreateShortcut(const wchar_t* target, const wchar_t* arguments, const wchar_t* folder, const wchar_t* linkName,
                    BOOL useUninstallIcon)
{
    if (!folder || !*folder)
        return FALSE;
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link))))
        return FALSE;
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        link->Release();
        return FALSE;
    }
    link->SetPath(target);
    link->SetArguments(arguments);
    link->SetDescription(L"");
    if (useUninstallIcon) {
        const std::wstring targetPath(target);
        const std::wstring icon = targetPath.substr(0, targetPath.find_last_of(L'\\')) + L"\\res\\uninstall.ico";
        link->SetIconLocation(icon.c_str(), 0);
    }
    link->SetShowCmd(SW_SHOWNORMAL);
    const std::wstring linkPath = wnd::FormatString(L"%s\\%s", folder, linkName);
    const BOOL saved = SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
    file->Release();
    link->Release();
    return saved;
}

void ExtractDefaultSettings(const std::wstring& dataFolder)
{
    const std::wstring res = dataFolder + L"\\res";
    if (ReadSetting(L"Setting", L"start", L"-1") == L"1001")
        return;
    CreateFolderIfMissing(res);

    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(IDR_DEFAULT_SETTINGS), L"ZIP");
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* block = loaded ? ::LockResource(loaded) : nullptr;
    DWORD result = 0;
    std::unique_ptr<ZipReader> reader =
        block ? ZipReader::OpenMemory(block, ::SizeofResource(module, resource), result) : nullptr;
    if (reader) {
        reader->SetTargetFolder(res.c_str());
        ZipEntryInfo count = {};
        reader->GetEntryInfo(-1, &count);
        for (int i = 0; i < count.index; ++i) {
            ZipEntryInfo member = {};
            if (reader->GetEntryInfo(i, &member) != zip::kOk)
                continue;
            // The user's settings are never overwritten; every other member is.
            if (lstrcmpW(member.name, L"systemset.ini") == 0 && wnd::PathExists(res + L"\\systemset.ini"))
                continue;
            reader->ExtractEntry(i, member.name);
        }
        reader->Close();
    }
    if (wnd::PathExists(res + L"\\data.zip"))
        ::DeleteFileW((res + L"\\data.zip").c_str());
    // Also after a broken archive, so that it is not retried on every start.
    WriteSetting(L"Setting", L"start", L"1001");
}

void SetUpInstallation()
{
    const std::wstring appData = GetAppDataFolder();
    const std::wstring running = wnd::RunningExecutablePath();
    if (appData.empty() || running.empty())
        return;

    const std::wstring publisherFolder = appData + L"\\" + wnd::LoadResourceString(IDS_PUBLISHER_CODE);
    CreateFolderIfMissing(publisherFolder);
    const std::wstring dataFolder = publisherFolder + L"\\" + wnd::LoadResourceString(IDS_GAME_CODE);
    CreateFolderIfMissing(dataFolder);
    ExtractDefaultSettings(dataFolder);

    const std::wstring installed = dataFolder + L"\\" + wnd::FileNameOf(running);
    if (installed.size() >= MAX_PATH)
        return;
    const std::wstring title = wnd::LoadResourceString(IDS_GAME_TITLE);

    wchar_t desktop[MAX_PATH] = {};
    if (GetDesktopFolder(desktop)) {
        const std::wstring name = wnd::FormatString(L"%s《%s》.lnk", wnd::LoadResourceString(IDS_PUBLISHER).c_str(),
                                                    title.c_str());
        if (!wnd::PathExists(std::wstring(desktop) + L"\\" + name))
            CreateShortcut(installed.c_str(), L"1", desktop, name.c_str(), FALSE);
    }

    wchar_t programs[MAX_PATH] = {};
    if (GetProgramsFolder(programs)) {
        const std::wstring publisherMenu = std::wstring(programs) + L"\\" + wnd::LoadResourceString(IDS_PUBLISHER_FOLDER);
        CreateFolderIfMissing(publisherMenu);
        const std::wstring startMenu = publisherMenu + L"\\" + title;
        CreateFolderIfMissing(startMenu);
        CreateShortcut(installed.c_str(), L"1", startMenu.c_str(), (title + L".lnk").c_str(), FALSE);
        CreateShortcut(installed.c_str(), L"-u", startMenu.c_str(),
                       (wnd::LoadResourceString(IDS_UNINSTALL_NAME) + L".lnk").c_str(), TRUE);
    }

    const std::int32_t installedVersion = VersionNumber(GetFileVersionString(installed));
    const std::int32_t runningVersion = VersionNumber(GetFileVersionString(running));

    const InstalledValues values = {installed, title, wnd::LoadResourceString(IDS_PUBLISHER), installed + L" -u"};
    WriteUninstallEntry(values);
    WritePerUserRecord(values);

    if (installedVersion != 0 && installedVersion >= runningVersion)
        return;
    ::CopyFileW(running.c_str(), installed.c_str(), FALSE);

    const std::wstring firstStart = ReadSetting(L"Start", L"firststart", L"0");
    if (ParseDecimalSaturated(firstStart) != 0)
        WriteSetting(L"Start", L"firststart", L"0");
}
