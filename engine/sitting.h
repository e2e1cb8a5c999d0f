#pragma once

#include "engine/ticket_counts.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <vector>

// The sitting: every draw the stage finished in this run, in order, as the winners window
// lists it and the record files write it. It lives in memory only; nothing here writes a
// file.
namespace engine {

enum class Outcome { Won, Absent };

struct DrawnTicket {
    QString number;              // six digits, as the stage showed them
    QDateTime when;              // the moment the last digit settled, local time
    QString lower, upper;        // the bounds it was drawn within
    bool eachTicketOnce = false; // whether tickets that had won were left out of its draw
    Outcome outcome = Outcome::Won;
};

class Sitting : public QObject {
    Q_OBJECT
  public:
    const std::vector<DrawnTicket>& draws() const { return draws_; }

    // A draw the stage finished, at the bottom of the list.
    void add(DrawnTicket draw);
    // Marks row `row` (0 for the first) absent or back to won; false for no such row.
    bool setOutcome(std::size_t row, Outcome outcome);
    // Empties the list: every ticket may win again.
    void clear();

    // Whether a ticket that has won in this sitting (present or absent) is left out of the
    // next draws. Off at start: the draws are independent.
    bool eachTicketOnce() const { return eachTicketOnce_; }
    void setEachTicketOnce(bool on) { eachTicketOnce_ = on; }

    // The tickets the next draw leaves out: every number drawn so far while each ticket may
    // win once, none otherwise.
    TicketList leftOut() const;

    // Counts every change of the list, so a copy of it elsewhere can tell whether it is
    // still whole.
    quint64 revision() const { return revision_; }

  Q_SIGNALS:
    // A row was added or changed, or the list was emptied.
    void changed();

  private:
    void touch();

    std::vector<DrawnTicket> draws_;
    bool eachTicketOnce_ = false;
    quint64 revision_ = 0;
};

// The program's one sitting.
Sitting& sitting();

} // namespace engine
