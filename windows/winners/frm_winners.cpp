#include "windows/winners/frm_winners.h"

#include "app/bidi.h"
#include "app/error_report.h"
#include "app/pictures.h"
#include "app/trace.h"
#include "engine/sitting.h"
#include "engine/sitting_record.h"
#include "windows/range_entry/main_form.h"
#include "windows/winners/sitting_pdf.h"

#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QStandardPaths>
#include <QUrl>

namespace {
FrmWinners::Chooser& chooserSlot() {
    static FrmWinners::Chooser chooser;
    return chooser;
}

FrmWinners::Answerer& answererSlot() {
    static FrmWinners::Answerer answerer;
    return answerer;
}

// Qt's own file dialog, in Persian and right to left like the rest of the program, opened
// in the user's documents with a name that carries the day of the sitting.
QString chooseFile(QWidget* over, const QString& title, const QString& extension,
                   const QString& filter) {
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QStringLiteral("قرعه-%1.%2")
                          .arg(QDate::currentDate().toString(Qt::ISODate), extension));
    if (const auto& chooser = chooserSlot())
        return chooser(suggested);
    QFileDialog dialog(over, title, suggested, filter);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(extension);
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.selectFile(suggested);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QMessageBox::StandardButton ask(QWidget* over, const QString& title, const QString& question,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton byDefault) {
    if (const auto& answerer = answererSlot())
        return answerer(question);
    QMessageBox box(QMessageBox::Question, title, question, buttons, over);
    box.setObjectName(QStringLiteral("WinnersQuestion"));
    box.setWindowIcon(pictures::noIcon());
    box.setLayoutDirection(Qt::RightToLeft);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(byDefault);
    box.setWindowModality(Qt::ApplicationModal);
    if (buttons.testFlag(QMessageBox::Save)) {
        // Qt's own captions name a document in general; these say what happens here.
        box.button(QMessageBox::Save)->setText(QStringLiteral("ذخیره"));
        box.button(QMessageBox::Discard)->setText(QStringLiteral("بستن بدون ذخیره"));
    }
    return QMessageBox::StandardButton(box.exec());
}

// A file that could not be written: the operator reads which and why, and the list stays
// in the program as it was.
void reportUnwritten(const QString& path, const QString& reason, QWidget* over) {
    error_report::report(QStringLiteral("Could not write %1: %2").arg(path, reason),
                         QStringLiteral("پرونده نوشته نشد. همه‌ی ردیف‌های فهرست در برنامه "
                                        "مانده‌اند؛ پوشه‌ی دیگری را برگزینید."),
                         QDir::toNativeSeparators(path) + QStringLiteral("\n") + reason,
                         error_report::Severity::Error, over);
}

// Saves the list where the operator chooses, or where it is kept already; false when it
// was not saved.
bool saveList(QWidget* over, bool askForFile) {
    sitting_record::CsvFile& file = sitting_record::csvFile();
    QString path = askForFile ? QString() : file.path();
    if (path.isEmpty())
        path = chooseFile(over, QStringLiteral("ذخیره‌ی فهرست برندگان"),
                          QStringLiteral("csv"), QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return false;
    const QString reason = file.saveAs(path);
    if (!reason.isEmpty()) {
        reportUnwritten(path, reason, over);
        return false;
    }
    trace::line(QStringLiteral("sitting saved to ") + path);
    return true;
}
} // namespace

FrmWinners::FrmWinners() {
    // The kept file stopped taking the list (a full disk, a stick pulled out): the operator
    // is told at once, over the winners window or else the range entry window.
    QObject::connect(
        &sitting_record::csvFile(), &sitting_record::CsvFile::writeFailed,
        &sitting_record::csvFile(), [this](const QString& path, const QString& reason) {
            FormWindow* over = loadedWindow() ? loadedWindow() : mainForm().loadedWindow();
            Application::runHandler([&] { reportUnwritten(path, reason, over); });
        });
}

FrmWinners& frmWinners() {
    static FrmWinners instance;
    return instance;
}

void FrmWinners::setChooser(Chooser chooser) {
    chooserSlot() = std::move(chooser);
}
void FrmWinners::setAnswerer(Answerer answerer) {
    answererSlot() = std::move(answerer);
}

void FrmWinners::connectHandlers() {
    on(Check1(), &QCheckBox::clicked, [this] { Check1_Click(); });
    on(cmdAbsent(), &QPushButton::clicked, [this] { cmdAbsent_Click(); });
    on(cmdSave(), &QPushButton::clicked, [this] { cmdSave_Click(); });
    on(cmdPdf(), &QPushButton::clicked, [this] { cmdPdf_Click(); });
    on(cmdClear(), &QPushButton::clicked, [this] { cmdClear_Click(); });
    on(Grid1(), &QTableWidget::itemSelectionChanged, [this] { showSelection(); });
    // The list follows the sitting while the window is loaded; the connection goes with it.
    // The file, connected to the sitting before any window was built, has been rewritten by
    // then, so the line about it is up to date too.
    QObject::connect(&engine::sitting(), &engine::Sitting::changed, Grid1(),
                     [this] { Application::runHandler([this] { showSitting(); }); });
}

void FrmWinners::Form_Load() {
    opened_ = true;
    QTableWidget* grid = Grid1();
    grid->setHorizontalHeaderLabels({QStringLiteral("ردیف"), QStringLiteral("عدد"),
                                     QStringLiteral("زمان"), QStringLiteral("محدوده"),
                                     QStringLiteral("وضعیت")});
    const int widths[] = {60, 110, 110, 190};
    for (int c = 0; c < 4; ++c)
        grid->setColumnWidth(c, widths[c]);
    grid->setAccessibleName(QStringLiteral("فهرست قرعه‌های این نشست"));
    Check1()->setAccessibleName(Check1()->text());
    Check1()->setChecked(engine::sitting().eachTicketOnce());
    cmdSave()->setAccessibleName(QStringLiteral("ذخیره‌ی فهرست در پرونده‌ی CSV"));
    cmdPdf()->setAccessibleName(QStringLiteral("نوشتن گزارش PDF برای امضای شاهدان"));
    cmdClear()->setAccessibleName(cmdClear()->text());
    lblFile()->setAccessibleName(QStringLiteral("پرونده‌ی فهرست"));
    showSitting();
    // The switch is where the keyboard starts: Space sets it, Tab goes on to the list.
    Check1()->setFocus();
}

void FrmWinners::showSitting() {
    const std::vector<engine::DrawnTicket>& draws = engine::sitting().draws();
    QTableWidget* grid = Grid1();
    const bool added = int(draws.size()) > grid->rowCount();
    // Rows are filled in place, so the operator's selection stays where it was.
    grid->setRowCount(int(draws.size()));
    for (int r = 0; r < int(draws.size()); ++r) {
        const engine::DrawnTicket& d = draws[std::size_t(r)];
        const bool absent = d.outcome == engine::Outcome::Absent;
        const QString cells[] = {QString::number(r + 1), d.number,
                                 d.when.toString(QStringLiteral("HH:mm:ss")),
                                 sitting_record::boundsText(d),
                                 sitting_record::outcomeText(d.outcome)};
        for (int c = 0; c < 5; ++c) {
            QTableWidgetItem* item = grid->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                grid->setItem(r, c, item);
            }
            item->setText(cells[c]);
            // An absent winner stays on the list, struck through and grey.
            QFont font = grid->font();
            font.setStrikeOut(absent);
            item->setFont(font);
            item->setForeground(absent ? QColor(Qt::gray) : grid->palette().color(QPalette::Text));
        }
    }
    // The newest draw is in view.
    if (added)
        grid->scrollToBottom();

