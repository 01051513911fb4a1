#include "common/listreport.h"
#include "common/output.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using report::Document;
using report::ListReport;

class TestListReport : public QObject {
    Q_OBJECT
private slots:
    void pagesRepeatCaptionsAndKeepEveryRow_data();
    void pagesRepeatCaptionsAndKeepEveryRow();
    void pdfHasTheLaidOutPages();
    void printToPdfFolderNumbersJobs();
};

namespace {

ListReport sample(int rows)
{
    ListReport r;
    r.title = QStringLiteral("客户资料报表");
    r.headerLines = {ListReport::companyLine(QStringLiteral("华南制衣")) + QLatin1Char('\t') +
                     ListReport::dateLine(QDate(2026, 12, 11))};
    r.columns = {{QStringLiteral("编号"), 1}, {QStringLiteral("名称"), 3, Qt::AlignLeft}};
    for (int i = 0; i < rows; ++i)
        r.rows.append({QString::number(i + 1), QStringLiteral("客户%1").arg(i + 1)});
    r.summary = QStringLiteral("合计：%1 户").arg(rows);
    r.footerLines = {QStringLiteral("制单人：\t审核：")};
    return r;
}

}  // namespace

void TestListReport::pagesRepeatCaptionsAndKeepEveryRow_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("empty") << 0;
    QTest::newRow("one page") << 10;
    QTest::newRow("several pages") << 95;
    QTest::newRow("last row needs the summary's room") << 33;
}

void TestListReport::pagesRepeatCaptionsAndKeepEveryRow()
{
    QFETCH(int, rows);
    const Document doc = report::layout(sample(rows));
    QVERIFY(!doc.pages.isEmpty());
    QStringList seen;
    for (int p = 0; p < doc.pages.size(); ++p) {
        const QStringList texts = doc.pages[p].texts();
        QVERIFY2(texts.contains(QStringLiteral("编号")) && texts.contains(QStringLiteral("名称")),
                 "captions on every page");
        QVERIFY(texts.contains(QStringLiteral("第 %1 页 / 共 %2 页").arg(p + 1).arg(doc.pages.size())));
        const bool last = p == doc.pages.size() - 1;
        QCOMPARE(texts.contains(QStringLiteral("合计：%1 户").arg(rows)), last);
        QCOMPARE(texts.contains(QStringLiteral("制单人：")), last);
        QCOMPARE(texts.contains(QStringLiteral("制表单位：华南制衣")), p == 0);
        for (const QString& t : texts)
            if (t.startsWith(QStringLiteral("客户")) && t != QStringLiteral("客户资料报表"))
                seen << t;
        // Nothing below the bottom margin.
        for (const report::Item& item : doc.pages[p].items)
            QVERIFY(item.rect.bottom() <= 297 - 15 + 0.01);
    }
    QCOMPARE(seen.size(), rows);
    for (int i = 0; i < rows; ++i)
        QCOMPARE(seen[i], QStringLiteral("客户%1").arg(i + 1));
}

namespace {
int pdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}
}  // namespace

void TestListReport::pdfHasTheLaidOutPages()
{
    QTemporaryDir dir;
    const Document doc = report::layout(sample(95));
    const QString path = dir.filePath(QStringLiteral("r.pdf"));
    QVERIFY(report::writePdf(doc, path));
    QCOMPARE(pdfPages(path), int(doc.pages.size()));
}

void TestListReport::printToPdfFolderNumbersJobs()
{
    QTemporaryDir dir;
    report::setPrintToPdfDir(dir.path());
    QVERIFY(report::print(report::layout(sample(3))));
    QVERIFY(report::print(report::layout(sample(60))));
    report::setPrintToPdfDir(QString());
    QCOMPARE(pdfPages(dir.filePath(QStringLiteral("print-0001.pdf"))), 1);
    QVERIFY(pdfPages(dir.filePath(QStringLiteral("print-0002.pdf"))) >= 2);
}

QTEST_MAIN(TestListReport)
#include "tst_listreport.moc"
