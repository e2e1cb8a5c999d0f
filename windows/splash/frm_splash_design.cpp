// The splash window as designed, in twips and points, one row per control, front to back.
#include "windows/splash/frm_splash.h"

using design::Align;
using design::Kind;

namespace {
constexpr design::Font Titr(double points) { return {"B Titr", points, true}; }
constexpr std::uint32_t White = 16777215;
constexpr std::uint32_t LightGreen = 8454016;
} // namespace

const design::Window& FrmSplash::Design() {
    static const design::Window window{
        .name = "frmSplash",
        .clientWidth = 7380,
        .clientHeight = 4245,
        .backColor = LightGreen,
        .border = design::Border::FixedDialog,
        .titleBar = false,
        .closeBox = false,
        .centred = true,
        .taskbarEntry = false,
        .keyPreview = true,
        .controls = {
            {.kind = Kind::Frame, .name = "Frame1", .left = 150, .top = 60, .width = 7080,
             .height = 4050, .backColor = White, .tabIndex = 0, .border = true},
            {.kind = Kind::Label, .name = "lblProductName", .container = "Frame1", .left = 2520,
             .top = 720, .width = 3630, .height = 1275, .caption = "نرم افزار قرعه",
             .font = Titr(36), .rightToLeft = true, .tabIndex = 2, .autoSize = true},
            // The photograph reaches 60 twips past the frame's left edge; the frame cuts
            // that strip off.
            {.kind = Kind::Picture, .name = "imgLogo", .container = "Frame1", .left = -60,
             .top = 1020, .width = 2595, .height = 2205, .picture = ":/images/gifts.jpg"},
            {.kind = Kind::Picture, .name = "Image1", .container = "Frame1", .left = 60,
             .top = 3180, .width = 735, .height = 840, .picture = ":/images/emblem.jpg"},
            {.kind = Kind::Label, .name = "Label1", .container = "Frame1", .left = 3585,
             .top = 3540, .width = 2505, .height = 435, .font = Titr(12), .align = Align::Right,
             .tabIndex = 3},
            {.kind = Kind::Label, .name = "lblVersion", .container = "Frame1", .left = 6480,
             .top = 3540, .width = 450, .height = 435, .caption = "نسخه", .font = Titr(12),
             .align = Align::Right, .tabIndex = 1, .autoSize = true},
        }};
    return window;
}
