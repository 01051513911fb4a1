#pragma once
// The factory's accounting month runs from one monthly closing day (sysInfo.setdate) to the
// next; both ends carry the closing day. A closing day that a month lacks (29 or 30 in
// February, 31 anywhere) falls on that month's last day.

#include <QDate>

struct Period {
    QDate start;
    QDate end;
    friend bool operator==(const Period& a, const Period& b)
    {
        return a.start == b.start && a.end == b.end;
    }
};

// Pure rules, for a given closing day.
Period accountingPeriodFor(int closingDay, const QDate& today);
Period accountingPeriodOfMonthFor(int closingDay, int year, int month);
// The period before today's: computed as if today's month were one month earlier, day kept.
Period previousAccountingPeriodFor(int closingDay, const QDate& today);

// The closing day from the first sysInfo row. Throws db::DbError with a clear message when the
// table is empty or the value is not a day.
int closingDay();

// The rules with the stored closing day (today defaults to the current date).
Period AccountingPeriod(const QDate& today = QDate::currentDate());
Period AccountingPeriodOfMonth(int year, int month);
Period PreviousAccountingPeriod(const QDate& today = QDate::currentDate());
