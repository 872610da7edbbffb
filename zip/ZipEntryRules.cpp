#include "ZipEntryRules.h"

namespace zip {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::uint32_t ReadLittleEndian(const std::uint8_t* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

std::wstring CleanEntryName(const std::wstring& stored)
{
    static const wchar_t* const kClimbs[] = {L"\\..\\", L"\\../", L"/../", L"/..\\"};
    size_t start = 0;
    for (;;) {
        const std::wstring rest = stored.substr(start);
        if (rest.size() > 1 && rest[1] == L':') {
            start += 2;
            continue;
        }
        if (!rest.empty() && IsSeparator(rest[0])) {
            start += 1;
            continue;
        }
        bool climbed = false;
        for (const wchar_t* climb : kClimbs) {
            const size_t at = rest.find(climb);
            if (at != std::wstring::npos) {
                start += at + 4;
                climbed = true;
                break;
            }
        }
        if (!climbed)
            return rest;
    }
}

bool StaysInsideTarget(const std::wstring& name)
{
    if (name.empty() || IsSeparator(name[0]) || name.find(L':') != std::wstring::npos)
        return false;
    size_t begin = 0;
    while (begin <= name.size()) {
        size_t end = begin;
        while (end < name.size() && !IsSeparator(name[end]))
            ++end;
        if (name.compare(begin, end - begin, L"..") == 0)
            return false;
        begin = end + 1;
    }
    return true;
}

std::uint32_t EntryAttributes(std::uint32_t externalAttributes, std::uint16_t versionMadeBy)
{
    bool directory = (externalAttributes & 0x40000000u) != 0;
    bool readOnly = (externalAttributes & 0x00800000u) == 0;
    bool hidden = false;
    bool system = false;
    bool archive = true;
    switch (versionMadeBy >> 8) {
    case 0: case 7: case 11: case 14:
        readOnly = (externalAttributes & 0x1) != 0;
        hidden = (externalAttributes & 0x2) != 0;
        system = (externalAttributes & 0x4) != 0;
        directory = (externalAttributes & 0x10) != 0;
        archive = (externalAttributes & 0x20) != 0;
        break;
    }
    return (directory ? kDirectory : 0) | (archive ? kArchive : 0) | (hidden ? kHidden : 0) |
           (readOnly ? kReadOnly : 0) | (system ? kSystem : 0);
}

DosDateTime DecodeDosDateTime(std::uint16_t date, std::uint16_t time)
{
    return {1980 + (date >> 9), (date >> 5) & 0xF, date & 0x1F, time >> 11, (time >> 5) & 0x3F, 2 * (time & 0x1F)};
}

std::int64_t UnixSecondsToFileTime(std::int32_t seconds)
{
    return std::int64_t(seconds) * 10000000 + 116444736000000000LL;
}

ExtendedTimestamp ReadExtendedTimestamp(const std::uint8_t* field, std::size_t length)
{
    ExtendedTimestamp times;
    if (!field || length < 5)
        return times;
    std::size_t block = 0;
    do {
        if (block + 4 > length)
            break;
        const std::uint32_t size = ReadLittleEndian(field + block + 2, 2);
        if (field[block] == 'U' && field[block + 1] == 'T') {
            if (block + 5 > length)
                break;
            const std::uint8_t flags = field[block + 4];
            std::size_t at = block + 5;
            std::optional<std::int64_t>* const slots[] = {&times.modification, &times.access, &times.creation};
            for (int bit = 0; bit < 3; ++bit) {
                if (!(flags & (1 << bit)))
                    continue;
                if (at + 4 > length)
                    break;
                *slots[bit] = UnixSecondsToFileTime(static_cast<std::int32_t>(ReadLittleEndian(field + at, 4)));
                at += 4;
            }
            break;
        }
        // Blocks are skipped by the low byte of their size: the timestamp block comes first in
        // the archives this reader is made for, and a misread skip can only miss it.
        block += 4 + (size & 0xFF);
    } while (block + 4 < length);
    return times;
}

}  // namespace zip
