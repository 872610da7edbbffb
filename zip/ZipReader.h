#pragma once
// Writes entries of an in-memory ZIP archive into a folder, with the entries' Windows attributes
// and times. The reading itself is ZipArchive's; the results are its codes (kOk, kCannotOpen...).

#include "ZipArchive.h"

#include <windows.h>

#include <memory>

struct ZipEntryInfo {
    int index;                 // or the number of entries, for index -1
    wchar_t name[MAX_PATH];    // the cleaned name
    DWORD attributes;
    FILETIME accessTime, creationTime, modificationTime;  // UTC
    int compressedSize, uncompressedSize;
};

class ZipReader {
public:
    // The reader over the caller's block (not copied; it must outlive the reader), with the
    // current directory as its target folder; null and kCannotOpen when there is no archive.
    static std::unique_ptr<ZipReader> OpenMemory(const void* data, size_t length, DWORD& result);

    DWORD SetTargetFolder(const wchar_t* folder);
    DWORD GetEntryInfo(int index, ZipEntryInfo* info);

    // Writes entry `index` to `path` below the target folder (directory entries make folders).
    // Paths that could leave the target folder ("..", a drive, a leading separator) or that do
    // not fit MAX_PATH are refused with kCannotOpen, and nothing is written.
    DWORD ExtractEntry(int index, const wchar_t* path);

    DWORD Close();

private:
    explicit ZipReader(std::unique_ptr<zip::ZipArchive> archive);
    void MakeFolders(const std::wstring& folderPart) const;

    std::unique_ptr<zip::ZipArchive> m_archive;
    std::wstring m_targetFolder;
};
