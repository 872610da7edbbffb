#include "zip/ZipEntryRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace zip;

struct NameCase {
    std::wstring stored;
    std::wstring cleaned;
    bool inside;  // may be written below the target folder
};

class CleanEntryNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(CleanEntryNameTest, CleansAndJudges)
{
    const std::wstring cleaned = CleanEntryName(GetParam().stored);
    EXPECT_EQ(cleaned, GetParam().cleaned);
    EXPECT_EQ(StaysInsideTarget(cleaned), GetParam().inside);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CleanEntryNameTest,
    ::testing::Values(
        NameCase{L"systemset.ini", L"systemset.ini", true},
        NameCase{L"a/b/c.txt", L"a/b/c.txt", true},
        NameCase{L"a\\b\\c.txt", L"a\\b\\c.txt", true},
        NameCase{L"C:\\Windows\\x.dll", L"Windows\\x.dll", true},
        NameCase{L"C:/x", L"x", true},
        NameCase{L"\\\\server\\share\\x", L"server\\share\\x", true},
        NameCase{L"/etc/passwd", L"etc/passwd", true},
        NameCase{L"dir/../file.txt", L"file.txt", true},
        NameCase{L"a\\..\\b\\..\\c", L"c", true},
        NameCase{L"a\\../b", L"b", true},
        NameCase{L"a/..\\b", L"b", true},
        NameCase{L"x/../C:\\y", L"y", true},          // each hit starts the rules again
        NameCase{L"x/..//../z", L"../z", false},      // the leading separator goes, the climb stays
        // What the rules leave that still climbs out: refused by the reader.
        NameCase{L"../evil.txt", L"../evil.txt", false},
        NameCase{L"..\\evil.txt", L"..\\evil.txt", false},
        NameCase{L"a/..", L"a/..", false},
        NameCase{L"..", L"..", false},
        NameCase{L"a:b", L"b", true},
        NameCase{L"ab:c", L"ab:c", false},
        NameCase{L"", L"", false},
        NameCase{L"/", L"", false},
        NameCase{L"..name/x", L"..name/x", true}));

struct AttributeCase {
    std::uint32_t external;
    std::uint16_t madeBy;
    std::uint32_t attributes;
};

class EntryAttributesTest : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(EntryAttributesTest, FollowTheHost)
{
    EXPECT_EQ(EntryAttributes(GetParam().external, GetParam().madeBy), GetParam().attributes);
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, EntryAttributesTest,
    ::testing::Values(
        AttributeCase{0x20, 0x0014, kArchive},                            // DOS, archive bit
        AttributeCase{0x27, 0x0014, kArchive | kReadOnly | kHidden | kSystem},
        AttributeCase{0x10, 0x0014, kDirectory},
        AttributeCase{0x00, 0x0714, 0},                                    // host 7
        AttributeCase{0x01, 0x0B14, kReadOnly},                            // host 11 (NTFS)
        AttributeCase{0x30, 0x0E14, kDirectory | kArchive},                // host 14 (VFAT)
        AttributeCase{0x81A40000, 0x0314, kArchive},                       // Unix rw-r--r--
        AttributeCase{0x81240000, 0x0314, kArchive | kReadOnly},           // Unix r--r--r--
        AttributeCase{0x41ED0010, 0x0314, kDirectory | kArchive},          // Unix drwxr-xr-x
        AttributeCase{0x00000027, 0x0314, kArchive | kReadOnly}));         // DOS bits ignored on Unix

TEST(DosTimeTest, DecodesTheBitFields)
{
    // 2024-07-15 13:45:58 as MS-DOS stores it.
    const std::uint16_t date = ((2024 - 1980) << 9) | (7 << 5) | 15;
    const std::uint16_t time = (13 << 11) | (45 << 5) | (58 / 2);
    const DosDateTime decoded = DecodeDosDateTime(date, time);
    EXPECT_EQ(decoded.year, 2024);
    EXPECT_EQ(decoded.month, 7);
    EXPECT_EQ(decoded.day, 15);
    EXPECT_EQ(decoded.hour, 13);
    EXPECT_EQ(decoded.minute, 45);
    EXPECT_EQ(decoded.second, 58);
}

