#pragma once
// The login page's address rules, free of windows: where the adapter's hardware address goes in
// the publisher's base address, and how that hardware address is written.

#include <cstdint>
#include <string>

// Puts "mac/<hardwareAddress>/" into the base address: appended after a final "/", inserted before
// the last "?" of an address with a query, otherwise appended after a "/" of its own.
std::wstring BuildLoginUrl(const std::wstring& baseAddress, const std::wstring& hardwareAddress);

// A page address as one quoted command-line argument for a separate browser. A quote inside it is
// written %22, as in any URL, so that a page cannot add switches of its own to the command line.
std::wstring QuotedBrowserArgument(const std::wstring& address);

// The six bytes of an adapter address as upper-case hexadecimal pairs joined by hyphens,
// 00-1A-2B-3C-4D-5E.
std::string FormatHardwareAddress(const std::uint8_t (&address)[6]);
