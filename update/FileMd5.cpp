#include "FileMd5.h"

#include "../wnd/Text.h"

#include <windows.h>
#include <wincrypt.h>

#include <vector>

bool FileMd5Hex(const std::wstring& path, std::wstring& output)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;

    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    bool hashed = ::CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
                  ::CryptCreateHash(provider, CALG_MD5, 0, 0, &hash);
    if (hashed) {
        // The executables are a few megabytes: one buffer and one read.
        const DWORD size = ::GetFileSize(file, nullptr);
        std::vector<BYTE> content(size == INVALID_FILE_SIZE ? 0 : size);
        DWORD read = 0;
        hashed = size != INVALID_FILE_SIZE &&
                 (content.empty() || ::ReadFile(file, content.data(), size, &read, nullptr)) &&
                 ::CryptHashData(hash, content.data(), read, 0);
    }
    ::CloseHandle(file);

    if (hashed) {
        DWORD length = 0;
        DWORD lengthSize = sizeof(length);
        hashed = ::CryptGetHashParam(hash, HP_HASHSIZE, reinterpret_cast<BYTE*>(&length), &lengthSize, 0) != FALSE;
        std::vector<BYTE> value(hashed ? length : 0);
        hashed = hashed && ::CryptGetHashParam(hash, HP_HASHVAL, value.data(), &length, 0);
        if (hashed) {
            for (DWORD i = 0; i < length; ++i)
                output += wnd::FormatString(L"%02x", value[i]);
        }
    }
    const bool destroyed = !hash || ::CryptDestroyHash(hash);
    const bool released = !provider || ::CryptReleaseContext(provider, 0);
    return hashed && destroyed && released;
}
