#pragma once
// The update object of one version check: it asks the version server whether a newer executable
// exists, downloads it into the cache folder and hands over to it. Every step is recorded in the
// update log; nothing is shown and no failure escapes.

#include <string>

class UpdateModule {
public:
    // Fills the paths from the temporary file's name ("\yvkolvtmp.exe") and the data folder's
    // suffix below the application-data folder ("\yarvo\kolv\"), creates the cache folder when it
    // is missing and deletes a temporary file left by an earlier update.
    void Init(const std::wstring& temporaryName, const std::wstring& folderSuffix);

    // Asks the server; true when its answer names a download, which DownloadAddress() then holds.
    bool CheckVersion(const std::wstring& baseAddress, const std::wstring& scriptPath, const std::wstring& version);

    void BuildCheckUrl(const std::wstring& baseAddress, const std::wstring& scriptPath, const std::wstring& version);

    // GET of the check address; the answer's first read in the thread's ANSI code page, empty on
    // any failure and for a status of 400 or higher.
    std::wstring FetchText();

    // Downloads the address into the temporary file and, when every announced byte arrived, hands
    // over to it: the process then ends. Returns when nothing was installed.
    void Download(const std::wstring& address);

    // One line of the update log, in the data folder this object was made for.
    int Log(const std::wstring& message);

    const std::wstring& CheckUrl() const { return m_checkUrl; }
    const std::wstring& TemporaryFile() const { return m_temporaryFile; }
    const std::wstring& TargetFile() const { return m_targetFile; }
    const std::wstring& DownloadAddress() const { return m_downloadAddress; }

private:
    // The log's folder: the application-data folder, the suffix and a backslash, fixed by the
    // first object of the process that logs.
    std::wstring LogFolder() const;

    std::wstring m_checkUrl;
    std::wstring m_temporaryFile;
    std::wstring m_targetFile;
    std::wstring m_folderSuffix;
    std::wstring m_downloadAddress;
    bool m_answerFilledBuffer = false;  // the last FetchText read a whole buffer: too long an answer
};
