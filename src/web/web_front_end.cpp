#include "web/web_front_end.h"

#include "game/game.h"
#include "game/window_description.h"
#include "render/bevel.h"
#include "sound/cue_table.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace velmora {

namespace {

// The page's side of each call (page.js sets Module.page before the game starts).
// clang-format off
EM_JS(void, pageWindow, (const char* title, int width, int height, unsigned background, const char* boardName,
                         unsigned edgeShadow, unsigned edgeHighlight), {
    Module.page.window(UTF8ToString(title), width, height, background, UTF8ToString(boardName), edgeShadow,
                       edgeHighlight);
});
EM_JS(void, pageMenu, (const char* caption), { Module.page.menu(UTF8ToString(caption)); });
EM_JS(void, pageMenuItem, (const char* caption, const char* shortcut, int command), {
    Module.page.menuItem(UTF8ToString(caption), UTF8ToString(shortcut), command);
});
EM_JS(void, pageControl, (const char* part, const char* kind, const char* caption, int left, int top, int width, int height,
                          float points, int face, unsigned faceColour, int text, unsigned textColour, int centred,
                          const char* name, int command, int box, int takesFocus, int wraps, int isDefault), {
    Module.page.control(UTF8ToString(part), {kind: UTF8ToString(kind), caption: UTF8ToString(caption), left: left, top: top, width: width,
        height: height, points: points, face: face ? faceColour : null, text: text ? textColour : null,
        centred: centred !== 0, name: UTF8ToString(name), command: command, box: box,
        takesFocus: takesFocus !== 0, wraps: wraps !== 0, isDefault: isDefault !== 0});
});
EM_JS(void, pageButtonFace, (int command, int state, const unsigned* pixels, int width, int height), {
    Module.page.buttonFace(command, state, pixels, width, height);
});
EM_JS(void, pageAbout, (const char* title, int width, int height, int left, int top), {
    Module.page.about(UTF8ToString(title), width, height, left, top);
});
EM_JS(void, pageSetCommandEnabled, (int command, int enabled), { Module.page.setCommandEnabled(command, enabled !== 0); });
EM_JS(void, pageSetPanelVisible, (int visible), { Module.page.setPanelVisible(visible !== 0); });
EM_JS(char*, pageOptionText, (int box), {
    const text = Module.page.optionText(box);
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(void, pageSetOptionText, (int box, const char* text), { Module.page.setOptionText(box, UTF8ToString(text)); });
EM_JS(void, pageSelectOptionText, (int box), { Module.page.selectOptionText(box); });
EM_JS(void, pageSetReadout, (const char* text), { Module.page.setReadout(UTF8ToString(text)); });
EM_JS(void, pagePlaceReadout, (int left, int top), { Module.page.placeReadout(left, top); });
EM_JS(void, pageShowSprite, (const unsigned* pixels, int width, int height, int x, int y), {
    Module.page.showSprite(pixels, width, height, x, y);
});
EM_JS(void, pageShowSurface, (const unsigned* pixels, int width, int height, int left, int top, int right, int bottom), {
    Module.page.showSurface(pixels, width, height, left, top, right, bottom);
});
EM_JS(void, pageDescribeBoard, (const char* words), { Module.page.describeBoard(UTF8ToString(words)); });
EM_JS(void, pageShowMessage, (const char* prompt, const char* title, int error), {
    Module.page.showMessage(UTF8ToString(prompt), UTF8ToString(title), error !== 0);
});
EM_JS(void, pageSetClockRunning, (int running), { Module.page.setClockRunning(running !== 0); });
EM_JS(void, pagePlayCue, (const char* file, int holdsMs), { Module.page.playCue(UTF8ToString(file), holdsMs); });
EM_JS(void, pageFocusAbout, (), { Module.page.focusAbout(); });
EM_JS(void, pageCloseAbout, (), { Module.page.closeAbout(); });
EM_JS(void, pageKnowCue, (const char* file), { Module.page.knowCue(UTF8ToString(file)); });
EM_JS(void, pageQuit, (const char* text, const char* startAgain), {
    Module.page.quit(UTF8ToString(text), UTF8ToString(startAgain));
});
// clang-format on

// The page knows a control's kind by its name here.
const char* kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Frame: return "Frame";
    case ControlKind::Button: return "Button";
    case ControlKind::TextBox: return "TextBox";
    case ControlKind::Label: return "Label";
    case ControlKind::Picture: return "Picture";
    case ControlKind::Line: return "Line";
    }
    return "";
}

// Where the control stands, as the page knows it: "readout" and "panel" in the
// main window, "in panel" and "in about" in theirs.
void placeControl(const char* part, const ControlDescription& control)
{
    pageControl(part, kindName(control.kind), control.caption.c_str(), control.rect.left, control.rect.top,
                control.rect.width, control.rect.height, control.points, control.face.has_value(),
                control.face.value_or(0), control.text.has_value(), control.text.value_or(0),
                control.align == TextAlign::Centre, control.accessibleName,
                control.command ? static_cast<int>(*control.command) : -1,
                control.box ? static_cast<int>(*control.box) : -1, control.takesFocus, control.wraps, control.isDefault);
}

// The panel's buttons in the graphical style wear the game's faces: as they
// stand, with the keyboard, pressed, pressed with the keyboard.
void dressPanelButtons()
{
    for (const ControlDescription& control : mainWindow().panelControls)
        if (control.kind == ControlKind::Button && control.face && control.command)
            for (int state = 0; state < 4; ++state) {
                const Picture face = buttonFace(control.rect.width, control.rect.height, *control.face, state >= 2,
                                                state % 2 == 1);
                pageButtonFace(static_cast<int>(*control.command), state, rgbaPixels(face).data(), face.width,
                               face.height);
            }
}

} // namespace

