#include "common/money.h"

#include <QVariant>

#include <cmath>

namespace {

qint64 roundDiv(qint64 value, qint64 divisor)
{
    // Half up, away from zero.
    const qint64 half = divisor / 2;
    return value >= 0 ? (value + half) / divisor : -((-value + half) / divisor);
}

}  // namespace

Money Money::fromString(const QString& text, bool* ok)
{
    if (ok)
        *ok = false;
    QString s = text.trimmed();
    if (s.isEmpty())
        return {};
    bool negative = false;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        negative = s.startsWith(QLatin1Char('-'));
        s.remove(0, 1);
    }
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? s : s.left(dot);
    QString frac = dot < 0 ? QString() : s.mid(dot + 1);
    if ((whole.isEmpty() && frac.isEmpty()) || whole.size() > 14)
        return {};
    for (QChar c : whole + frac)
        if (!c.isDigit() || c.unicode() > 127)
            return {};
    qint64 units = whole.isEmpty() ? 0 : whole.toLongLong() * 10000;
    // Keep 5 decimals to round the fifth half up.
    frac = frac.left(5).leftJustified(5, QLatin1Char('0'));
    const qint64 fifth = frac.toLongLong();
    units += roundDiv(fifth, 10);
    if (ok)
        *ok = true;
    return Money(negative ? -units : units);
}

Money Money::fromVariant(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return Money(static_cast<qint64>(std::llround(value.toDouble() * 10000.0)));
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return Money(value.toLongLong() * 10000);
    default:
        break;
    }
    if (value.canConvert<Money>() && value.typeId() == qMetaTypeId<Money>())
        return value.value<Money>();
    bool ok = false;
    const Money m = fromString(value.toString(), &ok);
    if (ok)
        return m;
    // Exponent notation and the like: go through double, then 4 places.
    return Money(static_cast<qint64>(std::llround(value.toDouble() * 10000.0)));
}

qint64 Money::cents() const
{
    return roundDiv(units_, 100);
}

QString Money::toString(int places) const
{
    places = qBound(0, places, 4);
    qint64 scale = 1;
    for (int i = places; i < 4; ++i)
        scale *= 10;
    const qint64 scaled = roundDiv(units_, scale);
    qint64 unit = 1;
    for (int i = 0; i < places; ++i)
        unit *= 10;
    const qint64 absScaled = scaled < 0 ? -scaled : scaled;
    QString text = QString::number(absScaled / unit);
    if (places > 0)
        text += QLatin1Char('.') +
                QStringLiteral("%1").arg(absScaled % unit, places, 10, QLatin1Char('0'));
    return scaled < 0 ? QLatin1Char('-') + text : text;
}

QString Money::plainText() const
{
    QString text = toString(4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}
