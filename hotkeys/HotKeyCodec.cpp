#include "HotKeyCodec.h"

namespace {

const wchar_t* const kSeparatorKeyNames[] = {L"Num+", L"+"};

// Length of a key name containing '+' that ends the text as its own last part, or 0.
size_t TrailingSeparatorKeyLength(const std::wstring& text)
{
    for (const std::wstring name : kSeparatorKeyNames) {
        if (text.size() < name.size() || text.compare(text.size() - name.size(), name.size(), name) != 0)
            continue;
        const size_t start = text.size() - name.size();
        if (start == 0 || text[start - 1] == L'+')
            return name.size();
    }
    return 0;
}

unsigned int ModifierFlag(const std::wstring& token)
{
    if (token == L"Alt")
        return CHotKeyCodec::kAlt;
    if (token == L"Ctrl")
        return CHotKeyCodec::kCtrl;
    if (token == L"Shift")
        return CHotKeyCodec::kShift;
    return 0;
}

}  // namespace

CHotKeyCodec::CHotKeyCodec()
{
    const struct { const wchar_t* name; std::uint32_t code; } named[] = {
        {L"Shift", 0x10}, {L"Ctrl", 0x11}, {L"Alt", 0x12}, {L"Space", 0x20},
        {L"PageUp", 0x21}, {L"PageDown", 0x22}, {L"End", 0x23}, {L"Home", 0x24},
        {L"Left", 0x25}, {L"Up", 0x26}, {L"Right", 0x27}, {L"Down", 0x28},
        {L"Insert", 0x2D}, {L"Delete", 0x2E},
        {L"Num*", 0x6A}, {L"Num+", 0x6B}, {L"Num-", 0x6D}, {L"NumDel", 0x6E}, {L"Num/", 0x6F},
        {L";", 0xBA}, {L"+", 0xBB}, {L",", 0xBC}, {L"-", 0xBD}, {L".", 0xBE}, {L"/", 0xBF},
        {L"`", 0xC0}, {L"[", 0xDB}, {L"\\", 0xDC}, {L"]", 0xDD}, {L"'", 0xDE},
    };
    for (const auto& entry : named)
        m_keyNames.emplace(entry.name, entry.code);

    for (std::uint32_t i = 0; i < 10; ++i) {
        m_keyNames.emplace(std::wstring(1, wchar_t(L'0' + i)), 0x30 + i);
        m_keyNames.emplace(L"Num" + std::to_wstring(i), 0x60 + i);
    }
    for (std::uint32_t i = 0; i < 26; ++i)
        m_keyNames.emplace(std::wstring(1, wchar_t(L'A' + i)), 0x41 + i);
    for (std::uint32_t i = 0; i < 12; ++i)
        m_keyNames.emplace(L"F" + std::to_wstring(i + 1), 0x70 + i);
}

void CHotKeyCodec::ParseHotKey(std::wstring text, unsigned int& modifiers, unsigned int& keyCode) const
{
    modifiers = 0;
    keyCode = 0;

    const size_t separatorKeyLength = TrailingSeparatorKeyLength(text);
    std::wstring rest = text.substr(0, text.size() - separatorKeyLength);
    size_t plus;
    while (!rest.empty() && (plus = rest.find(L'+')) != std::wstring::npos) {
        modifiers |= ModifierFlag(rest.substr(0, plus));
        rest = rest.substr(plus + 1);
    }

    const std::wstring keyName = separatorKeyLength ? text.substr(text.size() - separatorKeyLength) : rest;
    const auto key = m_keyNames.find(keyName);
    if (key != m_keyNames.end())
        keyCode = key->second;
}
