#pragma once
// The local reference server that CTest starts for this run (scripts/devserver), named in
// RADURE_DEVSERVER (a host folder with its port and its request log).

#include "UpdateLogFile.h"

#include <cstdlib>
#include <string>

// A file of the server's folder, seen from inside Wine through drive Z:.
inline std::wstring ServerFile(const wchar_t* name)
{
    const char* folder = std::getenv("RADURE_DEVSERVER");
    std::wstring path = L"Z:";
    for (const char* c = folder ? folder : ""; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path + L"\\" + name;
}

inline std::wstring ServerAddress()
{
    const std::string port = ReadFileBytes(ServerFile(L"port"));
    return L"http://127.0.0.1:" + std::to_wstring(std::atoi(port.c_str()));
}

// Every request the server has had so far, one JSON line each.
inline std::string ServerRequests()
{
    return ReadFileBytes(ServerFile(L"requests.log"));
}
