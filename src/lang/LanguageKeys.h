#pragma once
// The 32-bit keys under which language files hold texts. The high 16 bits say
// what kind of text it is and where it belongs, the low 16 bits which one:
//   string-table text s                 0xC000 << 16 | s
//   dialog d, control c (0: the title)  (0x8000 + (d & 0x3FFF)) << 16 | c
//   property page d, its tab title      (0x8000 + (d & 0x3FFF)) << 16
//   menu m, item with command i         (0x4000 + ((m * 16) & 0x3FFF) + (n & 0xF)) << 16 | i
//   menu m, pop-up item                 (0x4000 + ((m * 16) & 0x3FFF) + (n & 0xF)) << 16
// where n counts the pop-ups met so far while walking the menu depth-first
// (the first pop-up is 1; items before any pop-up use 0).

#include <cstdint>

namespace langkey {

enum class Kind { Menu, Dialog, String, Other };

constexpr std::uint32_t stringKey(int id)
{
    return (std::uint32_t{0xC000} << 16) + (static_cast<std::uint32_t>(id) & 0xFFFF);
}

constexpr std::uint32_t dialogKey(int dialogId, int controlId)
{
    return ((0x8000u + (static_cast<std::uint32_t>(dialogId) & 0x3FFF)) << 16)
           + (static_cast<std::uint32_t>(controlId) & 0xFFFF);
}

constexpr std::uint32_t pageTitleKey(int pageTemplateId) { return dialogKey(pageTemplateId, 0); }

constexpr std::uint32_t menuKey(int menuId, int popupNumber, int commandId)
{
    return ((0x4000u + ((static_cast<std::uint32_t>(menuId) * 16) & 0x3FFF)
             + (static_cast<std::uint32_t>(popupNumber) & 0xF))
            << 16)
           + (static_cast<std::uint32_t>(commandId) & 0xFFFF);
}

constexpr std::uint32_t menuPopupKey(int menuId, int popupNumber) { return menuKey(menuId, popupNumber, 0); }

// What a key belongs to, by its top two bits (the translation editor's icons).
constexpr Kind kindOf(std::uint32_t key)
{
    switch (key >> 30) {
    case 1:
        return Kind::Menu;
    case 2:
        return Kind::Dialog;
    case 3:
        return Kind::String;
    default:
        return Kind::Other;
    }
}

// Numbers the pop-ups of one menu while it is walked depth-first, item by item
// in display order (the GUI walks its real menu with it; the resource registry
// walks its templates with it).
class MenuKeyWalker
{
public:
    explicit constexpr MenuKeyWalker(int menuId)
        : m_menuId(menuId)
    { }

    // Call on meeting a pop-up item, before walking into it: counts it and returns its key.
    constexpr std::uint32_t popup() { return menuPopupKey(m_menuId, ++m_popups); }
    // The key of a command item met now.
    constexpr std::uint32_t item(int commandId) const { return menuKey(m_menuId, m_popups, commandId); }
    constexpr int popupsMet() const { return m_popups; }

private:
    int m_menuId;
    int m_popups = 0;
};

static_assert(stringKey(25301) == 0xC00062D5u);
static_assert(dialogKey(208, 6201) == ((0x8000u + 208) << 16) + 6201);
static_assert(menuKey(101, 1, 57601) == ((0x4000u + 1616 + 1) << 16) + 57601);
static_assert(kindOf(menuPopupKey(252, 1)) == Kind::Menu && kindOf(pageTitleKey(231)) == Kind::Dialog);

} // namespace langkey