void WebFrontEnd::build()
{
    // Every cue's wave, made ready before the first is asked for; the page
    // fetches it from beside itself.
    for (const Cue cue : AllCues)
        pageKnowCue(std::string(waveName(cue)).c_str());
    const MainWindowDescription& window = mainWindow();
    pageWindow(window.title, window.clientWidth, window.clientHeight, window.background, window.boardName, EdgeShadow,
               EdgeHighlight);
    for (const MenuDescription& menu : window.menus) {
        pageMenu(menu.caption);
        for (const MenuItemDescription& item : menu.items)
            pageMenuItem(item.caption, shortcutText(item).c_str(), static_cast<int>(item.command));
    }
    placeControl("readout", window.readout);
    placeControl("panel", window.panel);
    for (const ControlDescription& control : window.panelControls)
        placeControl("in panel", control);
}

void WebFrontEnd::setCommandEnabled(Command command, bool enabled)
{
    pageSetCommandEnabled(static_cast<int>(command), enabled);
}

void WebFrontEnd::setPanelVisible(bool visible)
{
    // Made when the panel is first shown, not before the first board.
    if (visible && !panelDressed_) {
        dressPanelButtons();
        panelDressed_ = true;
    }
    pageSetPanelVisible(visible);
}

std::string WebFrontEnd::optionText(OptionBox box) const
{
    char* text = pageOptionText(static_cast<int>(box));
    std::string result(text);
    std::free(text);
    return result;
}

void WebFrontEnd::setOptionText(OptionBox box, const std::string& text)
{
    pageSetOptionText(static_cast<int>(box), text.c_str());
}

void WebFrontEnd::selectOptionText(OptionBox box)
{
    pageSelectOptionText(static_cast<int>(box));
}

void WebFrontEnd::setReadout(const std::string& text)
{
    pageSetReadout(text.c_str());
}

void WebFrontEnd::placeReadout(std::int32_t left, std::int32_t top)
{
    pagePlaceReadout(left, top);
}

void WebFrontEnd::showSprite(const Picture& image, std::int32_t x, std::int32_t y)
{
    pageShowSprite(rgbaPixels(image).data(), image.width, image.height, x, y);
}

void WebFrontEnd::showSurface(const Rect& changed)
{
    // The canvas's copy of the surface, kept converted where it changed; the
    // page paints it once the game's call has returned.
    const Surface& surface = game_.surface();
    surface.copyRgba(changed, canvas_);
    const Rect area = changed.intersected(surface.bounds());
    if (!area.empty())
        pageShowSurface(canvas_.data(), surface.width(), surface.height(), area.left, area.top, area.right(),
                        area.bottom());
}

void WebFrontEnd::describeBoard(const std::string& words)
{
    pageDescribeBoard(words.c_str());
}

void WebFrontEnd::showMessage(const std::string& prompt, const std::string& title, MessageIcon icon)
{
    pageShowMessage(prompt.c_str(), title.c_str(), icon == MessageIcon::Error);
}

void WebFrontEnd::setClockRunning(bool running)
{
    pageSetClockRunning(running);
}

void WebFrontEnd::playCue(Cue cue)
{
    // A held cue with the longest it may hold the game.
    pagePlayCue(std::string(waveName(cue)).c_str(), cueHolds(cue) ? static_cast<int>(LongestHeldCue.count()) : 0);
}

void WebFrontEnd::openAbout()
{
    const AboutDescription& about = aboutWindow();
    pageAbout(about.title.c_str(), about.clientWidth, about.clientHeight, about.left, about.top);
    for (const ControlDescription& control : about.controls)
        placeControl("in about", control);
    pageFocusAbout();
}

void WebFrontEnd::focusAbout()
{
    pageFocusAbout();
}

void WebFrontEnd::closeAbout()
{
    pageCloseAbout();
}

void WebFrontEnd::quit(int status)
{
    const EndedDescription page = ended(status);
    pageQuit(page.text, page.startAgain);
}

} // namespace velmora
