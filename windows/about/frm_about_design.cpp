// The about window as designed, in twips and points, one row per control, front to back.
#include "windows/about/frm_about.h"

#include "app/colours.h"
#include "vendor.h"

using design::Align;
using design::Kind;

namespace {
using namespace colours;
constexpr design::Font Arial12{"Arial", 12, true};
constexpr std::uint32_t Blue = 16711680;
constexpr std::uint32_t Grey = 8421504;

constexpr const char* Description =
    "اين نرم افزار در جهت شکيل شدن و منظم شدن قرعه کشي هاي داخلي مي باشد. "
    "با استفاده از اين نرم افزار نقاط قوت و ضعف آن را به ما ياد آور شويد.";
// Copying this program without permission is forbidden.
constexpr const char* CopyingNotice = "هرگونه کپي برداري بدون اجازه ممنوع است.";

// One line of the contact array: they share a left edge, a font and a height, and stand
// 300 twips apart.
design::Control contact(int index, double width, const char* text, std::uint32_t colour,
                        int tab) {
    return {.kind = Kind::Label, .name = "Label1", .index = index, .left = 240,
            .top = 2235 + 300.0 * index, .width = width, .height = 375, .caption = text,
            .foreColor = colour, .font = Arial12, .align = Align::Left, .tabIndex = tab};
}
} // namespace

const design::Window& FrmAbout::Design() {
    static const design::Window window{
        .name = "frmAbout",
        .caption = "درباره ما",
        .clientWidth = 6810,
        // The design's 4860, and room below for the notice of the toolkit's licence.
        .clientHeight = 4860 + 600,
        .backColor = White,
        .border = design::Border::FixedDialog,
        .titleBar = true,
        .closeBox = true,
        .centred = true,
        .taskbarEntry = false,
        .controls = {
            {.kind = Kind::CommandButton, .name = "cmdOK", .left = 5280, .top = 3360,
             .width = 1260, .height = 345, .caption = "OK", .tabIndex = 0, .isDefault = true,
             .isCancel = true},
            {.kind = Kind::Label, .name = "Label3", .left = 255, .top = 1815, .width = 6330,
             .height = 405, .caption = " منتظر پيشنهاد و انتقاد شما هستيم  ", .foreColor = Blue,
             .font = {"B Jadid", 9.75, true}, .align = Align::Centre, .tabIndex = 8},
            {.kind = Kind::Label, .name = "Label2", .left = 1500, .top = 480, .width = 5145,
             .height = 1110, .caption = Description, .foreColor = Black,
             .font = design::titr(9.75), .align = Align::Right, .rightToLeft = true, .tabIndex = 7, .wordWrap = true},
            // The vendor's own, from the vendor file of the build.
            contact(0, 5130, "E-mail: " TIRVEX_VENDOR_EMAIL, 8421376, 6),
            contact(1, 5130, "Weblog: " TIRVEX_VENDOR_WEBLOG, Blue, 5),
            contact(2, 5130, "Website: " TIRVEX_VENDOR_WEBSITE, 128, 4),
            contact(3, 4470, "Tel: " TIRVEX_VENDOR_PHONE "  پيام رسان ها", 16711935, 3),
            contact(4, 3390, "Tel: " TIRVEX_VENDOR_PHONE2, 32768, 2),
            {.kind = Kind::Picture, .name = "Image1", .left = 240, .top = 180, .width = 1155,
             .height = 1395, .picture = ":/images/emblem.jpg"},
            // A grey line with a white one just below it: an etched separator.
            {.kind = Kind::Line, .name = "Line1", .index = 1, .left = 270, .top = 1725,
             .width = 6660, .height = 1725, .foreColor = Grey, .lineWidth = 1},
            {.kind = Kind::Line, .name = "Line1", .index = 0, .left = 285, .top = 1740,
             .width = 6600, .height = 1740, .foreColor = White, .lineWidth = 2},
            {.kind = Kind::Label, .name = "lblVersion", .left = 1500, .top = 180, .width = 5145,
             .height = 285, .caption = "Version", .font = design::titr(9.75), .align = Align::Right,
             .tabIndex = 1},
            // The copying notice, one line centred at the bottom of the window.
            {.kind = Kind::Label, .name = "Label4", .left = 255, .top = 4140, .width = 6330,
             .height = 390, .caption = CopyingNotice, .foreColor = Black,
             .font = design::titr(9.75), .align = Align::Centre, .rightToLeft = true, .tabIndex = 9},
            // Under the copying notice: the toolkit, its licence and where the licences
            // are; Form_Load writes it. Arial, whose digits are Latin: "LGPLv3" must read
            // as users search for it.
            {.kind = Kind::Label, .name = "lblQtNotice", .left = 255, .top = 4560, .width = 6330,
             .height = 780, .caption = "", .foreColor = Grey, .font = {"Arial", 8.25, false},
             .align = Align::Centre, .rightToLeft = true, .tabIndex = 10, .wordWrap = true},
        }};
    return window;
}
