#include "UpdateCheck.h"

#include "FileVersion.h"
#include "UpdateLog.h"
#include "UpdateModule.h"
#include "UpdateRules.h"
#include "../app/LocalPaths.h"
#include "../res/resource.h"
#include "../wnd/Files.h"
#include "../wnd/Text.h"

void RunUpdateCheck()
{
    RunUpdateCheck(wnd::LoadResourceString(IDS_VERSION_SERVER), wnd::LoadResourceString(IDS_VERSION_SCRIPT));
}

void RunUpdateCheck(const std::wstring& baseAddress, const std::wstring& scriptPath)
{
    LimitUpdateLogSize(UpdateLogPath(GetDataFolder()));

    const std::wstring folderSuffix =
        wnd::LoadResourceString(IDS_UPDATE_FOLDER) + wnd::LoadResourceString(IDS_GAME_CODE) + L"\\";
    UpdateModule update;
    update.Init(wnd::LoadResourceString(IDS_UPDATE_TEMP_NAME), folderSuffix);

    const std::wstring version = GetFileVersionString(wnd::RunningExecutablePath());
    WriteUpdateLog(BuildCheckAddress(baseAddress, scriptPath, version));
    if (update.CheckVersion(baseAddress, scriptPath, version))
        update.Download(update.DownloadAddress());
}