    const sitting_record::CsvFile& file = sitting_record::csvFile();
    QString where;
    if (!file.path().isEmpty())
        where = QStringLiteral("فهرست در این پرونده نگه داشته می‌شود: ") +
                bidi::leftToRight(QDir::toNativeSeparators(file.path()));
    if (!file.holdsEverything())
        where = QStringLiteral("ردیف‌هایی هست که هنوز در پرونده‌ای ذخیره نشده‌اند.");
    lblFile()->setCaption(where);
    showSelection();
}

int FrmWinners::selectedRow() {
    const QList<QTableWidgetSelectionRange> ranges = Grid1()->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.constFirst().topRow();
}

void FrmWinners::showSelection() {
    const int row = selectedRow();
    const auto& draws = engine::sitting().draws();
    const bool absent = row >= 0 && std::size_t(row) < draws.size() &&
                        draws[std::size_t(row)].outcome == engine::Outcome::Absent;
    cmdAbsent()->setEnabled(row >= 0);
    cmdAbsent()->setText(absent ? QStringLiteral("حاضر") : QStringLiteral("غایب"));
    cmdAbsent()->setAccessibleName(absent ? QStringLiteral("برنده‌ی این ردیف حاضر است")
                                          : QStringLiteral("برنده‌ی این ردیف غایب است"));
    const bool any = !draws.empty();
    cmdPdf()->setEnabled(any);
    cmdClear()->setEnabled(any);
}

