#include "common/accountingperiod.h"

#include "common/db.h"

namespace {

QDate clampedDate(int year, int month, int day)
{
    while (month < 1) {
        month += 12;
        --year;
    }
    while (month > 12) {
        month -= 12;
        ++year;
    }
    const int last = QDate(year, month, 1).daysInMonth();
    return QDate(year, month, qBound(1, day, last));
}

Period periodFor(int closingDay, int year, int month, int day)
{
    if (day > closingDay)
        return {clampedDate(year, month, closingDay), clampedDate(year, month + 1, closingDay)};
    return {clampedDate(year, month - 1, closingDay), clampedDate(year, month, closingDay)};
}

}  // namespace

Period accountingPeriodFor(int closingDay, const QDate& today)
{
    return periodFor(closingDay, today.year(), today.month(), today.day());
}

Period accountingPeriodOfMonthFor(int closingDay, int year, int month)
{
    return {clampedDate(year, month - 1, closingDay), clampedDate(year, month, closingDay)};
}

Period previousAccountingPeriodFor(int closingDay, const QDate& today)
{
    int year = today.year();
    int month = today.month() - 1;
    if (month == 0) {
        month = 12;
        --year;
    }
    return periodFor(closingDay, year, month, today.day());
}

int closingDay()
{
    const QVariant value =
        db::Query(QStringLiteral("SELECT setdate FROM sysInfo LIMIT 1")).scalar();
    bool ok = false;
    const int day = value.toString().trimmed().toInt(&ok);
    if (!value.isValid())
        throw db::DbError(QStringLiteral("尚未填写公司数据（系统信息），无法确定结帐日。"));
    if (!ok || day < 1 || day > 31)
        throw db::DbError(
            QStringLiteral("系统信息中的结帐日“%1”无效，请在系统信息中填写 1 到 30 之间的日子。")
                .arg(value.toString()));
    return day;
}

Period AccountingPeriod(const QDate& today)
{
    return accountingPeriodFor(closingDay(), today);
}

Period AccountingPeriodOfMonth(int year, int month)
{
    return accountingPeriodOfMonthFor(closingDay(), year, month);
}

Period PreviousAccountingPeriod(const QDate& today)
{
    return previousAccountingPeriodFor(closingDay(), today);
}