TEST(FileTimeTest, CountsFrom1601)
{
    EXPECT_EQ(UnixSecondsToFileTime(0), 116444736000000000LL);
    EXPECT_EQ(UnixSecondsToFileTime(1), 116444736010000000LL);
    EXPECT_EQ(UnixSecondsToFileTime(-1), 116444735990000000LL);  // signed: before 1970
}

std::vector<std::uint8_t> Block(char a, char b, std::vector<std::uint8_t> data)
{
    std::vector<std::uint8_t> block = {std::uint8_t(a), std::uint8_t(b), std::uint8_t(data.size()),
                                       std::uint8_t(data.size() >> 8)};
    block.insert(block.end(), data.begin(), data.end());
    return block;
}

std::vector<std::uint8_t> Seconds(std::uint32_t value)
{
    return {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16), std::uint8_t(value >> 24)};
}

std::vector<std::uint8_t> Join(std::vector<std::vector<std::uint8_t>> parts)
{
    std::vector<std::uint8_t> joined;
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

TEST(ExtendedTimestampTest, ReadsTheFlaggedTimesInOrder)
{
    auto data = Join({{0x07}, Seconds(1000), Seconds(2000), Seconds(3000)});
    const auto field = Block('U', 'T', data);
    const ExtendedTimestamp times = ReadExtendedTimestamp(field.data(), field.size());
    EXPECT_EQ(times.modification, UnixSecondsToFileTime(1000));
    EXPECT_EQ(times.access, UnixSecondsToFileTime(2000));
    EXPECT_EQ(times.creation, UnixSecondsToFileTime(3000));
}

TEST(ExtendedTimestampTest, OnlyModificationWhenOnlyBitZero)
{
    const auto field = Block('U', 'T', Join({{0x01}, Seconds(1700000000)}));
    const ExtendedTimestamp times = ReadExtendedTimestamp(field.data(), field.size());
    EXPECT_EQ(times.modification, UnixSecondsToFileTime(1700000000));
    EXPECT_FALSE(times.access);
    EXPECT_FALSE(times.creation);
}

TEST(ExtendedTimestampTest, AccessFollowsModificationOnlyWhenBothAreThere)
{
    // Bit 1 alone: the access time is the first four bytes.
    const auto field = Block('U', 'T', Join({{0x02}, Seconds(42)}));
    const ExtendedTimestamp times = ReadExtendedTimestamp(field.data(), field.size());
    EXPECT_FALSE(times.modification);
    EXPECT_EQ(times.access, UnixSecondsToFileTime(42));
}

TEST(ExtendedTimestampTest, SkipsOtherBlocksFirst)
{
    const auto field = Join({Block('u', 'x', {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), Block('U', 'T', Join({{0x01}, Seconds(7)}))});
    EXPECT_EQ(ReadExtendedTimestamp(field.data(), field.size()).modification, UnixSecondsToFileTime(7));
}

TEST(ExtendedTimestampTest, ShortOrTruncatedFieldsGiveNothingUnsafe)
{
    const auto full = Block('U', 'T', Join({{0x07}, Seconds(1), Seconds(2), Seconds(3)}));
    for (std::size_t length = 0; length < full.size(); ++length) {
        const ExtendedTimestamp times = ReadExtendedTimestamp(full.data(), length);
        EXPECT_EQ(times.modification.has_value(), length >= 9) << length;
        EXPECT_EQ(times.access.has_value(), length >= 13) << length;
        EXPECT_FALSE(times.creation.has_value()) << length;
    }
    const std::vector<std::uint8_t> noTimestamp = {'x', 'y', 0xFF, 0x00, 'U', 'T', 1, 0};
    EXPECT_FALSE(ReadExtendedTimestamp(noTimestamp.data(), noTimestamp.size()).modification);
    EXPECT_FALSE(ReadExtendedTimestamp(nullptr, 10).modification);
}

}  // namespace
