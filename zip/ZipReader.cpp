#include "ZipReader.h"

#include "../wnd/Files.h"

namespace {

bool EndsWithSeparator(const std::wstring& path)
{
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

FILETIME ToFileTime(std::int64_t value)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFF);
    time.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(value) >> 32);
    return time;
}

// The DOS time is the packer's local time; the entry's times are UTC.
FILETIME DosTimeToUtc(std::uint16_t date, std::uint16_t time)
{
    const zip::DosDateTime dos = zip::DecodeDosDateTime(date, time);
    SYSTEMTIME local = {};
    local.wYear = static_cast<WORD>(dos.year);
    local.wMonth = static_cast<WORD>(dos.month);
    local.wDay = static_cast<WORD>(dos.day);
    local.wHour = static_cast<WORD>(dos.hour);
    local.wMinute = static_cast<WORD>(dos.minute);
    local.wSecond = static_cast<WORD>(dos.second);
    FILETIME localTime = {};
    FILETIME utc = {};
    ::SystemTimeToFileTime(&local, &localTime);
    ::LocalFileTimeToFileTime(&localTime, &utc);
    return utc;
}

}  // namespace

ZipReader::ZipReader(std::unique_ptr<zip::ZipArchive> archive) : m_archive(std::move(archive))
{
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    SetTargetFolder(current);
}

std::unique_ptr<ZipReader> ZipReader::OpenMemory(const void* data, size_t length, DWORD& result)
{
    std::unique_ptr<zip::ZipArchive> archive = zip::ZipArchive::OpenMemory(data, length);
    if (!archive) {
        result = zip::kCannotOpen;
        return nullptr;
    }
    result = zip::kOk;
    return std::unique_ptr<ZipReader>(new ZipReader(std::move(archive)));
}

DWORD ZipReader::SetTargetFolder(const wchar_t* folder)
{
    m_targetFolder = folder;
    if (!EndsWithSeparator(m_targetFolder))
        m_targetFolder += L'\\';
    return zip::kOk;
}

DWORD ZipReader::GetEntryInfo(int index, ZipEntryInfo* info)
{
    zip::ArchiveEntry entry;
    if (const DWORD result = m_archive->ReadEntry(index, entry))
        return result;
    *info = ZipEntryInfo();
    info->index = entry.index;
    lstrcpynW(info->name, entry.name.c_str(), MAX_PATH);
    info->attributes = entry.attributes;
    info->compressedSize = entry.compressedSize;
    info->uncompressedSize = entry.uncompressedSize;
    if (index == -1)
        return zip::kOk;

    const FILETIME dosTime = DosTimeToUtc(entry.dosDate, entry.dosTime);
    const zip::ExtendedTimestamp& extended = entry.extendedTimes;
    info->modificationTime = extended.modification ? ToFileTime(*extended.modification) : dosTime;
    info->accessTime = extended.access ? ToFileTime(*extended.access) : dosTime;
    info->creationTime = extended.creation ? ToFileTime(*extended.creation) : dosTime;
    return zip::kOk;
}

void ZipReader::MakeFolders(const std::wstring& folderPart) const
{
    if (!wnd::PathExists(m_targetFolder))
        ::CreateDirectoryW(m_targetFolder.c_str(), nullptr);
    // Each level in turn, outermost first; existing folders are left alone and a failure shows
    // up later as a file that cannot be created.
    for (size_t at = 0; at < folderPart.size(); ++at) {
        const bool levelEnds = folderPart[at] == L'\\' || folderPart[at] == L'/';
        if (!levelEnds && at + 1 != folderPart.size())
            continue;
        const std::wstring level = m_targetFolder + folderPart.substr(0, levelEnds ? at : at + 1);
        if (!wnd::PathExists(level))
            ::CreateDirectoryW(level.c_str(), nullptr);
    }
}

DWORD ZipReader::ExtractEntry(int index, const wchar_t* path)
{
    if (index < 0 || index >= m_archive->EntryCount())
        return zip::kBadIndex;
    ZipEntryInfo info;
    if (const DWORD result = GetEntryInfo(index, &info))
        return result;

    const std::wstring relative = path ? path : L"";
    if (!zip::StaysInsideTarget(relative) || m_targetFolder.size() + relative.size() >= MAX_PATH)
        return zip::kCannotOpen;

    if (info.attributes & zip::kDirectory) {
        MakeFolders(relative);
        return zip::kOk;
    }

    const size_t lastSeparator = relative.find_last_of(L"\\/");
    const std::wstring folderPart = lastSeparator == std::wstring::npos ? L"" : relative.substr(0, lastSeparator + 1);
    if (folderPart.size() == relative.size())
        return zip::kCannotOpen;  // no file name
    MakeFolders(folderPart);

    const std::wstring output = m_targetFolder + relative;
    const HANDLE file = ::CreateFileW(output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      info.attributes & ~zip::kDirectory, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return zip::kCannotOpen;

    DWORD result = m_archive->ReadData(index, [file](const std::uint8_t* data, std::size_t size) {
        DWORD written = 0;
        return ::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    });
    if (result == zip::kOk)
        ::SetFileTime(file, &info.creationTime, &info.accessTime, &info.modificationTime);
    ::CloseHandle(file);
    return result;
}

DWORD ZipReader::Close()
{
    m_archive.reset();
    return zip::kOk;
}
