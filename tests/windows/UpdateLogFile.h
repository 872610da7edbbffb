#pragma once
// Reading the update log and other small files back in the self-update's tests.

#include "app/LocalPaths.h"
#include "update/UpdateLog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::wstring LogPath()
{
    return UpdateLogPath(GetDataFolder());
}

// The data folder's res folder, where the log lives; the log writer itself never creates folders.
inline void PrepareDataFolderForLog()
{
    std::wstring folder = GetDataFolder();
    for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
        ::CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    ::CreateDirectoryW((folder + L"res").c_str(), nullptr);
}

inline std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

inline std::wstring Utf16Of(const std::string& bytes)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// The messages of the log's lines, in order, starting at byte `from`. A message with line breaks
// comes back whole: text lines without the time and tag in front continue the message before.
inline std::vector<std::wstring> ReadLogMessages(size_t from = 0)
{
    const std::wstring text = Utf16Of(ReadFileBytes(LogPath()).substr(from));
    const std::wstring tag = L" : \tUpdateModule\t";
    constexpr size_t kTimeLength = 19;  // "2026-12-11 15:21:27"
    std::vector<std::wstring> messages;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        const std::wstring piece = text.substr(start, end - start);
        const bool startsLine = piece.size() >= kTimeLength + tag.size() &&
                                piece.compare(kTimeLength, tag.size(), tag) == 0;
        if (startsLine)
            messages.push_back(piece.substr(kTimeLength + tag.size()));
        else if (messages.empty())
            messages.push_back(piece);
        else
            messages.back() += L"\r\n" + piece;
    }
    return messages;
}

// Each test starts without a log and leaves none behind.
class FreshUpdateLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareDataFolderForLog();
        ::DeleteFileW(LogPath().c_str());
    }
    void TearDown() override { ::DeleteFileW(LogPath().c_str()); }
};
