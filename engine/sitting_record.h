#pragma once

#include "engine/sitting.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// The sitting written down: as CSV for a spreadsheet, and kept in the file the operator
// chose, rewritten whole after every change.
namespace sitting_record {

// The list as CSV: UTF-8 with a byte-order mark (so that a spreadsheet on Windows reads the
// Persian columns as Persian), a header row, one row per draw, fields quoted as RFC 4180
// asks, lines ending in CR LF. The time is ISO 8601 with its offset from UTC.
QByteArray csv(const std::vector<engine::DrawnTicket>& draws);

// The words the record uses for an outcome and for the each-ticket-once setting.
QString outcomeText(engine::Outcome outcome);
QString yesNo(bool yes);
// The bounds a draw was made within, as the lists show them: "000001 تا 000237".
QString boundsText(const engine::DrawnTicket& draw);

// Writes the bytes as the whole new content of the file, or leaves the old file as it was:
// a power cut or a crash half way never leaves half a list. An empty text when written,
// otherwise the reason it was not.
QString writeWhole(const QString& path, const QByteArray& bytes);

// The sitting's CSV file, once the operator chose one: from then on it is written again
// after every change of the sitting. Emptying the list lets the file go: what it holds
// stays, and the next save asks for a file anew.
class CsvFile : public QObject {
    Q_OBJECT
  public:
    explicit CsvFile(engine::Sitting& sitting);

    QString path() const { return path_; }
    // Writes the sitting to the file and keeps it from now on. On failure returns the
    // reason, and the file kept before (if any) is still the one kept.
    QString saveAs(const QString& path);
    // Whether every row of the sitting is in the file; an empty list needs no file.
    bool holdsEverything() const;

  Q_SIGNALS:
    // A rewrite after a change failed, where the one before had not: the next change tries
    // again, and a failure is told once until a write succeeds.
    void writeFailed(const QString& path, const QString& reason);

  private:
    void rewrite();

    engine::Sitting& sitting_;
    QString path_;
    quint64 written_ = 0; // the sitting's revision the file holds
    bool failing_ = false;
};

// The file of the program's one sitting.
CsvFile& csvFile();

} // namespace sitting_record
