#pragma once
// Code 128 symbols (automatic code sets, no human-readable line) as bars in module units, and
// the choice of the module width that puts a symbol with its quiet zones into a field.

#include <QList>
#include <QString>

namespace barcode {

constexpr int kQuietZoneModules = 10;  // each side
constexpr double kMinModuleMm = 0.25;
// 0.254 mm (10 mil) is a whole number of dots at 300 and 600 dpi and within 2 % of 2 dots at
// 203 dpi: the module used when the printer's resolution is not known and a field is narrow.
constexpr double kPortableModuleMm = 0.254;

struct Bar {
    int start;  // modules from the symbol's left edge
    int width;  // modules
};

struct Symbol {
    QList<Bar> bars;
    int modules = 0;  // the symbol's width without quiet zones
    QString error;    // set when the text cannot be encoded
    bool valid() const { return modules > 0; }
    int modulesWithQuietZones() const { return modules + 2 * kQuietZoneModules; }
};

Symbol code128(const QString& text);

// The module width for a symbol of this many modules (quiet zones included) in a field
// fieldMm wide: the preferred width when it fits, else the widest that fits; a whole number
// of dots when dotsPerMm is known (> 0); never under 0.25 mm. When not even that fits, the
// symbol is wider than the field and the caller widens the field to the right.
double moduleWidth(int modulesWithQuietZones, double fieldMm, double preferredMm, double dotsPerMm);

}  // namespace barcode
