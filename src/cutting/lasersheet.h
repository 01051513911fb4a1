#pragma once
// The laser sheet: coupons printed on plain sheets by a laser printer, one 12.7 mm line per
// pair of coupons of one process, a footer closing each page.

#include "common/page.h"
#include "server/ticketprocs.h"

namespace tickets {

// The three sheet lengths of the 激光8in, 激光10in and 激光12in buttons, 210 mm wide.
constexpr double kLaserLengths[] = {210, 262, 312};
constexpr double kLaserLineMm = 12.7;
constexpr double kLaserFooterMm = 7;

int laserLinesPerPage(double paperLengthMm);
report::Document laserSheet(const QList<procs::LaserLine>& lines, double paperLengthMm);

}  // namespace tickets
