#include "UpdateModule.h"

#include "FileMd5.h"
#include "Handover.h"
#include "UpdateLog.h"
#include "UpdateRules.h"
#include "../app/LocalPaths.h"
#include "../wnd/Files.h"
#include "../wnd/Internet.h"
#include "../wnd/SystemError.h"
#include "../wnd/Text.h"

#include <algorithm>
#include <memory>

namespace {

// Both requests go to the server every time: a cached answer could hide a new version, a cached
// download could hand over a stale file.
constexpr DWORD kFreshFromServer = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;

constexpr DWORD kConnectTimeoutMilliseconds = 5000;
constexpr DWORD kDownloadChunkBytes = 1024;

// The temporary file's current size, opened as the download will write it. False when it cannot
// be opened for writing.
bool ReadStartingSize(const std::wstring& path, DWORD& size)
{
    wnd::FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return false;
    size = ::GetFileSize(file.Get(), nullptr);
    return size != INVALID_FILE_SIZE;
}

}  // namespace

void UpdateModule::Init(const std::wstring& temporaryName, const std::wstring& folderSuffix)
{
    *this = UpdateModule();
    const std::wstring appData = GetAppDataFolder();
    const std::wstring running = wnd::RunningExecutablePath();

    const std::wstring cacheFolder = appData + L"\\cache";
    if (!wnd::PathExists(cacheFolder))
        ::CreateDirectoryW(cacheFolder.c_str(), nullptr);
    m_temporaryFile = cacheFolder + temporaryName;
    if (wnd::PathExists(m_temporaryFile))
        ::DeleteFileW(m_temporaryFile.c_str());

    m_targetFile = appData + folderSuffix + wnd::FileNameOf(running);
    m_folderSuffix = folderSuffix;
}

void UpdateModule::BuildCheckUrl(const std::wstring& baseAddress, const std::wstring& scriptPath,
                                 const std::wstring& version)
{
    m_checkUrl = BuildCheckAddress(baseAddress, scriptPath, version);
}

std::wstring UpdateModule::FetchText()
{
    m_answerFilledBuffer = false;
    try {
        wnd::InternetSession session;
        session.SetConnectTimeout(kConnectTimeoutMilliseconds);
        std::unique_ptr<wnd::InternetFile> answer =
            session.OpenUrl(m_checkUrl, INTERNET_FLAG_TRANSFER_ASCII | kFreshFromServer);
        const DWORD status = answer->StatusCode();
        Log(wnd::FormatString(L"Http QueryInfoStatusCode:%ld", static_cast<long>(status)));
        if (status >= 400)
            return std::wstring();

        char buffer[kAnswerBufferBytes] = {};
        const DWORD read = answer->Read(buffer, sizeof(buffer));
        m_answerFilledBuffer = read == sizeof(buffer);
        // The answer ends at its first zero byte, as a terminated string does.
        int length = 0;
        while (static_cast<DWORD>(length) < read && buffer[length] != '\0')
            ++length;
        std::wstring text(static_cast<size_t>(length), L'\0');
        if (length > 0)
            text.resize(static_cast<size_t>(
                ::MultiByteToWideChar(CP_THREAD_ACP, 0, buffer, length, &text[0], length)));
        return text;
    } catch (const wnd::SystemError& error) {
        Log(L"Try Download File Exception");
        Log(error.Message());
        return std::wstring();
    }
}

bool UpdateModule::CheckVersion(const std::wstring& baseAddress, const std::wstring& scriptPath,
                                const std::wstring& version)
{
    BuildCheckUrl(baseAddress, scriptPath, version);
    const std::wstring answer = FetchText();
    Log(L"Server response check version msg:" + answer);
    if (AnswerNamesDownload(answer, m_answerFilledBuffer)) {
        m_downloadAddress = DownloadAddressOf(answer);
        return true;
    }
    Log(L"Finish Update.");
    Log(kUpdateLogClosingLine);
    return false;
}

void UpdateModule::Download(const std::wstring& address)
{
    Log(L"ExcuUpdate,URL=" + address);
    try {
        wnd::InternetSession session;
        DWORD announced = 0;
        DWORD startingSize = 0;
        DWORD received = 0;
        {
            std::unique_ptr<wnd::InternetFile> answer = session.OpenUrl(address, kFreshFromServer);
            const DWORD status = answer->StatusCode();
            Log(wnd::FormatString(L"Http QueryInfoStatusCode:%ld", static_cast<long>(status)));
            if (status >= 400)
                return;
            announced = AnnouncedLength(answer->QueryHeader(HTTP_QUERY_CONTENT_LENGTH));
            Log(wnd::FormatString(L"Content length:%ld", static_cast<long>(announced)));

            if (!ReadStartingSize(m_temporaryFile, startingSize))
                return;
            if (startingSize == announced) {
                Log(L"ERROR!Before download dwFileSize == dwToatlSize,exit");
                return;
            }
            // A temporary file that survived its deletion is appended to; the completion rule below
            // counts what it held.
            wnd::FileHandle file(::CreateFileW(m_temporaryFile.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
            if (!file || ::SetFilePointer(file.Get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER)
                return;
            char buffer[kDownloadChunkBytes];
            for (;;) {
                std::fill(buffer, buffer + sizeof(buffer), '\0');
                const DWORD read = answer->Read(buffer, sizeof(buffer));
                if (read == 0)
                    break;
                DWORD written = 0;
                if (!::WriteFile(file.Get(), buffer, read, &written, nullptr) || written != read)
                    wnd::ThrowLastError();
                received += read;
            }
        }
        if (DownloadComplete(startingSize, received, announced)) {
            Log(wnd::FormatString(L"Finish download,file size=%ld", static_cast<long>(announced)));
            std::wstring md5;
            FileMd5Hex(m_temporaryFile, md5);
            Log(wnd::FormatString(L"Finish download,file md5=%s", md5.c_str()));
            StartHandover(m_temporaryFile, m_targetFile);
        }
    } catch (const wnd::SystemError& error) {
        Log(L"Try Download File Exception");
        Log(error.Message());
    }
}

int UpdateModule::Log(const std::wstring& message)
{
    return AppendUpdateLogLine(LogFolder(), message);
}

std::wstring UpdateModule::LogFolder() const
{
    static const std::wstring folder = GetAppDataFolder() + m_folderSuffix + L"\\";
    return folder;
}
