#include "engine/sitting_record.h"

#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace sitting_record {
namespace {

// A field as RFC 4180 writes it: in quotes, its quotes doubled, when it holds a comma, a
// quote or a line break.
QString field(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return special.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString line(const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields)
        quoted << field(f);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

// ISO 8601 with the offset the clock had at that moment ("2026-12-08T19:05:42+03:30").
QString isoWithOffset(const QDateTime& when) {
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace

QString outcomeText(engine::Outcome outcome) {
    return outcome == engine::Outcome::Absent ? QStringLiteral("غایب") : QStringLiteral("برنده");
}

QString boundsText(const engine::DrawnTicket& draw) {
    return QStringLiteral("%1 تا %2").arg(draw.lower, draw.upper);
}

QString yesNo(bool yes) {
    return yes ? QStringLiteral("بله") : QStringLiteral("خیر");
}

QByteArray csv(const std::vector<engine::DrawnTicket>& draws) {
    QString text = line({QStringLiteral("ردیف"), QStringLiteral("عدد"),
                         QStringLiteral("تاریخ و زمان"), QStringLiteral("از"), QStringLiteral("تا"),
                         QStringLiteral("وضعیت"), QStringLiteral("هر بلیت فقط یک بار")});
    int ordinal = 0;
    for (const engine::DrawnTicket& d : draws)
        text += line({QString::number(++ordinal), d.number, isoWithOffset(d.when), d.lower, d.upper,
                      outcomeText(d.outcome), yesNo(d.eachTicketOnce)});
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

QString writeWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

CsvFile::CsvFile(engine::Sitting& sitting) : sitting_(sitting) {
    connect(&sitting_, &engine::Sitting::changed, this, [this] {
        if (sitting_.draws().empty())
            path_.clear();
        else if (!path_.isEmpty())
            rewrite();
    });
}

QString CsvFile::saveAs(const QString& path) {
    const QString reason = writeWhole(path, csv(sitting_.draws()));
    if (reason.isEmpty()) {
        path_ = path;
        written_ = sitting_.revision();
        failing_ = false;
    }
    return reason;
}

bool CsvFile::holdsEverything() const {
    return sitting_.draws().empty() || (!path_.isEmpty() && written_ == sitting_.revision());
}

void CsvFile::rewrite() {
    const QString reason = writeWhole(path_, csv(sitting_.draws()));
    const bool failedBefore = std::exchange(failing_, !reason.isEmpty());
    if (reason.isEmpty())
        written_ = sitting_.revision();
    else if (!failedBefore)
        Q_EMIT writeFailed(path_, reason);
}


CsvFile& csvFile() {
    static CsvFile instance(engine::sitting());
    return instance;
}

} // namespace sitting_record
