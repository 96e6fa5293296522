#include "game/window_description.h"

#include "board/checked_math.h"
#include "game/about_texts.h"

namespace velmora {

namespace {

constexpr Pixel Yellow = rgb(255, 255, 0);

ControlDescription button(const char* caption, Rect rect, float points, Command command, const char* name = "")
{
    ControlDescription made;
    made.kind = ControlKind::Button;
    made.caption = caption;
    made.rect = rect;
    made.points = points;
    made.face = Grey;  // the graphical style's face
    made.align = TextAlign::Centre;
    made.accessibleName = name;
    made.command = command;
    made.takesFocus = true;
    return made;
}

ControlDescription textBox(const char* caption, Rect rect, OptionBox box, const char* name)
{
    ControlDescription made;
    made.kind = ControlKind::TextBox;
    made.caption = caption;
    made.rect = rect;
    made.points = 13.5f;
    made.accessibleName = name;
    made.box = box;
    made.takesFocus = true;
    return made;
}

ControlDescription label(std::string caption, Rect rect, float points, std::optional<Pixel> face, TextAlign align)
{
    ControlDescription made;
    made.caption = std::move(caption);
    made.rect = rect;
    made.points = points;
    made.face = face;
    made.align = align;
    return made;
}

MainWindowDescription describeMainWindow()
{
    MainWindowDescription window{"Form1", 1002, 628, rgb(192, 192, 0), "Board", {}, {}, {}, {}};
    window.menus = {{"Joc",
                     {{"StartJoc", 0x71, false, Command::Start},
                      {"Optiuni", 'O', true, Command::Options},
                      {"Exit", 0x73, false, Command::Exit}}},
                    {"Ajutor", {{"Despre", 0x70, false, Command::About}}}};

    window.panel = label("Optiuni", Rect{8, 432, 481, 169}, 13.5f, rgb(0, 0, 255), TextAlign::Left);
    window.panel.kind = ControlKind::Frame;
    // Each box and button named by what it holds or steps: their captions
    // alone would say "Up" and "Down" twice.
    window.panelControls = {
        textBox("Text1", Rect{176, 48, 57, 41}, OptionBox::TimeLimit, "Time"),
        button("Up", Rect{128, 48, 41, 41}, 13.5f, Command::TimeUp, "Time Up"),
        button("Down", Rect{240, 48, 65, 41}, 13.5f, Command::TimeDown, "Time Down"),
        button("Up", Rect{128, 104, 41, 41}, 13.5f, Command::LevelUp, "Level Up"),
        textBox("Text2", Rect{176, 104, 57, 41}, OptionBox::DiskCount, "Level"),
        button("Down", Rect{240, 104, 65, 41}, 13.5f, Command::LevelDown, "Level Down"),
        button("Ok", Rect{328, 72, 105, 41}, 18.0f, Command::Apply),
        label("Time", Rect{16, 48, 105, 41}, 13.5f, Yellow, TextAlign::Centre),
        label("Level", Rect{16, 104, 105, 41}, 13.5f, Yellow, TextAlign::Centre),
    };
    window.readout = label("", Rect{405, 384, 7, 29}, 18.0f, std::nullopt, TextAlign::Centre);
    window.readout.accessibleName = "Elapsed seconds";
    return window;
}

// Twips (1/1440 inch) to pixels at 96 dots per inch, 15 to one.
std::int32_t pixels(std::int32_t twips)
{
    return roundToInt32(twips / 15.0);
}

Rect fromTwips(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    return Rect{pixels(left), pixels(top), pixels(width), pixels(height)};
}

// A line between two points of the same height: the pen is centred on it, so
// a line 2 pixels wide covers the row above too; the end point is not drawn.
ControlDescription line(std::int32_t x1, std::int32_t x2, std::int32_t y, std::int32_t width, Pixel colour)
{
    ControlDescription made;
    made.kind = ControlKind::Line;
    made.rect = Rect{pixels(x1), pixels(y) - width / 2, pixels(x2) - pixels(x1), width};
    made.face = colour;
    return made;
}

AboutDescription describeAbout()
{
    const AboutTexts texts = aboutTexts();
    AboutDescription about{texts.caption, 568, 340, pixels(2340), pixels(1935), {}};
    ControlDescription icon;
    icon.kind = ControlKind::Picture;
    icon.rect = fromTwips(240, 240, 540, 540);  // sizes itself to the 32 x 32 icon
    // The buttons keep the dialog's small font, in which "System Info..."
    // fits its narrow button; they have the platform's face.
    ControlDescription ok = button("OK", fromTwips(6720, 4080, 1260, 345), 8.0f, Command::CloseAbout);
    ok.face.reset();
    ok.isDefault = true;
    ControlDescription systemInfo =
        button("&System Info...", fromTwips(6720, 4680, 1245, 345), 8.0f, Command::SystemInfo);
    systemInfo.face.reset();
    const auto text = [](std::string caption, Rect rect) {
        ControlDescription made = label(std::move(caption), rect, 13.5f, std::nullopt, TextAlign::Left);
        made.text = Black;
        return made;
    };
    ControlDescription rules = text(AboutRules, fromTwips(120, 1560, 7965, 2010));
    rules.wraps = true;
    about.controls = {icon,
                      ok,
                      systemInfo,
                      line(240, 7320, 3720, 1, Grey),
                      rules,
                      text(texts.title, fromTwips(1050, 240, 3885, 480)),
                      line(105, 5654, 2460, 2, White),
                      text(texts.version, fromTwips(1560, 840, 3885, 585)),
                      text(AboutDisclaimer, fromTwips(120, 4080, 3870, 825))};
    return about;
}

} // namespace

EndedDescription ended(int status)
{
    return {status == 0 ? "Jocul s-a inchis." : "Jocul s-a oprit dupa o eroare.", "Porneste din nou"};
}

const MainWindowDescription& mainWindow()
{
    static const MainWindowDescription window = describeMainWindow();
    return window;
}

std::string shortcutText(const MenuItemDescription& item)
{
    constexpr std::uint16_t F1 = 0x70, F24 = 0x87;
    std::string text = item.control ? "Ctrl+" : "";
    if (item.key >= F1 && item.key <= F24)
        text.append("F").append(std::to_string(item.key - F1 + 1));
    else
        text.push_back(static_cast<char>(item.key));
    return text;
}

std::optional<Command> shortcutCommand(std::uint16_t key, bool control)
{
    for (const MenuDescription& menu : mainWindow().menus)
        for (const MenuItemDescription& item : menu.items)
            if (item.key == key && item.control == control)
                return item.command;
    return std::nullopt;
}

const AboutDescription& aboutWindow()
{
    static const AboutDescription about = describeAbout();
    return about;
}

} // namespace velmora
