// The range entry window as designed, in twips and points, one row per control, front
// to back.
#include "windows/range_entry/main_form.h"

#include "app/colours.h"

using design::Align;
using design::Kind;

namespace {
using namespace colours;
constexpr std::uint32_t FieldGreen = 12648384;
constexpr std::uint32_t ListYellow = 8454143;
constexpr const char* StartCaption = "ورود به صفحه قرعه کشي";

design::Control boundField(const char* name, double left, double width, const char* text,
                           int tab) {
    return {.kind = Kind::TextBox, .name = name, .left = left, .top = 360, .width = width,
            .height = 465, .caption = text, .backColor = FieldGreen, .font = design::titr(14.25),
            .align = Align::Centre, .tabIndex = tab, .maxLength = 6};
}

design::Control list(const char* name, double top, std::vector<const char*> items, int tab) {
    return {.kind = Kind::ComboBox, .name = name, .left = 2160, .top = top, .width = 1575,
            .height = 615, .backColor = ListYellow, .font = design::titr(14.25), .enabled = false,
            .tabIndex = tab, .items = std::move(items)};
}

// A caption in the window's own font, beside what it names.
design::Control caption(int index, double left, double top, const char* text, int tab) {
    return {.kind = Kind::Label, .name = "Label1", .index = index, .left = left, .top = top,
            .width = 2295, .height = 465, .caption = text, .tabIndex = tab};
}
} // namespace

const design::Window& MainForm::Design() {
    static const design::Window window{
        .name = "main",
        .caption = "نرم افزار قرعه",
        .clientWidth = 6690,
        .clientHeight = 4500,
        .backColor = LightGreen,
        .font = design::titr(9.75),
        .border = design::Border::FixedSingle,
        .centred = true,
        .icon = ":/images/icon-32.png",
        .picture = ":/images/background.jpg",
        .controls = {
            boundField("Text2", 2760, 1455, "84570", 5),
            boundField("Text1", 1020, 1335, "35000", 4),
            list("Combo2", 1920, {" 5", "10", "15", "20"}, 3),
            list("Combo3", 1260, {"زياد", "متوسط", "کم"}, 1),
            // The start caption stands in front of its shadow, so a click anywhere on it
            // starts the hand-off.
            {.kind = Kind::Label, .name = "Label2", .left = 2040, .top = 3120, .width = 2535,
             .height = 435, .caption = StartCaption, .foreColor = Yellow, .font = design::titr(14.25),
             .tabIndex = 8},
            {.kind = Kind::Label, .name = "Label1", .index = 3, .left = 2400, .top = 300,
             .width = 315, .height = 465, .caption = "-", .font = design::titr(15.75),
             .align = Align::Centre, .tabIndex = 7},
            caption(0, 4320, 420, "محدوده انتخاب", 6),
            caption(2, 3720, 1380, "سرعت انتخاب ارقام", 2),
            caption(1, 3780, 1980, "تعداد دفعات  انتخاب هر رقم", 0),
            // A black copy 60 twips to the left and lower gives the start caption its shadow.
            {.kind = Kind::Label, .name = "Label3", .left = 1980, .top = 3180, .width = 2535,
             .height = 435, .caption = StartCaption, .foreColor = Black, .font = design::titr(14.25),
             .tabIndex = 9},
            {.kind = Kind::Menu, .name = "about", .caption = "ارتباط با ما"},
            // Beside the design's one entry: the draws of this sitting.
            {.kind = Kind::Menu, .name = "winners", .caption = "برندگان"},
        }};
    return window;
}
