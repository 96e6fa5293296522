#pragma once

#include "game/front_end.h"
#include "render/surface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The game's windows as every front end builds them: the main window with
// its menus, the options panel and the read-out, and the About dialog. Sizes
// and places are pixels of the container's client area; fonts are "MS Sans
// Serif" (or any plain sans-serif face) at the given points. A front end
// makes each control in the order given, which is also the order the
// keyboard's Tab follows, and stacks each over the ones made before it.

inline constexpr const char* ControlFace = "MS Sans Serif";
// A frame's etched edge: a shadow line with a highlight line inside and
// below it, where the platform does not draw it itself.
inline constexpr Pixel EdgeShadow = Grey;
inline constexpr Pixel EdgeHighlight = White;

enum class ControlKind {
    Frame,    // a captioned group box: its top line runs through the caption
    Button,   // a push button
    TextBox,  // a single-line, editable text box without a length limit
    Label,    // text; it does not take the keyboard
    Picture,  // a picture box with a sunken border 2 pixels wide
    Line,     // a horizontal line, as wide as the control is high
};

enum class TextAlign {
    Left,
    Centre,
};

struct ControlDescription {
    ControlKind kind = ControlKind::Label;
    std::string caption;
    Rect rect;
    float points = 0;                // 0: the platform's small dialog font
    std::optional<Pixel> face;       // background or face; none: the platform's
    std::optional<Pixel> text;       // text colour; none: the platform's
    TextAlign align = TextAlign::Left;
    const char* accessibleName = ""; // what a screen reader says; empty: the caption
    std::optional<Command> command;  // what a button gives
    std::optional<OptionBox> box;    // which option a text box holds
    bool takesFocus = false;         // a Tab stop
    bool wraps = false;              // a label's text breaks into lines
    bool isDefault = false;          // a button Enter presses (in the About, Esc too)
};

// A menu item and its shortcut: a key (its virtual-key code: a function
// key, a letter or a digit), with Ctrl or not.
struct MenuItemDescription {
    const char* caption;
    std::uint16_t key;
    bool control;
    Command command;
};

// The shortcut as the menu shows it: "F2", "Ctrl+O".
std::string shortcutText(const MenuItemDescription& item);

struct MenuDescription {
    const char* caption;
    std::vector<MenuItemDescription> items;
};

struct MainWindowDescription {
    const char* title;
    std::int32_t clientWidth;
    std::int32_t clientHeight;
    Pixel background;
    const char* boardName;  // what a screen reader calls the board
    std::vector<MenuDescription> menus;
    ControlDescription panel;                  // hidden until Optiuni opens it
    std::vector<ControlDescription> panelControls;
    ControlDescription readout;                // sizes itself to its text from its left edge
};

const MainWindowDescription& mainWindow();

// The menu command whose shortcut is the key (a virtual-key code) with Ctrl
// held or not; none when the key is no shortcut.
std::optional<Command> shortcutCommand(std::uint16_t key, bool control);

struct AboutDescription {
    std::string title;  // "About " and the application's title
    std::int32_t clientWidth;
    std::int32_t clientHeight;
    std::int32_t left;  // its place on the screen when it opens
    std::int32_t top;
    // Bottom of the stack first: the icon, "OK" (Enter and Esc press it),
    // "System Info..." (Alt+S), the lines and the labels.
    std::vector<ControlDescription> controls;
};

const AboutDescription& aboutWindow();

// Where a window cannot close itself (a page in a browser), what stands in its
// place once the program has ended: by Exit (status 0) or after a failure, and
// the button that starts the game again.
struct EndedDescription {
    const char* text;
    const char* startAgain;
};

EndedDescription ended(int status);

} // namespace velmora
