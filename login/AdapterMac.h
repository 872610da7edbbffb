#pragma once
// The network adapter's hardware address, read through NetBIOS.

#include <windows.h>

#include <string>

// Writes the first adapter's address as 00-1A-2B-3C-4D-5E into `text` and answers 0, or answers
// the NetBIOS error code and leaves `text` empty.
UCHAR GetAdapterMac(std::string& text);
