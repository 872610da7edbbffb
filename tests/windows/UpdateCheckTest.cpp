// The version check, the download and the hand-over's copy against the local reference server,
// which CTest starts for this run (scripts/devserver) and names in RADURE_DEVSERVER (a host path).
// The running executable is this test program: file version "2.0.0.1" and "2.0.0.2" in two
// translations, installed name windows_tests.exe.
#include "update/UpdateCheck.h"

#include "update/FileMd5.h"
#include "update/Handover.h"
#include "update/UpdateModule.h"
#include "app/LocalPaths.h"
#include "res/resource.h"
#include "wnd/Files.h"
#include "wnd/Text.h"
#include "wnd/Thread.h"
#include "DevServer.h"
#include "TestFiles.h"
#include "UpdateLogFile.h"

#include <gtest/gtest.h>

namespace {

// The base address under which the server gives the answer of that kind (devserver's /answer/).
std::wstring AnswerBase(const std::wstring& kind)
{
    return ServerAddress() + L"/answer/" + kind;
}

std::wstring Script()
{
    return wnd::LoadResourceString(IDS_VERSION_SCRIPT);
}

const wchar_t kVersion[] = L"2.0.0.12.0.0.2";

std::wstring CheckAddress(const std::wstring& base)
{
    return base + L"/" + Script() + kVersion;
}

std::wstring PayloadAddress(const std::wstring& mode)
{
    return ServerAddress() + L"/download/" + mode + L"/payload.bin";
}

std::wstring FolderSuffix()
{
    return wnd::LoadResourceString(IDS_UPDATE_FOLDER) + wnd::LoadResourceString(IDS_GAME_CODE) + L"\\";
}

std::wstring TemporaryFile()
{
    return GetAppDataFolder() + L"\\cache" + wnd::LoadResourceString(IDS_UPDATE_TEMP_NAME);
}

constexpr wchar_t kAnyText[] = L"<any text>";  // an expected message that may be any non-empty text

class UpdateCheckTest : public FreshUpdateLogTest {
protected:
    static void ExpectMessages(const std::vector<std::wstring>& expected)
    {
        const std::vector<std::wstring> actual = ReadLogMessages();
        ASSERT_EQ(actual.size(), expected.size()) << ::testing::PrintToString(actual);
        for (size_t i = 0; i < expected.size(); ++i) {
            if (expected[i] == kAnyText)
                EXPECT_FALSE(actual[i].empty()) << i;
            else
                EXPECT_EQ(actual[i], expected[i]) << i;
        }
    }
};

struct CheckCase {
    const char* name;
    std::wstring answerKind;    // the devserver's answer
    std::wstring downloadMode;  // how it serves the download that an update answer names
    std::vector<std::wstring> afterAddress;  // the messages after the check address; {URL}: the download's
};

class UpdateCheckCases : public UpdateCheckTest, public ::testing::WithParamInterface<CheckCase> {};

const std::wstring kStatus200 = L"Http QueryInfoStatusCode:200";
const std::wstring kAnswer = L"Server response check version msg:";
const std::wstring kFinish = L"Finish Update.";
const std::wstring kClosing = L"=====================";
const std::wstring kException = L"Try Download File Exception";

TEST_P(UpdateCheckCases, LogsEveryStepInOrder)
{
    const CheckCase& c = GetParam();
    const std::wstring base = AnswerBase(c.downloadMode.empty() ? c.answerKind : c.answerKind + L"/" + c.downloadMode);
    RunUpdateCheck(base, Script());

    std::vector<std::wstring> expected = {CheckAddress(base)};
    for (std::wstring message : c.afterAddress) {
        const size_t at = message.find(L"{URL}");
        if (at != std::wstring::npos)
            message.replace(at, 5, PayloadAddress(c.downloadMode));
        expected.push_back(message);
    }
    ExpectMessages(expected);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UpdateCheckCases,
    ::testing::Values(
        CheckCase{"NoUpdate", L"none", L"", {kStatus200, kAnswer + L"-1", kFinish, kClosing}},
        CheckCase{"FiveCharacters", L"five", L"", {kStatus200, kAnswer + L"12345", kFinish, kClosing}},
        CheckCase{"BlanksAroundMinusOne", L"padded", L"", {kStatus200, kAnswer + L"  -1  ", kFinish, kClosing}},
        CheckCase{"EmptyBody", L"empty", L"", {kStatus200, kAnswer, kFinish, kClosing}},
        CheckCase{"Status404", L"404", L"", {L"Http QueryInfoStatusCode:404", kAnswer, kFinish, kClosing}},
        // Six digits name a download; the address is no URL, so the request fails.
        CheckCase{"SixDigits",
                  L"six-digits",
                  L"",
                  {kStatus200, kAnswer + L"123456", L"ExcuUpdate,URL=123456", kException, kAnyText}},
        CheckCase{"ChunkedWithoutLength",
                  L"update",
                  L"chunked",
                  {kStatus200, kAnswer + L"{URL}", L"ExcuUpdate,URL={URL}", kStatus200, L"Content length:0",
                   L"ERROR!Before download dwFileSize == dwToatlSize,exit"}},
        CheckCase{"OneByteShort",
                  L"update",
                  L"short",
                  {kStatus200, kAnswer + L"{URL}", L"ExcuUpdate,URL={URL}", kStatus200, L"Content length:300000"}},
        CheckCase{"ConnectionDroppedHalfway",
                  L"update",
                  L"drop",
                  {kStatus200, kAnswer + L"{URL}", L"ExcuUpdate,URL={URL}", kStatus200, L"Content length:300000"}},
        CheckCase{"DownloadMissing",
                  L"update",
                  L"404",
                  {kStatus200, kAnswer + L"{URL}", L"ExcuUpdate,URL={URL}", L"Http QueryInfoStatusCode:404"}}),
    [](const ::testing::TestParamInfo<CheckCase>& param) { return std::string(param.param.name); });

TEST_F(UpdateCheckTest, HostThatDoesNotResolve)
{
    const std::wstring base = L"http://no-such-host.invalid";
    RunUpdateCheck(base, Script());
    ExpectMessages({CheckAddress(base), kException, kAnyText, kAnswer, kFinish, kClosing});
    // The error text is the system's message for the WinINet code, as long as the log allows.
    const std::wstring text = ReadLogMessages()[2];
    EXPECT_LE(text.size(), 254u);
    EXPECT_EQ(text.find(L"System error"), std::wstring::npos) << text.c_str();
}

TEST_F(UpdateCheckTest, OverlongAnswerIsNoUpdate)
{
    const std::wstring base = AnswerBase(L"overlong");
    RunUpdateCheck(base, Script());
    const std::vector<std::wstring> messages = ReadLogMessages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[2].substr(0, kAnswer.size()), kAnswer);
    EXPECT_EQ(messages[2].size(), kAnswer.size() + 1024);  // the one read fills the whole buffer
    EXPECT_EQ(messages[3], kFinish);
    EXPECT_EQ(messages[4], kClosing);
}

