// Extracting archive entries into real folders under Wine: attributes, times, folders, results.
#include "zip/ZipReader.h"

#include "common/ArchiveBuilder.h"
#include "TestFiles.h"

#include "wnd/Files.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>

namespace {

std::wstring TempFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

std::string ScratchPath()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "radure-archive.zip";
}

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::int64_t Ticks(const FILETIME& time)
{
    return (std::int64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// 2024-07-15 13:45:58 in China (UTC+8, the session's time zone) is 05:45:58 UTC.
std::int64_t DosTimeAsUtc()
{
    SYSTEMTIME utc = {2024, 7, 0, 15, 5, 45, 58, 0};
    FILETIME time;
    ::SystemTimeToFileTime(&utc, &time);
    return Ticks(time);
}

class ZipReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        target = TempFolder(L"radure-zip-target");
        RemoveTree(target);
    }
    void TearDown() override { RemoveTree(target); }

    void Open(const std::vector<ArchiveMember>& members)
    {
        bytes = BuildArchive(members, ScratchPath());
        DWORD result = 1;
        reader = ZipReader::OpenMemory(bytes.data(), bytes.size(), result);
        ASSERT_EQ(result, zip::kOk);
        ASSERT_NE(reader, nullptr);
        reader->SetTargetFolder(target.c_str());
    }

    std::wstring target;
    std::string bytes;
    std::unique_ptr<ZipReader> reader;
};

TEST_F(ZipReaderTest, ExtractsWithArchiveAttributeAndTheDosTimeAsLocalTime)
{
    Open({{"systemset.ini", std::string(160, 's')}, {"uninstall.ico", std::string(1150, 'i')}});
    ZipEntryInfo count;
    ASSERT_EQ(reader->GetEntryInfo(-1, &count), zip::kOk);
    ASSERT_EQ(count.index, 2);
    EXPECT_STREQ(count.name, L"");
    for (int i = 0; i < count.index; ++i) {
        ZipEntryInfo info;
        ASSERT_EQ(reader->GetEntryInfo(i, &info), zip::kOk);
        EXPECT_EQ(info.attributes, DWORD(FILE_ATTRIBUTE_ARCHIVE));
        EXPECT_EQ(Ticks(info.modificationTime), DosTimeAsUtc());
        EXPECT_EQ(Ticks(info.accessTime), DosTimeAsUtc());
        EXPECT_EQ(Ticks(info.creationTime), DosTimeAsUtc());
        ASSERT_EQ(reader->ExtractEntry(i, info.name), zip::kOk);

        const std::wstring path = target + L"\\" + info.name;
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
        EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE);
        EXPECT_EQ(Ticks(data.ftLastWriteTime), DosTimeAsUtc());
        EXPECT_EQ(data.nFileSizeLow, DWORD(info.uncompressedSize));
    }
    EXPECT_EQ(ReadBytes(target + L"\\systemset.ini"), std::string(160, 's'));
    ZipEntryInfo past;
    EXPECT_EQ(reader->GetEntryInfo(2, &past), zip::kBadIndex);
    EXPECT_EQ(reader->ExtractEntry(2, L"x"), zip::kBadIndex);
    EXPECT_EQ(reader->Close(), zip::kOk);
}