void FrmWinners::Check1_Click() {
    engine::sitting().setEachTicketOnce(Check1()->isChecked());
    trace::line(QStringLiteral("each ticket once: ") +
                (Check1()->isChecked() ? QStringLiteral("on") : QStringLiteral("off")));
}

void FrmWinners::cmdAbsent_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    engine::Sitting& sitting = engine::sitting();
    if (std::size_t(row) >= sitting.draws().size())
        return;
    const bool absent = sitting.draws()[std::size_t(row)].outcome == engine::Outcome::Absent;
    sitting.setOutcome(std::size_t(row), absent ? engine::Outcome::Won : engine::Outcome::Absent);
}

void FrmWinners::cmdSave_Click() {
    // The list itself has not changed, but the line that says where it is kept has.
    if (saveList(window(), true))
        showSitting();
}

void FrmWinners::cmdPdf_Click() {
    const QString path =
        chooseFile(window(), QStringLiteral("گزارش قرعه‌کشی برای امضا"),
                   QStringLiteral("pdf"), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const QString reason =
        sitting_record::writeWhole(path, sitting_pdf::pdf(engine::sitting().draws()));
    if (!reason.isEmpty()) {
        reportUnwritten(path, reason, window());
        return;
    }
    trace::line(QStringLiteral("report written to ") + path);
    const QString question = QStringLiteral("گزارش نوشته شد:\n") +
                             bidi::leftToRight(QDir::toNativeSeparators(path)) +
                             QStringLiteral("\nآن را برای چاپ باز کنم؟");
    if (ask(window(), QStringLiteral("گزارش PDF"), question, QMessageBox::Yes | QMessageBox::No,
            QMessageBox::Yes) == QMessageBox::Yes)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void FrmWinners::cmdClear_Click() {
    const QString question = QStringLiteral("همه‌ی ردیف‌های فهرست پاک شوند و هر بلیت دوباره "
                                            "بتواند برنده شود؟ پرونده‌ای که ذخیره شده است "
                                            "دست نمی‌خورد.");
    if (ask(window(), QStringLiteral("پاک کردن فهرست"), question,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    engine::sitting().clear();
    trace::line(QStringLiteral("sitting cleared"));
}

bool FrmWinners::confirmLeaving(QWidget* over) {
    if (!opened_ || sitting_record::csvFile().holdsEverything())
        return true;
    const QString question =
        QStringLiteral("ردیف‌هایی از فهرست برندگان هنوز در پرونده‌ای ذخیره نشده‌اند و با "
                       "بستن برنامه از دست می‌روند. پیش از بستن ذخیره شوند؟");
    switch (ask(over, QStringLiteral("بستن نرم افزار قرعه"), question,
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                QMessageBox::Save)) {
    case QMessageBox::Save:
        return saveList(over, false);
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}
