#include "engine/sitting.h"

#include <algorithm>

namespace engine {

void Sitting::add(DrawnTicket draw) {
    draws_.push_back(std::move(draw));
    touch();
}

bool Sitting::setOutcome(std::size_t row, Outcome outcome) {
    if (row >= draws_.size())
        return false;
    if (draws_[row].outcome != outcome) {
        draws_[row].outcome = outcome;
        touch();
    }
    return true;
}

void Sitting::clear() {
    draws_.clear();
    touch();
}

TicketList Sitting::leftOut() const {
    TicketList tickets;
    if (!eachTicketOnce_)
        return tickets;
    for (const DrawnTicket& d : draws_) {
        bool ok = false;
        const qint64 n = d.number.toLongLong(&ok);
        if (ok)
            tickets.push_back(n);
    }
    std::sort(tickets.begin(), tickets.end());
    tickets.erase(std::unique(tickets.begin(), tickets.end()), tickets.end());
    return tickets;
}

void Sitting::touch() {
    ++revision_;
    Q_EMIT changed();
}

Sitting& sitting() {
    static Sitting instance;
    return instance;
}

} // namespace engine
