#include "app/error_report.h"

#include "app/bidi.h"
#include "app/pictures.h"

#include <QMessageBox>
#include <QPointer>
#include <cstdio>

namespace error_report {
namespace {
std::function<void(const QString&)>& sinkSlot() {
    static std::function<void(const QString&)> sink;
    return sink;
}

// The program's caption, as its windows show it.
QString caption() { return QStringLiteral("نرم افزار قرعه"); }

// The sentence the box shows. An empty one stands for whatever the program did not
// foresee: the box then says that the program goes on, which it does.
QString said(const QString& sentence) {
    if (!sentence.isEmpty())
        return sentence;
    return QStringLiteral("خطایی در برنامه رخ داد. برنامه به کار خود ادامه می‌دهد.");
}
} // namespace

QString boxText(const QString& sentence, const QString& detail) {
    return detail.isEmpty() ? said(sentence)
                            : said(sentence) + QLatin1Char('\n') + bidi::leftToRight(detail);
}

void report(const QString& log, const QString& sentence, const QString& detail, Severity severity,
            QWidget* over) {
    std::fprintf(stderr, "tirvex: error: %s\n", log.toLocal8Bit().constData());
    std::fflush(stderr);
    if (auto& sink = sinkSlot()) {
        sink(boxText(sentence, detail));
        return;
    }
    const auto icon = severity == Severity::Warning ? QMessageBox::Warning : QMessageBox::Critical;
    // Owned by the window it stands over, the box would go with that window if it closed
    // while the box is open; the pointer notices that.
    QPointer<QMessageBox> box =
        new QMessageBox(icon, caption(), said(sentence), QMessageBox::Ok, over);
    box->setObjectName(QStringLiteral("ErrorReport"));
    box->setWindowIcon(pictures::noIcon());
    box->setLayoutDirection(Qt::RightToLeft);
    box->setTextFormat(Qt::PlainText);
    // The detail keeps a line of its own, under the sentence, and reads left to right: a
    // path or an English reason in a right-to-left line would be reordered.
    box->setInformativeText(detail.isEmpty() ? QString() : bidi::leftToRight(detail));
    // No window of the program takes input until the operator has read it.
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box.data();
}

void report(const QString& message) { report(message, QString(), message); }

void setSink(std::function<void(const QString&)> sink) { sinkSlot() = std::move(sink); }
} // namespace error_report