TEST_F(ZipReaderTest, ExtendedTimestampGivesTheModificationTimeOnly)
{
    const std::uint32_t seconds = 1700000000;  // 2023-11-14 22:13:20 UTC
    std::vector<std::uint8_t> timestamp = {'U', 'T', 5, 0, 0x01, std::uint8_t(seconds), std::uint8_t(seconds >> 8),
                                           std::uint8_t(seconds >> 16), std::uint8_t(seconds >> 24)};
    Open({{"stamped.txt", "t", 0x0314, 0x81A40000, timestamp}});
    ZipEntryInfo info;
    ASSERT_EQ(reader->GetEntryInfo(0, &info), zip::kOk);
    EXPECT_EQ(Ticks(info.modificationTime), std::int64_t(seconds) * 10000000 + 116444736000000000LL);
    EXPECT_EQ(Ticks(info.accessTime), DosTimeAsUtc());
    ASSERT_EQ(reader->ExtractEntry(0, info.name), zip::kOk);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(::GetFileAttributesExW((target + L"\\stamped.txt").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(Ticks(data.ftLastWriteTime), Ticks(info.modificationTime));
}

TEST_F(ZipReaderTest, DosAttributesReachTheFile)
{
    Open({{"hidden.txt", "h", 0x0014, 0x22}, {"readonly.txt", "r", 0x0014, 0x21}});
    ASSERT_EQ(reader->ExtractEntry(0, L"hidden.txt"), zip::kOk);
    ASSERT_EQ(reader->ExtractEntry(1, L"readonly.txt"), zip::kOk);
    EXPECT_TRUE(::GetFileAttributesW((target + L"\\hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    const std::wstring readOnly = target + L"\\readonly.txt";
    EXPECT_TRUE(::GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::SetFileAttributesW((target + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ZipReaderTest, MakesTwoFolderLevelsAndLeavesExistingOnes)
{
    Open({{"one/two/file.txt", "deep"}});
    ::CreateDirectoryW(target.c_str(), nullptr);
    ::CreateDirectoryW((target + L"\\one").c_str(), nullptr);
    std::ofstream((target + L"\\one\\keep.txt").c_str()) << "kept";
    ASSERT_EQ(reader->ExtractEntry(0, L"one/two/file.txt"), zip::kOk);
    EXPECT_EQ(ReadBytes(target + L"\\one\\two\\file.txt"), "deep");
    EXPECT_EQ(ReadBytes(target + L"\\one\\keep.txt"), "kept");
}

TEST_F(ZipReaderTest, ReplacesALargerExistingFile)
{
    Open({{"systemset.ini", "short"}});
    ::CreateDirectoryW(target.c_str(), nullptr);
    std::ofstream((target + L"\\systemset.ini").c_str()) << std::string(5000, 'L');
    ASSERT_EQ(reader->ExtractEntry(0, L"systemset.ini"), zip::kOk);
    EXPECT_EQ(ReadBytes(target + L"\\systemset.ini"), "short");
}

TEST_F(ZipReaderTest, RefusesPathsThatLeaveTheTargetOrDoNotFit)
{
    Open({{"../escape.txt", "x"}, {"ok.txt", "y"}});
    ZipEntryInfo info;
    ASSERT_EQ(reader->GetEntryInfo(0, &info), zip::kOk);
    EXPECT_STREQ(info.name, L"../escape.txt");
    const std::wstring longName(300, L'n');
    for (const std::wstring& path : {std::wstring(info.name), std::wstring(L"C:\\escape.txt"),
                                     std::wstring(L"\\escape.txt"), std::wstring(L"a\\..\\..\\escape.txt"), longName,
                                     std::wstring(L"folder\\")})
        EXPECT_EQ(reader->ExtractEntry(0, path.c_str()), zip::kCannotOpen);
    EXPECT_FALSE(wnd::PathExists(TempFolder(L"escape.txt")));
    EXPECT_FALSE(wnd::PathExists(L"C:\\escape.txt"));
    EXPECT_EQ(reader->ExtractEntry(1, L"ok.txt"), zip::kOk);
}

TEST_F(ZipReaderTest, WithoutTargetFolderFilesGoBelowTheCurrentDirectoryOfOpening)
{
    const std::wstring opened = TempFolder(L"radure-zip-target");
    ::CreateDirectoryW(opened.c_str(), nullptr);
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(opened.c_str());
    bytes = BuildArchive({{"here.txt", "h"}}, ScratchPath());
    DWORD result = 1;
    reader = ZipReader::OpenMemory(bytes.data(), bytes.size(), result);
    ::SetCurrentDirectoryW(previous);  // later changes do not move the target
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(reader->ExtractEntry(0, L"here.txt"), zip::kOk);
    EXPECT_EQ(ReadBytes(opened + L"\\here.txt"), "h");
}

TEST(ZipReaderOpenTest, NoArchiveGivesNoReader)
{
    const char noise[] = "this is not an archive at all";
    DWORD result = 0;
    EXPECT_EQ(ZipReader::OpenMemory(noise, sizeof(noise), result), nullptr);
    EXPECT_EQ(result, zip::kCannotOpen);
}

}  // namespace

namespace {

TEST(DefaultSettingsArchiveTest, HoldsTheSettingsAndTheUninstallIcon)
{
    const HRSRC resource = ::FindResourceW(nullptr, MAKEINTRESOURCEW(269), L"ZIP");
    ASSERT_NE(resource, nullptr);
    const void* data = ::LockResource(::LoadResource(nullptr, resource));
    DWORD result = 1;
    std::unique_ptr<ZipReader> reader = ZipReader::OpenMemory(data, ::SizeofResource(nullptr, resource), result);
    ASSERT_NE(reader, nullptr);

    ZipEntryInfo count;
    ASSERT_EQ(reader->GetEntryInfo(-1, &count), zip::kOk);
    ASSERT_EQ(count.index, 2);
    const struct { const wchar_t* name; int size; } expected[] = {{L"systemset.ini", 160}, {L"uninstall.ico", 1150}};
    const std::wstring target = TempFolder(L"radure-default-settings");
    reader->SetTargetFolder(target.c_str());
    for (int i = 0; i < 2; ++i) {
        ZipEntryInfo info;
        ASSERT_EQ(reader->GetEntryInfo(i, &info), zip::kOk);
        EXPECT_STREQ(info.name, expected[i].name);
        EXPECT_EQ(info.uncompressedSize, expected[i].size);
        EXPECT_LT(info.compressedSize, info.uncompressedSize);  // deflated
        EXPECT_EQ(info.attributes, DWORD(FILE_ATTRIBUTE_ARCHIVE));
        ASSERT_EQ(reader->ExtractEntry(i, info.name), zip::kOk);
    }
    const std::string settings = ReadBytes(target + L"\\systemset.ini");
    EXPECT_EQ(settings.size(), 160u);
    EXPECT_EQ(settings.rfind("[Start]\r\nfirststart=1\r\n"), 160u - 23);

    // The icon is a real 16 x 16 icon that the system can load.
    const HICON icon = static_cast<HICON>(::LoadImageW(nullptr, (target + L"\\uninstall.ico").c_str(), IMAGE_ICON, 16,
                                                       16, LR_LOADFROMFILE));
    EXPECT_NE(icon, nullptr);
    ::DestroyIcon(icon);
    ::DeleteFileW((target + L"\\systemset.ini").c_str());
    ::DeleteFileW((target + L"\\uninstall.ico").c_str());
    ::RemoveDirectoryW(target.c_str());
}

}  // namespace
