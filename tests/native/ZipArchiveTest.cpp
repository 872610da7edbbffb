// The archive reader on archives the tests write themselves with minizip's zip writer.
#include "zip/ZipArchive.h"

#include "common/ArchiveBuilder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <random>

namespace {

using namespace zip;

using Member = ArchiveMember;

std::string BuildArchive(const std::vector<Member>& members)
{
    char path[] = "/tmp/radure-zip-XXXXXX";
    const int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    close(fd);
    return ::BuildArchive(members, path);
}

std::uint32_t ReadAll(ZipArchive& archive, std::int32_t index, std::string& out, std::size_t* largestPiece = nullptr)
{
    out.clear();
    return archive.ReadData(index, [&](const std::uint8_t* data, std::size_t size) {
        out.append(reinterpret_cast<const char*>(data), size);
        if (largestPiece && size > *largestPiece)
            *largestPiece = size;
        return true;
    });
}

class ZipArchiveTest : public ::testing::Test {
protected:
    void Open(const std::vector<Member>& members)
    {
        bytes = BuildArchive(members);
        archive = ZipArchive::OpenMemory(bytes.data(), bytes.size());
        ASSERT_NE(archive, nullptr);
    }
    std::string bytes;
    std::unique_ptr<ZipArchive> archive;
};

TEST_F(ZipArchiveTest, CountAndIndexRules)
{
    Open({{"systemset.ini", "[Info]\r\n"}, {"uninstall.ico", std::string(1150, '\x01')}});
    ArchiveEntry entry;
    entry.name = L"stale";
    ASSERT_EQ(archive->ReadEntry(-1, entry), kOk);
    EXPECT_EQ(entry.index, 2);
    EXPECT_EQ(entry.name, L"");
    EXPECT_EQ(entry.attributes, 0u);
    EXPECT_EQ(entry.uncompressedSize, 0);
    for (std::int32_t bad : {2, 3, -2, -100})
        EXPECT_EQ(archive->ReadEntry(bad, entry), kBadIndex) << bad;
    std::string data;
    EXPECT_EQ(ReadAll(*archive, 2, data), kBadIndex);
}

TEST_F(ZipArchiveTest, DescribesEntriesInAnyOrder)
{
    std::vector<std::uint8_t> timestamp = {'U', 'T', 5, 0, 0x01, 0x00, 0xF1, 0x53, 0x65};  // 0x6553F100
    Open({{"systemset.ini", std::string(160, 'a')},
          {"C:\\evil/../res/uninstall.ico", std::string(1150, 'b'), 0x0314, 0x81A40000, timestamp}});

    ArchiveEntry second;
    ASSERT_EQ(archive->ReadEntry(1, second), kOk);
    EXPECT_EQ(second.index, 1);
    EXPECT_EQ(second.name, L"res/uninstall.ico");
    EXPECT_EQ(second.attributes, kArchive);
    EXPECT_EQ(second.uncompressedSize, 1150);
    EXPECT_LT(second.compressedSize, 1150);
    EXPECT_EQ(second.extendedTimes.modification, UnixSecondsToFileTime(0x6553F100));
    EXPECT_FALSE(second.extendedTimes.access);

    ArchiveEntry first;
    ASSERT_EQ(archive->ReadEntry(0, first), kOk);  // backwards: from the first entry again
    EXPECT_EQ(first.name, L"systemset.ini");
    EXPECT_EQ(first.attributes, kArchive);
    EXPECT_EQ(first.uncompressedSize, 160);
    EXPECT_EQ(first.dosDate, (2024 - 1980) << 9 | 7 << 5 | 15);
    EXPECT_EQ(first.dosTime, 13 << 11 | 45 << 5 | 29);
    EXPECT_FALSE(first.extendedTimes.modification);

    ArchiveEntry again;
    ASSERT_EQ(archive->ReadEntry(0, again), kOk);
    EXPECT_EQ(again.name, first.name);
    EXPECT_EQ(again.uncompressedSize, first.uncompressedSize);
}

TEST_F(ZipArchiveTest, NamesAreUtf8AndOverlongOnesAreNotCut)
{
    Open({{u8"目录/澜岳.txt", "x"}, {std::string(259, 'n'), "y"}, {std::string(260, 'n'), "z"}});
    ArchiveEntry entry;
    ASSERT_EQ(archive->ReadEntry(0, entry), kOk);
    EXPECT_EQ(entry.name, L"目录/澜岳.txt");
    ASSERT_EQ(archive->ReadEntry(1, entry), kOk);
    EXPECT_EQ(entry.name, std::wstring(259, L'n'));
    ASSERT_EQ(archive->ReadEntry(2, entry), kOk);
    EXPECT_EQ(entry.name, L"");
}

TEST_F(ZipArchiveTest, InflatesInPiecesOfAtMostTheTransferSize)
{
    std::mt19937 random(7);
    std::string large(100000, '\0');
    for (char& c : large)
        c = static_cast<char>(random());
    Open({{"small.txt", "hello"}, {"large.bin", large}});
    std::string data;
    std::size_t largestPiece = 0;
    ASSERT_EQ(ReadAll(*archive, 1, data, &largestPiece), kOk);
    EXPECT_EQ(data, large);
    EXPECT_EQ(largestPiece, kTransferSize);
    ASSERT_EQ(ReadAll(*archive, 0, data), kOk);
    EXPECT_EQ(data, "hello");
}

TEST_F(ZipArchiveTest, EmptyEntryCompletesWithNoData)
{
    Open({{"empty.txt", ""}});
    std::string data = "x";
    EXPECT_EQ(ReadAll(*archive, 0, data), kOk);
    EXPECT_EQ(data, "");
}

TEST_F(ZipArchiveTest, SinkFailureIsAWriteFailure)
{
    Open({{"a.txt", "some data"}});
    EXPECT_EQ(archive->ReadData(0, [](const std::uint8_t*, std::size_t) { return false; }), kWriteFailed);
    std::string data;  // the archive stays usable
    EXPECT_EQ(ReadAll(*archive, 0, data), kOk);
}

TEST_F(ZipArchiveTest, EncryptedEntryIsRefused)
{
    Member secret{"secret.txt", "classified"};
    secret.password = "pw";
    Open({secret, {"plain.txt", "open"}});
    std::string data;
    EXPECT_EQ(ReadAll(*archive, 0, data), kEncrypted);
    EXPECT_EQ(data, "");
    EXPECT_EQ(ReadAll(*archive, 1, data), kOk);
    EXPECT_EQ(data, "open");
}

TEST(ZipArchiveOpenTest, RefusesWhatIsNoArchive)
{
    const std::string good = BuildArchive({{"a.txt", "abc"}});
    EXPECT_NE(ZipArchive::OpenMemory(good.data(), good.size()), nullptr);
    EXPECT_EQ(ZipArchive::OpenMemory(good.data(), good.size() / 2), nullptr);  // the directory is cut off
    EXPECT_EQ(ZipArchive::OpenMemory(good.data(), 0), nullptr);
    EXPECT_EQ(ZipArchive::OpenMemory(nullptr, 100), nullptr);
    const std::string noise(4096, '\x5A');
    EXPECT_EQ(ZipArchive::OpenMemory(noise.data(), noise.size()), nullptr);
}

TEST(ZipArchiveCorruptionTest, BadLocalHeaderAndBadData)
{
    std::string bytes = BuildArchive({{"a.txt", std::string(5000, 'q')}});
    // The local header's signature: the directory record no longer finds its header.
    std::string badHeader = bytes;
    badHeader[0] = 'X';
    auto archive = ZipArchive::OpenMemory(badHeader.data(), badHeader.size());
    ASSERT_NE(archive, nullptr);
    ArchiveEntry entry;
    EXPECT_EQ(archive->ReadEntry(0, entry), kBadLocalHeader);

    // A deflate block of the reserved type: inflating fails.
    std::string badData = bytes;
    const std::size_t dataStart = 30 + 5;  // local header and the name "a.txt", no extra field
    badData[dataStart] = '\xFF';
    archive = ZipArchive::OpenMemory(badData.data(), badData.size());
    ASSERT_NE(archive, nullptr);
    std::string data;
    EXPECT_EQ(ReadAll(*archive, 0, data), kBadData);
}

TEST(Utf8Test, DecodesAndReplacesMalformedBytes)
{
    EXPECT_EQ(Utf8ToWide(u8"a澜€"), L"a澜€");
    EXPECT_EQ(Utf8ToWide("\xFF" "a"), std::wstring(L"\xFFFD") + L"a");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\xFFFD\xFFFD");  // overlong '/'
    EXPECT_EQ(Utf8ToWide("\xE6\xBE"), L"\xFFFD\xFFFD");  // cut short
}

}  // namespace
