// The stage as designed, in twips and points, one row per control, front to back.
#include "windows/draw/form1.h"

#include "app/colours.h"

using design::Align;
using design::Kind;

namespace {
using namespace colours;
constexpr const char* RangeCaption = "محدوده  اعداد";

design::Control timer(const char* name) {
    return {.kind = Kind::Timer, .name = name, .container = "Frame1", .enabled = false,
            .interval = 200};
}

design::Control digit(const char* name, double left, int tab, bool opaque) {
    design::Control row{.kind = Kind::Label, .name = name, .container = "Frame1", .left = left,
                        .top = 840, .width = 1995, .height = 4275, .foreColor = Yellow,
                        .font = design::titr(150), .align = Align::Centre, .tabIndex = tab};
    if (opaque)
        row.backColor = Black;
    return row;
}

design::Control field(const char* name, double left, double top, double width, double height,
                      const char* caption, design::Font font, Align align, int tab) {
    return {.kind = Kind::Label, .name = name, .left = left, .top = top, .width = width,
            .height = height, .caption = caption, .foreColor = Yellow, .font = font,
            .align = align, .visible = false, .tabIndex = tab};
}
} // namespace

const design::Window& Form1::Design() {
    static const design::Window window{
        .name = "Form1",
        .caption = "نرم افزار قرعه",
        .clientWidth = 15150,
        .clientHeight = 11235,
        .backColor = Black,
        .font = design::titr(9.75),
        .border = design::Border::None,
        .titleBar = false,
        .closeBox = false,
        .fullScreen = true,
        .centred = false,
        .controls = {
            {.kind = Kind::CommandButton, .name = "Command2", .left = 4320, .top = 10560,
             .width = 6495, .height = 555, .caption = "بازگشت", .backColor = Green,
             .font = design::titr(14.25), .tabIndex = 1},
            {.kind = Kind::Frame, .name = "Frame1", .left = 1560, .top = 3240, .width = 13215,
             .height = 6375, .backColor = Black, .font = {"MS Sans Serif", 8.25, false},
             .tabIndex = 3},
            timer("Timer1"),
            timer("Timer2"),
            timer("Timer3"),
            timer("Timer4"),
            timer("Timer5"),
            timer("Timer6"),
            digit("Label1", 60, 9, false),
            digit("Label5", 8880, 8, true),
            digit("Label6", 11100, 7, true),
            digit("Label3", 4455, 6, true),
            digit("Label2", 2265, 5, true),
            digit("Label4", 6645, 4, true),
            {.kind = Kind::CommandButton, .name = "Command1", .left = 4200, .top = 900,
             .width = 6495, .height = 555, .caption = "شروع قرعه کشي", .backColor = Green,
             .font = design::titr(14.25), .tabIndex = 0},
            field("Label14", 10920, 480, 1335, 735, "", design::titr(20.25), Align::Centre, 18),
            {.kind = Kind::Label, .name = "Label15", .left = 2520, .top = 1440, .width = 1395,
             .height = 435, .opaque = true, .visible = false, .tabIndex = 17},
            field("Label13", 11520, 1380, 1995, 435, "تعداد دفعات انتخاب ارقام", {}, Align::Centre,
                  16),
            [] {
                auto row = field("Label12", 12180, 480, 1335, 615, "سرعت :", design::titr(20.25),
                                 Align::Centre, 15);
                row.rightToLeft = true;
                return row;
            }(),
            field("Label11", 7800, 1740, 1335, 435, RangeCaption, {}, Align::Centre, 14),
            field("Label10", 10140, 1380, 1335, 435, RangeCaption, {}, Align::Centre, 13),
            field("Label9", 1815, 240, 1335, 915, RangeCaption, design::titr(20.25), Align::Centre, 12),
            field("Label8", 480, 240, 1335, 855, RangeCaption, design::titr(20.25), Align::Centre, 11),
            field("Label7", 3150, 240, 1335, 855, RangeCaption, design::titr(20.25), Align::Left, 10),
            {.kind = Kind::Label, .name = "Label20", .left = 4200, .top = 0, .width = 6495,
             .height = 915, .caption = "بسم الله الرحمن الرحيم", .foreColor = Yellow,
             .font = design::titr(24), .align = Align::Centre, .tabIndex = 2},
            {.kind = Kind::Custom, .name = "g1", .container = "Frame1", .left = 0, .top = 660,
             .width = 2115, .height = 615, .tabIndex = 19, .create = &AniGifDisplay::create},
        }};
    return window;
}
