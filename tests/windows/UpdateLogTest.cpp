// The update log's bytes on disk and its size limit.
#include "update/UpdateLog.h"

#include "update/UpdateModule.h"
#include "app/LocalPaths.h"
#include "res/resource.h"
#include "wnd/Files.h"
#include "wnd/Text.h"
#include "UpdateLogFile.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using UpdateLogTest = FreshUpdateLogTest;

// A whole line as the file holds it: the time fields, the two tabs around the tag, CR LF.
const std::wregex kLinePattern(L"(\\d{4})-([ \\d]\\d)-([ \\d]\\d) ([ \\d]\\d):([ \\d]\\d):([ \\d]\\d) : "
                               L"\tUpdateModule\t([\\s\\S]*)\r\n");

TEST_F(UpdateLogTest, FirstLineCreatesTheFileWithoutByteOrderMark)
{
    SYSTEMTIME before = {};
    ::GetLocalTime(&before);
    ASSERT_EQ(WriteUpdateLog(L"first"), 0);

    const std::string bytes = ReadFileBytes(LogPath());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], '2');  // the year's first digit in UTF-16LE, no FF FE in front
    EXPECT_EQ(bytes[1], '\0');
    std::wsmatch line;
    const std::wstring text = Utf16Of(bytes);
    ASSERT_TRUE(std::regex_match(text, line, kLinePattern)) << text.c_str();
    EXPECT_EQ(line[7].str(), L"first");
    EXPECT_EQ(std::stoi(line[1].str()), before.wYear);
    EXPECT_EQ(std::stoi(line[2].str()), before.wMonth);
    // Numbers below ten are blank-padded, never zero-padded.
    for (int field = 2; field <= 6; ++field)
        EXPECT_NE(line[field].str()[0], L'0') << field;
}

TEST_F(UpdateLogTest, MessagesAreWrittenUnchanged)
{
    ASSERT_EQ(WriteUpdateLog(L""), 0);
    ASSERT_EQ(WriteUpdateLog(L"two\r\nlines"), 0);
    ASSERT_EQ(WriteUpdateLog(L"服务器"), 0);

    const std::wstring text = Utf16Of(ReadFileBytes(LogPath()));
    const std::wregex lineStart(L"\\d{4}-[ \\d]\\d-[ \\d]\\d [ \\d]\\d:[ \\d]\\d:[ \\d]\\d : \tUpdateModule\t");
    std::wsregex_iterator lines(text.begin(), text.end(), lineStart);
    std::vector<size_t> starts;
    for (; lines != std::wsregex_iterator(); ++lines)
        starts.push_back(static_cast<size_t>(lines->position()));
    ASSERT_EQ(starts.size(), 3u) << text.c_str();
    EXPECT_EQ(text.substr(starts[1] - 3, 3), L"\t\r\n");  // the empty message ends in the second tab
    EXPECT_EQ(text.substr(starts[2] - 12, 12), L"two\r\nlines\r\n");
    EXPECT_EQ(text.substr(text.size() - 5), L"服务器\r\n");
}

TEST_F(UpdateLogTest, BothWritersAppendIdenticalLinesToOneFile)
{
    const std::string earlier("A\0B\0", 4);  // what was there stays in front
    WriteFileBytes(LogPath(), earlier);
    ASSERT_EQ(WriteUpdateLog(L"from the driver"), 0);
    UpdateModule update;
    update.Init(wnd::LoadResourceString(IDS_UPDATE_TEMP_NAME),
                wnd::LoadResourceString(IDS_UPDATE_FOLDER) + wnd::LoadResourceString(IDS_GAME_CODE) + L"\\");
    ASSERT_EQ(update.Log(L"from the object"), 0);

    const std::string bytes = ReadFileBytes(LogPath());
    ASSERT_EQ(bytes.substr(0, 4), earlier);
    EXPECT_EQ(ReadLogMessages(4), (std::vector<std::wstring>{L"from the driver", L"from the object"}));
}

TEST_F(UpdateLogTest, LineIsLostWithoutFolderOrWhileTheFileIsHeld)
{
    const std::wstring noRes = GetDataFolder() + L"missing-folder\\";
    EXPECT_EQ(AppendUpdateLogLine(noRes, L"lost"), -1);
    EXPECT_FALSE(wnd::PathExists(noRes));

    ASSERT_EQ(WriteUpdateLog(L"kept"), 0);
    const std::string before = ReadFileBytes(LogPath());
    {
        wnd::FileHandle held(::CreateFileW(LogPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(WriteUpdateLog(L"lost"), -1);
    }
    EXPECT_EQ(ReadFileBytes(LogPath()), before);
}

TEST_F(UpdateLogTest, SizeLimitDeletesOnlyLargerLogs)
{
    const struct {
        DWORD size;
        bool stays;
    } cases[] = {{10485760, true}, {10485761, false}, {0, true}};
    for (const auto& c : cases) {
        {
            wnd::FileHandle file(::CreateFileW(LogPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(file);
            ::SetFilePointer(file.Get(), static_cast<LONG>(c.size), nullptr, FILE_BEGIN);
            ::SetEndOfFile(file.Get());
        }
        LimitUpdateLogSize(LogPath());
        EXPECT_EQ(wnd::PathExists(LogPath()), c.stays) << c.size;
    }
    EXPECT_NO_FATAL_FAILURE(LimitUpdateLogSize(GetDataFolder() + L"res\\no-such.log"));
}

}  // namespace
