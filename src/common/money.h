#pragma once
// Money held exactly in ten-thousandths of a yuan, as the database stores it (4 decimals).
// Shown and paid rounded half up to 2 places.

#include <QMetaType>
#include <QString>
#include <QtGlobal>

class QVariant;

class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static Money fromCents(qint64 cents) { return Money(cents * 100); }
    // Parses "12.3456", "-0.5", "3"; more than 4 decimals are rounded half up. ok=false on bad text.
    static Money fromString(const QString& text, bool* ok = nullptr);
    // Reads a database value: text or integer exactly, a double rounded to 4 places.
    static Money fromVariant(const QVariant& value);

    qint64 units() const { return units_; }
    // Rounded half up (away from zero) to 2 places.
    qint64 cents() const;
    Money roundedToCents() const { return fromCents(cents()); }

    QString toString(int places = 2) const;  // 2 places for display, 4 for storage
    QString storageText() const { return toString(4); }
    // As a clerk writes it: up to 4 places, no trailing zeros ("0.855", "12").
    QString plainText() const;

    Money operator+(Money o) const { return Money(units_ + o.units_); }
    Money operator-(Money o) const { return Money(units_ - o.units_); }
    Money operator*(qint64 quantity) const { return Money(units_ * quantity); }
    Money& operator+=(Money o) { units_ += o.units_; return *this; }
    Money& operator-=(Money o) { units_ -= o.units_; return *this; }
    friend bool operator==(Money a, Money b) { return a.units_ == b.units_; }
    friend bool operator<(Money a, Money b) { return a.units_ < b.units_; }

private:
    constexpr explicit Money(qint64 units) : units_(units) {}
    qint64 units_ = 0;
};

Q_DECLARE_METATYPE(Money)
