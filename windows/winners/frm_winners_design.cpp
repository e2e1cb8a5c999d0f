// The winners window, in twips and points like the others, one row per control, front to
// back. It is 600 x 420 pixels at 100 %, so that at 150 % it still stands whole on a
// 1024 x 768 laptop, title bar included.
#include "windows/winners/frm_winners.h"

#include "app/colours.h"

#include <QHeaderView>

using design::Align;
using design::Kind;

namespace {
using namespace colours;
constexpr std::uint32_t FieldGreen = 12648384;

QWidget* newCheckBox(QWidget* parent) { return new QCheckBox(parent); }

QWidget* newGrid(QWidget* parent) {
    auto* grid = new QTableWidget(0, 5, parent);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->setVisible(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setLayoutDirection(Qt::RightToLeft);
    return grid;
}

design::Control button(const char* name, double left, const char* caption, int tab) {
    return {.kind = Kind::CommandButton, .name = name, .left = left, .top = 5220, .width = 1950,
            .height = 480, .caption = caption, .font = design::titr(9.75), .tabIndex = tab};
}
} // namespace

const design::Window& FrmWinners::Design() {
    static const design::Window window{
        .name = "frmWinners",
        .caption = "برندگان",
        .clientWidth = 9000,
        .clientHeight = 6300,
        .backColor = LightGreen,
        .font = design::titr(9.75),
        .border = design::Border::FixedSingle,
        .centred = true,
        .icon = ":/images/icon-32.png",
        .controls = {
            {.kind = Kind::Custom, .name = "Check1", .left = 180, .top = 150, .width = 8640,
             .height = 480, .caption = "هر بلیت فقط یک بار برنده شود", .font = design::titr(11.25),
             .rightToLeft = true, .tabIndex = 0, .create = newCheckBox},
            {.kind = Kind::Custom, .name = "Grid1", .left = 180, .top = 780, .width = 8640,
             .height = 4260, .backColor = FieldGreen, .font = design::titr(11.25),
             .rightToLeft = true, .tabIndex = 1, .create = newGrid},
            // Right to left, as the operator reads them: the row's own button first.
            button("cmdAbsent", 6870, "غایب", 2),
            button("cmdSave", 4680, "ذخیره…", 3),
            button("cmdPdf", 2490, "PDF…", 4),
            button("cmdClear", 180, "پاک کردن فهرست", 5),
            {.kind = Kind::Label, .name = "lblFile", .left = 180, .top = 5820, .width = 8640,
             .height = 390, .caption = "", .font = {"B Titr", 8.25, false}, .align = Align::Right,
             .rightToLeft = true, .tabIndex = 6},
        }};
    return window;
}
