#include "Uninstall.h"

#include "Installation.h"
#include "../app/LocalPaths.h"
#include "../res/resource.h"
#include "../skin/CustomMessageBox.h"
#include "../wnd/Files.h"
#include "../wnd/Text.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace {

constexpr size_t kDeleteBufferCharacters = 256;
// The first stage may still be ending when the second one deletes its executable.
constexpr DWORD kDeleteRetryMilliseconds = 5000;

// A path built from the shell's folders; empty when it would not fit MAX_PATH, so that a cut path
// never names something else.
std::wstring FittingPath(const std::wstring& path)
{
    return path.size() < MAX_PATH ? path : std::wstring();
}

}  // namespace

BOOL DeletePath(const std::wstring& path)
{
    // The shell reads a list: names separated by one zero and ended by two.
    if (path.empty() || path.size() > kDeleteBufferCharacters - 2)
        return FALSE;
    std::vector<wchar_t> list(kDeleteBufferCharacters, L'\0');
    path.copy(list.data(), path.size());
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.data();
    // No progress, no question, and no error box either: nothing here may wait for a user.
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;
    return ::SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

void NotifyPathRemoved(std::wstring& path)
{
    ::SHChangeNotify(SHCNE_RMDIR | SHCNE_INTERRUPT, SHCNF_PATHW | SHCNF_FLUSH, path.c_str(), nullptr);
    const size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos)
        path.erase(slash);
    ::SHChangeNotify(SHCNE_UPDATEDIR | SHCNE_INTERRUPT, SHCNF_PATHW | SHCNF_FLUSH, path.c_str(), nullptr);
}

BOOL DeleteFolderAndNotify(const std::wstring& folder)
{
    // DeletePath refuses an empty path, which FittingPath gives for one that was too long.
    if (!DeletePath(folder))
        return FALSE;
    std::wstring notified = folder;
    NotifyPathRemoved(notified);
    return TRUE;
}

BOOL IsFolderEmpty(const std::wstring& folder)
{
    WIN32_FIND_DATAW found = {};
    HANDLE search = ::FindFirstFileW((folder + L"\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return TRUE;
    BOOL empty = TRUE;
    do {
        if (lstrcmpW(found.cFileName, L".") != 0 && lstrcmpW(found.cFileName, L"..") != 0)
            empty = FALSE;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return empty;
}

void RunUninstallConfirmation()
{
    CCustomMessageBox box;
    box.SetText(L"卸载", wnd::FormatString(L"您是否确认卸载《%s》？", wnd::LoadResourceString(IDS_GAME_TITLE).c_str()));
    if (box.DoModal() != IDOK)
        return;

    const std::wstring executable = wnd::RunningExecutablePath();
    const std::wstring appData = GetAppDataFolder();
    const std::wstring cache = appData + L"\\cache";
    if (!wnd::PathExists(cache))
        ::CreateDirectoryW(cache.c_str(), nullptr);
    const std::wstring copy = appData + wnd::LoadResourceString(IDS_UNINSTALL_TEMP);
    if (!executable.empty()) {
        ::CopyFileW(executable.c_str(), copy.c_str(), FALSE);
        std::wstring commandLine = L"-u " + executable;
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started = {};
        if (::CreateProcessW(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE,
                             nullptr, nullptr, &startup, &started)) {
            ::CloseHandle(started.hThread);
            ::CloseHandle(started.hProcess);
        }
    }

    HKEY parent = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKeyParent, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &parent) ==
        ERROR_SUCCESS) {
        ::RegDeleteKeyExW(parent, kRegistryWord, KEY_WOW64_64KEY, 0);
        ::RegCloseKey(parent);
    }
}

void RunUninstallRemoval(const std::wstring& executable)
{
    const std::wstring title = wnd::LoadResourceString(IDS_GAME_TITLE);
    const std::wstring uninstallName = wnd::LoadResourceString(IDS_UNINSTALL_NAME);
    const std::wstring publisherFolder = wnd::LoadResourceString(IDS_PUBLISHER_FOLDER);
    const std::wstring publisher = wnd::LoadResourceString(IDS_PUBLISHER);

    wchar_t desktop[MAX_PATH] = {};
    if (GetDesktopFolder(desktop))
        DeleteFolderAndNotify(FittingPath(wnd::FormatString(L"%s\\%s《%s》.lnk", desktop, publisher.c_str(), title.c_str())));

    wchar_t programs[MAX_PATH] = {};
    const BOOL havePrograms = GetProgramsFolder(programs);
    const std::wstring gameFolder =
        havePrograms ? FittingPath(wnd::FormatString(L"%s\\%s\\%s", programs, publisherFolder.c_str(), title.c_str()))
                     : std::wstring();
    if (!gameFolder.empty()) {
        DeleteFolderAndNotify(FittingPath(gameFolder + L"\\" + uninstallName + L".lnk"));
        DeleteFolderAndNotify(FittingPath(gameFolder + L"\\" + title + L".lnk"));
    }

    if (wnd::PathExists(executable)) {
        wnd::RetryWhileInUse(
            executable, kDeleteRetryMilliseconds,
            [](const std::wstring& path, void*) { return ::DeleteFileW(path.c_str()); }, nullptr);
    }
    // A path without a folder names no res folder: never the root of the current drive.
    const size_t slash = executable.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash > 0)
        DeleteFolderAndNotify(executable.substr(0, slash) + L"\\res");

    if (!gameFolder.empty() && IsFolderEmpty(gameFolder))
        DeleteFolderAndNotify(gameFolder);
    const std::wstring publisherPath =
        havePrograms ? FittingPath(wnd::FormatString(L"%s\\%s", programs, publisherFolder.c_str())) : std::wstring();
    if (!publisherPath.empty() && IsFolderEmpty(publisherPath))
        DeleteFolderAndNotify(publisherPath);
}
