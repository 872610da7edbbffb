#pragma once
// Test archives written with minizip's zip writer, one member at a time with full control over
// the fields the reader interprets.

#include <cstdint>
#include <string>
#include <vector>

struct ArchiveMember {
    ArchiveMember(std::string name_, std::string data_, std::uint16_t madeBy_ = 0x0014,
                  std::uint32_t external_ = 0x20, std::vector<std::uint8_t> localExtra_ = {})
        : name(std::move(name_)), data(std::move(data_)), madeBy(madeBy_), external(external_),
          localExtra(std::move(localExtra_))
    {
    }
    std::string name;
    std::string data;
    std::uint16_t madeBy;    // default: host 0 (MS-DOS), version 2.0
    std::uint32_t external;  // default: the archive attribute
    std::vector<std::uint8_t> localExtra;
    // 2024-07-15 13:45:58
    std::uint32_t dosDateTime = (((2024 - 1980) << 9 | 7 << 5 | 15) << 16) | (13 << 11 | 45 << 5 | 29);
    const char* password = nullptr;
};

// Writes the archive through the scratch file `scratchPath` and answers its bytes.
std::string BuildArchive(const std::vector<ArchiveMember>& members, const std::string& scratchPath);
