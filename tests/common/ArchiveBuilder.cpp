#include "ArchiveBuilder.h"

#include <zip.h>

#include <cstdio>
#include <fstream>
#include <iterator>

std::string BuildArchive(const std::vector<ArchiveMember>& members, const std::string& scratchPath)
{
    zipFile writer = zipOpen64(scratchPath.c_str(), APPEND_STATUS_CREATE);
    if (!writer)
        return {};
    for (const ArchiveMember& m : members) {
        zip_fileinfo info = {};
        info.dosDate = m.dosDateTime;
        info.external_fa = m.external;
        const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), static_cast<uInt>(m.data.size()));
        zipOpenNewFileInZip4_64(writer, m.name.c_str(), &info, m.localExtra.data(),
                                static_cast<uInt>(m.localExtra.size()), nullptr, 0, nullptr, Z_DEFLATED,
                                Z_BEST_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, m.password,
                                crc, m.madeBy, 0, 0);
        zipWriteInFileInZip(writer, m.data.data(), static_cast<unsigned>(m.data.size()));
        zipCloseFileInZip(writer);
    }
    zipClose(writer, nullptr);
    std::ifstream file(scratchPath.c_str(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), {});
    file.close();
    std::remove(scratchPath.c_str());
    return bytes;
}
