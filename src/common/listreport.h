#pragma once
// A list report: title, header lines, a boxed table whose column captions repeat on every page,
// a summary line and footer lines at the end, page numbers at the bottom.

#include "common/page.h"

#include <QStringList>

namespace report {

struct ListColumn {
    QString caption;
    double width;  // relative; the table fills the printable width
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
};

struct ListReport {
    QString title;
    QStringList headerLines;  // under the title, one line each; a tab splits left and right
    QList<ListColumn> columns;
    QList<QStringList> rows;
    QString summary;          // a line under the table
    QStringList footerLines;  // at the end, one line each; a tab splits left and right
    bool landscape = false;
    // Paper as portrait width × height in mm (landscape turns it); empty means A4.
    QSizeF paperMm;
    double marginMm = 15;        // on all four sides
    double titlePointSize = 16;  // the title on the first page

    // "制表单位：" and the company, "时间：" and today's date.
    static QString companyLine(const QString& company);
    static QString dateLine(const QDate& date);
};

// Lays the report out on its pages (A4 with 15 mm margins unless the report says otherwise).
Document layout(const ListReport& report);

}  // namespace report
