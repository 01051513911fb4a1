// The employee register at factory scale: 20,000 employees. How long the register takes to open,
// and a query by name and by department through the register's query.

#include "benchmark.h"

#include "common/db.h"
#include "personnel/checkyuangong.h"
#include "personnel/worker.h"

#include <QSet>

namespace bench {

namespace {

constexpr int kEmployees = 20000;

void ensureEmployees(const Context& c)
{
    static QSet<QString> done;
    if (!db::TryConnect(c.connectionString, QString()))
        qFatal("cannot open the benchmark database");
    if (done.contains(c.connectionString))
        return;
    done.insert(c.connectionString);
    db::Transaction tx;
    db::Query(QStringLiteral("INSERT INTO dept(deptid, deptname) SELECT 'D' || i, '部门' || i FROM "
                             "(WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) SELECT i FROM n) d"))
        .exec();
    db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                             "INSERT INTO personnel(personnelid, personnelname, kardNO, type, deptid, deptname, worktime, zaizhi) "
                             "SELECT 'B' || i, '员工' || i, 'K' || i, '计件', 'D' || (i % 40 + 1), '部门' || (i % 40 + 1), "
                             "'2020-01-01', 0 FROM n")
                  .arg(kEmployees))
        .exec();
    tx.commit();
}

double openRegister(const Context& c)
{
    ensureEmployees(c);
    const double ms = timeMs([] {
        Tworkerfrm screen;
        screen.show();
    });
    db::Connection::main().close();
    return ms;
}

double query(const Context& c, bool byName)
{
    ensureEmployees(c);
    EmployeeFilter filter;
    filter.from = QDate(2001, 1, 24);
    filter.to = QDate::currentDate();
    if (byName)
        filter.name = QStringLiteral("员工12345");
    else
        filter.dept = QStringLiteral("部门7");
    int rows = 0;
    const double ms = timeMs([&] {
        db::Query q = employeeQuery(filter);
        while (q.next())
            ++rows;
    });
    if (rows == 0)
        qFatal("the employee query found nothing");
    db::Connection::main().close();
    return ms;
}

}  // namespace

void registerPersonnelFigures()
{
    addFigure({QStringLiteral("open_employee_register_20k"), QStringLiteral("ms"), true, 5, openRegister});
    addFigure({QStringLiteral("query_employees_by_name_20k"), QStringLiteral("ms"), true, 5,
               [](const Context& c) { return query(c, true); }});
    addFigure({QStringLiteral("query_employees_by_department_20k"), QStringLiteral("ms"), true, 5,
               [](const Context& c) { return query(c, false); }});
}

}  // namespace bench
