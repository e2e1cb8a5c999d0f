#pragma once

#include "engine/sitting.h"

#include <QByteArray>

// The sitting as a PDF to print and sign: A4, Persian, right to left, in the program's
// bundled face, which the file carries.
namespace sitting_pdf {

// The program's name and version, the day, the bounds, every draw with its outcome and
// whether each ticket could win once, and lines for two witnesses at the end.
QByteArray pdf(const std::vector<engine::DrawnTicket>& draws);

} // namespace sitting_pdf
