#pragma once
// The launcher's command-line grammar. The raw line (as GetCommandLineW gives it) is never split
// into arguments: the switches are told by its first and last two characters, and the child-window
// arguments are found by searching for their keywords. All keywords are case-sensitive.

#include <cstdint>
#include <string>

// The modes decided by the first and last two characters, in the order they are tested.
enum class LineSwitch {
    None,                   // no switch: the child-window arguments decide
    Handover,               // "-d <path>": finish a self-update
    UninstallConfirmation,  // the line ends with "-u"
    UninstallRemoval,       // "-u <path>" (and not ending with "-u")
};

LineSwitch ClassifyCommandLine(const std::wstring& line);

// The path of "-d <path>" and "-u <path>": the characters from the fourth on; the third
// (normally a blank) is skipped without being looked at.
std::wstring SwitchPath(const std::wstring& line);

struct ChildWindowArguments {
    std::int32_t frameWindow = 0;  // 0: not a child-window line
    std::wstring gameUrl;
};

// Reads `-frameWnd=<number> ... -gameurl=<address>`; the address runs to the end of the line.
ChildWindowArguments ParseChildWindowArguments(const std::wstring& line);

// Decimal reading in the manner of wcstol: leading white space, an optional sign, digits up to the
// first other character. No digits give 0; values outside the signed 32-bit range saturate.
std::int32_t ParseDecimalSaturated(const std::wstring& text);