TEST_F(UpdateCheckTest, RequestCarriesTheVersionOfEveryTranslation)
{
    RunUpdateCheck(AnswerBase(L"none"), Script());
    const std::string requests = ServerRequests();
    EXPECT_NE(requests.find("\"path\": \"/answer/none/getClientVersion.php\", \"query\": "
                            "\"p=yarvo&g=kolv&v=2.0.0.12.0.0.2\""),
              std::string::npos);
}

TEST_F(UpdateCheckTest, CheckStartsByDeletingALogPastTheLimit)
{
    {
        wnd::FileHandle file(::CreateFileW(LogPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        ::SetFilePointer(file.Get(), 10485761, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file.Get());
    }
    RunUpdateCheck(AnswerBase(L"none"), Script());
    EXPECT_EQ(ReadLogMessages().size(), 5u);
}

// A complete download hands over and ends the process, so it runs in a child process of its own.
// The served file is no executable: the start fails and the process ends all the same, with 0.
TEST_F(UpdateCheckTest, CompleteDownloadLogsSizeAndMd5ThenEnds)
{
    EXPECT_EXIT(RunUpdateCheck(AnswerBase(L"update/normal"), Script()), ::testing::ExitedWithCode(0), "");

    const std::string md5 = ReadFileBytes(ServerFile(L"payload.md5"));
    ASSERT_EQ(md5.size(), 32u);
    const std::vector<std::wstring> messages = ReadLogMessages();
    ASSERT_EQ(messages.size(), 8u) << ::testing::PrintToString(messages);
    EXPECT_EQ(messages[3], L"ExcuUpdate,URL=" + PayloadAddress(L"normal"));
    EXPECT_EQ(messages[4], kStatus200);
    EXPECT_EQ(messages[5], L"Content length:300000");
    EXPECT_EQ(messages[6], L"Finish download,file size=300000");
    EXPECT_EQ(messages[7], L"Finish download,file md5=" + std::wstring(md5.begin(), md5.end()));
    EXPECT_EQ(ReadFileBytes(TemporaryFile()), ReadFileBytes(ServerFile(L"payload.bin")));
}

TEST_F(UpdateCheckTest, InitPreparesTheCacheAndNamesTheTarget)
{
    const std::wstring cache = GetAppDataFolder() + L"\\cache";
    RemoveTree(cache);
    UpdateModule update;
    update.Init(wnd::LoadResourceString(IDS_UPDATE_TEMP_NAME), FolderSuffix());
    EXPECT_TRUE(wnd::PathExists(cache));
    EXPECT_EQ(update.TemporaryFile(), TemporaryFile());
    EXPECT_EQ(update.TargetFile(), GetAppDataFolder() + L"\\yarvo\\kolv\\windows_tests.exe");

    WriteFileBytes(TemporaryFile(), "left by an earlier update");
    update.Init(wnd::LoadResourceString(IDS_UPDATE_TEMP_NAME), FolderSuffix());
    EXPECT_FALSE(wnd::PathExists(TemporaryFile()));
}

TEST(FileMd5Test, DigestsOfKnownFiles)
{
    const std::wstring path = GetAppDataFolder() + L"\\md5-test.bin";
    const struct {
        std::string content;
        std::wstring digest;
    } cases[] = {{"", L"d41d8cd98f00b204e9800998ecf8427e"},
                 {"abc", L"900150983cd24fb0d6963f7d28e17f72"},
                 {std::string(1000000, 'a'), L"7707d6ae4e027c70eea2a935c2296f21"}};
    for (const auto& c : cases) {
        WriteFileBytes(path, c.content);
        std::wstring digest = L"kept:";
        EXPECT_TRUE(FileMd5Hex(path, digest));
        EXPECT_EQ(digest, L"kept:" + c.digest);
    }
    ::DeleteFileW(path.c_str());

    std::wstring untouched = L"x";
    EXPECT_FALSE(FileMd5Hex(L"C:\\no\\such\\file", untouched));
    EXPECT_EQ(untouched, L"x");
}

class HandoverCopyTest : public UpdateCheckTest {
protected:
    void SetUp() override
    {
        UpdateCheckTest::SetUp();
        m_folder = GetAppDataFolder() + L"\\handover test";
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        m_source = m_folder + L"\\new.exe";
        m_target = m_folder + L"\\installed copy.exe";
        WriteFileBytes(m_source, "new version");
        WriteFileBytes(m_target, "old version");
    }
    void TearDown() override
    {
        RemoveTree(m_folder);
        UpdateCheckTest::TearDown();
    }
    std::wstring m_folder, m_source, m_target;
};

TEST_F(HandoverCopyTest, TargetInUseIsRetriedUntilReleased)
{
    HANDLE held = ::CreateFileW(m_target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // The old launcher ends a moment after the new one has started.
    wnd::StartThread([held] {
        ::Sleep(1000);
        ::CloseHandle(held);
    });
    EXPECT_EQ(CopyOverTarget(m_source, m_target), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadFileBytes(m_target), "new version");
}

// A target that stays in use past the retries, or that cannot be written at all, keeps its old
// content and the failure is logged with the system's code. (A read-only target is no such case
// here: the tests run as root, for whom Wine enforces no read-only attribute.)
TEST_F(HandoverCopyTest, FailedCopyIsLoggedWithTheSystemCode)
{
    const struct {
        const char* situation;
        bool held;
        std::wstring target;
        long code;
    } cases[] = {{"target held open", true, m_target, ERROR_SHARING_VIOLATION},
                 {"folder missing", false, m_folder + L"\\missing\\Radure_YV.exe", ERROR_PATH_NOT_FOUND}};
    for (const auto& c : cases) {
        ::DeleteFileW(LogPath().c_str());
        wnd::FileHandle held(c.held ? ::CreateFileW(m_target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr)
                                    : INVALID_HANDLE_VALUE);
        ASSERT_EQ(static_cast<bool>(held), c.held);
        CompleteHandover(c.target);  // returns: the copy failed
        EXPECT_EQ(ReadLogMessages(), (std::vector<std::wstring>{wnd::FormatString(L"Update failure.Error Code:%ld",
                                                                                  c.code),
                                                                kClosing}))
            << c.situation;
    }
    EXPECT_EQ(ReadFileBytes(m_target), "old version");
}

}  // namespace
