#include "ZipArchive.h"

#include <unzip.h>

#include <cstring>

namespace zip {

namespace {

// minizip's file functions over a block of memory; the "file name" is the MemorySource.
voidpf ZCALLBACK OpenMemory(voidpf, const void* source, int) { return const_cast<void*>(source); }

template <typename Source>
uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* buffer, uLong size)
{
    auto* source = static_cast<Source*>(stream);
    const std::size_t left = source->length - source->position;
    const std::size_t count = size < left ? size : left;
    std::memcpy(buffer, source->data + source->position, count);
    source->position += count;
    return static_cast<uLong>(count);
}

uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong) { return 0; }

template <typename Source>
ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream) { return static_cast<Source*>(stream)->position; }

template <typename Source>
long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* source = static_cast<Source*>(stream);
    ZPOS64_T base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: base = 0; break;
    case ZLIB_FILEFUNC_SEEK_CUR: base = source->position; break;
    case ZLIB_FILEFUNC_SEEK_END: base = source->length; break;
    default: return -1;
    }
    if (offset > source->length - base)
        return -1;
    source->position = static_cast<std::size_t>(base + offset);
    return 0;
}

int ZCALLBACK CloseMemory(voidpf, voidpf) { return 0; }
int ZCALLBACK ErrorMemory(voidpf, voidpf) { return 0; }

}  // namespace

std::unique_ptr<ZipArchive> ZipArchive::OpenMemory(const void* data, std::size_t length)
{
    std::unique_ptr<ZipArchive> archive(new ZipArchive());
    archive->m_source = {static_cast<const std::uint8_t*>(data), data ? length : 0, 0};

    zlib_filefunc64_def functions = {};
    functions.zopen64_file = zip::OpenMemory;
    functions.zread_file = ReadMemory<MemorySource>;
    functions.zwrite_file = WriteMemory;
    functions.ztell64_file = TellMemory<MemorySource>;
    functions.zseek64_file = SeekMemory<MemorySource>;
    functions.zclose_file = CloseMemory;
    functions.zerror_file = ErrorMemory;
    archive->m_unzip = unzOpen2_64(&archive->m_source, &functions);
    if (!archive->m_unzip)
        return nullptr;

    unz_global_info64 global = {};
    if (unzGetGlobalInfo64(archive->m_unzip, &global) != UNZ_OK)
        return nullptr;
    archive->m_entryCount = static_cast<std::int32_t>(global.number_entry);
    return archive;
}

ZipArchive::~ZipArchive()
{
    if (m_unzip)
        unzClose(m_unzip);
}

std::uint32_t ZipArchive::MoveTo(std::int32_t index)
{
    if (index < m_currentIndex) {
        if (unzGoToFirstFile(m_unzip) != UNZ_OK)
            return kBadIndex;
        m_currentIndex = 0;
    }
    while (m_currentIndex < index) {
        if (unzGoToNextFile(m_unzip) != UNZ_OK)
            return kBadIndex;
        ++m_currentIndex;
    }
    return kOk;
}

std::uint32_t ZipArchive::ReadEntry(std::int32_t index, ArchiveEntry& entry)
{
    if (index < -1 || index >= m_entryCount)
        return kBadIndex;
    if (index >= 0 && index == m_lastIndex) {
        entry = m_lastEntry;
        return kOk;
    }
    if (index == -1) {
        entry = ArchiveEntry();
        entry.index = m_entryCount;
        return kOk;
    }
    if (const std::uint32_t moved = MoveTo(index))
        return moved;

    unz_file_info64 info = {};
    char storedName[kMaxStoredName + 2] = {};
    if (unzGetCurrentFileInfo64(m_unzip, &info, storedName, sizeof(storedName) - 1, nullptr, 0, nullptr, 0) !=
        UNZ_OK)
        return kBadLocalHeader;

    // Opening the raw data checks the local header against the directory record.
    int method = 0;
    int level = 0;
    if (unzOpenCurrentFile2(m_unzip, &method, &level, 1) != UNZ_OK)
        return kBadLocalHeader;
    std::vector<std::uint8_t> extra;
    const int extraLength = unzGetLocalExtrafield(m_unzip, nullptr, 0);
    bool extraRead = extraLength >= 0;
    if (extraLength > 0) {
        extra.resize(static_cast<std::size_t>(extraLength));
        extraRead = unzGetLocalExtrafield(m_unzip, extra.data(), static_cast<unsigned>(extra.size())) == extraLength;
    }
    unzCloseCurrentFile(m_unzip);
    if (!extraRead)
        return kBadExtraField;

    ArchiveEntry described;
    described.index = index;
    if (info.size_filename <= kMaxStoredName)
        described.name = CleanEntryName(Utf8ToWide(std::string(storedName, info.size_filename)));
    described.attributes = EntryAttributes(static_cast<std::uint32_t>(info.external_fa),
                                           static_cast<std::uint16_t>(info.version));
    described.compressedSize = static_cast<std::int32_t>(info.compressed_size);
    described.uncompressedSize = static_cast<std::int32_t>(info.uncompressed_size);
    described.dosDate = static_cast<std::uint16_t>(info.dosDate >> 16);
    described.dosTime = static_cast<std::uint16_t>(info.dosDate & 0xFFFF);
    described.extendedTimes = ReadExtendedTimestamp(extra.data(), extra.size());
    described.encrypted = (info.flag & 1) != 0;

    m_lastEntry = described;
    m_lastIndex = index;
    entry = described;
    return kOk;
}

std::uint32_t ZipArchive::ReadData(std::int32_t index,
                                   const std::function<bool(const std::uint8_t*, std::size_t)>& sink)
{
    ArchiveEntry entry;
    if (const std::uint32_t described = ReadEntry(index, entry))
        return described;
    if (const std::uint32_t moved = MoveTo(index))
        return moved;
    // minizip has no password check of its own: without a password an encrypted entry would
    // inflate into noise.
    if (entry.encrypted)
        return kEncrypted;
    if (unzOpenCurrentFile(m_unzip) != UNZ_OK)
        return kBadData;
    if (m_buffer.empty())
        m_buffer.resize(kTransferSize);

    std::uint32_t result = kBadData;
    for (;;) {
        const int count = unzReadCurrentFile(m_unzip, m_buffer.data(), static_cast<unsigned>(m_buffer.size()));
        if (count < 0)
            break;
        if (count > 0) {
            if (!sink(m_buffer.data(), static_cast<std::size_t>(count))) {
                result = kWriteFailed;
                break;
            }
            continue;
        }
        if (unzeof(m_unzip) == 1)
            result = kOk;
        break;
    }
    unzCloseCurrentFile(m_unzip);
    return result;
}

std::wstring Utf8ToWide(const std::string& text)
{
    std::wstring wide;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        std::uint32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        static const std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= kSmallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            wide += wchar_t(0xFFFD);
            ++i;
            continue;
        }
        if (code >= 0x10000 && sizeof(wchar_t) == 2) {
            code -= 0x10000;
            wide += wchar_t(0xD800 + (code >> 10));
            wide += wchar_t(0xDC00 + (code & 0x3FF));
        } else {
            wide += wchar_t(code);
        }
        i += static_cast<std::size_t>(length);
    }
    return wide;
}

}  // namespace zip
