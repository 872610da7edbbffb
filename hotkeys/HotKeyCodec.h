#pragma once
// Turns the settings file's hot-key texts ("F10", "Ctrl+Shift+A") into the modifier flags and the
// virtual-key code that RegisterHotKey takes. Names are case-sensitive and never trimmed.
//
// The last '+'-separated part names the key, the parts before it may name modifiers. Two key names
// contain the separator themselves, "+" and "Num+": when a text ends in one of them, standing at
// the start of the text or right after a '+', that name is the key ("Ctrl++", "Ctrl+Num+", "Num+").

#include <cstdint>
#include <map>
#include <string>

class CHotKeyCodec {
public:
    using KeyNameTable = std::map<std::wstring, std::uint32_t>;

    // The values of MOD_ALT, MOD_CONTROL and MOD_SHIFT.
    static constexpr unsigned int kAlt = 0x1;
    static constexpr unsigned int kCtrl = 0x2;
    static constexpr unsigned int kShift = 0x4;

    CHotKeyCodec();

    // Always writes both outputs; a text that names nothing yields 0 and 0.
    void ParseHotKey(std::wstring text, unsigned int& modifiers, unsigned int& keyCode) const;

    const KeyNameTable& KeyNames() const { return m_keyNames; }

private:
    KeyNameTable m_keyNames;
};
