// libFuzzer target: any bytes as an archive. Every entry is described and inflated; nothing may
// read out of bounds, leak or crash (run under AddressSanitizer).
#include "zip/ZipArchive.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::unique_ptr<zip::ZipArchive> archive = zip::ZipArchive::OpenMemory(data, size);
    if (!archive)
        return 0;
    // Bounded: a forged directory may claim far more entries than the input could hold.
    const std::int32_t count = archive->EntryCount() < 64 ? archive->EntryCount() : 64;
    std::size_t total = 0;
    for (std::int32_t i = -1; i < count; ++i) {
        zip::ArchiveEntry entry;
        archive->ReadEntry(i, entry);
        zip::StaysInsideTarget(entry.name);
        archive->ReadData(i, [&total](const std::uint8_t*, std::size_t piece) {
            total += piece;
            return total < (std::size_t(1) << 24);  // stop zip bombs at 16 MiB
        });
    }
    return 0;
}
