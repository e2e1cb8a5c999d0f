#include "windows/winners/sitting_pdf.h"

#include "app/bidi.h"
#include "app/fonts.h"
#include "app/version.h"
#include "engine/sitting_record.h"

#include <QBuffer>
#include <QDate>
#include <QPageSize>
#include <QPdfWriter>
#include <QStringList>
#include <QTextDocument>
#include <QTextOption>

namespace sitting_pdf {
namespace {

QString cell(const QString& text, const char* tag = "td") {
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
}

// The bounds of the sitting's draws, each pair once, in the order they were first used.
QStringList boundsOf(const std::vector<engine::DrawnTicket>& draws) {
    QStringList pairs;
    for (const engine::DrawnTicket& d : draws) {
        const QString pair = sitting_record::boundsText(d);
        if (!pairs.contains(pair))
            pairs << pair;
    }
    return pairs;
}

QString html(const std::vector<engine::DrawnTicket>& draws) {
    // The ISO date reads left to right, as it is written, inside the Persian line.
    const QString day = bidi::leftToRight(
        (draws.empty() ? QDate::currentDate() : draws.front().when.date()).toString(Qt::ISODate));
    QString rows;
    int ordinal = 0;
    for (const engine::DrawnTicket& d : draws) {
        const bool absent = d.outcome == engine::Outcome::Absent;
        rows += QStringLiteral("<tr%1>").arg(absent ? QStringLiteral(" style=\"color:#777\"")
                                                    : QString()) +
                cell(QString::number(++ordinal)) + cell(d.number) +
                cell(d.when.toString(QStringLiteral("HH:mm:ss"))) +
                cell(sitting_record::boundsText(d)) +
                cell(sitting_record::outcomeText(d.outcome)) +
                cell(sitting_record::yesNo(d.eachTicketOnce)) + QStringLiteral("</tr>");
    }
    const QString witness = QStringLiteral(
        "<p style=\"margin-top:28pt\">نام و نام خانوادگی شاهد %1: ______________________"
        "&nbsp;&nbsp;&nbsp;امضا: ______________</p>");
    return QStringLiteral(
               "<html><body dir=\"rtl\">"
               "<h2 align=\"center\">گزارش قرعه‌کشی</h2>"
               "<p align=\"center\">نرم افزار قرعه، نسخه‌ی %1</p>"
               "<p>تاریخ: %2</p><p>محدوده: %3</p><p>شمار قرعه‌ها: %4</p>"
               "<table dir=\"rtl\" width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\">"
               "<tr>%5</tr>%6</table>%7%8</body></html>")
        .arg(VersionText().toHtmlEscaped(), day,
             boundsOf(draws).join(QStringLiteral("، ")).toHtmlEscaped(),
             QString::number(draws.size()),
             cell(QStringLiteral("ردیف"), "th") + cell(QStringLiteral("عدد"), "th") +
                 cell(QStringLiteral("زمان"), "th") + cell(QStringLiteral("محدوده"), "th") +
                 cell(QStringLiteral("وضعیت"), "th") +
                 cell(QStringLiteral("هر بلیت فقط یک بار"), "th"),
             rows, witness.arg(QStringLiteral("اول")), witness.arg(QStringLiteral("دوم")));
}

} // namespace

QByteArray pdf(const std::vector<engine::DrawnTicket>& draws) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("گزارش قرعه‌کشی"));
    writer.setCreator(QStringLiteral("Tirvex ") + VersionText());

    QTextDocument document;
    // The bundled face, in points so that it prints at its size; the file embeds it.
    document.setDefaultFont(QFont(QString::fromLatin1(fonts::BundledFamily), 12));
    QTextOption option = document.defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    document.setDefaultTextOption(option);
    document.setHtml(html(draws));
    document.print(&writer);
    return bytes;
}

} // namespace sitting_pdf
