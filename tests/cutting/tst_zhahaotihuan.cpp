#include "common/db.h"
#include "cutting/zhahaotihuan.h"
#include "server/cuttingprocs.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

// 扎号替换 driven the way the cutting room labels bundles.
//
// Coupons: order K1 has three processes; its lot 1 holds bundles 1 (红 S), 2 (红 M) and
// 3 (白 S), its lot 2 bundle 4 (黑 S). Order K2 has two processes and its own bundle 1 in lot 1,
// so a label that escaped its order would show there.
class TestBundleLabels : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void listsTheLot_data();
    void listsTheLot();
    void writesTheLabelToEveryCouponOfTheBundle_data();
    void writesTheLabelToEveryCouponOfTheBundle();
    void typedLabelAndEnterKey();
    void enterMovesToTheNextBundle_data();
    void enterMovesToTheNextBundle();
    void leavingTheLabelWithoutEnter_data();
    void leavingTheLabelWithoutEnter();
    void typedLabelSurvivesReopeningAndSave();
    void saveAndClose_data();
    void saveAndClose();
    void choosingTheInputMethod();

private:
    static QString label(const QString& makeid, int bundle);  // "" for none, "<mixed>", "<null>"
    void layLot(const QString& makeid, int bed, const QList<QPair<QString, QList<int>>>& lines);
    void listLot(const QString& makeid, int bed);  // types the order and the lot, Enter in 床次
    QStringList shownBundles() const;              // "makeid|zhahao|中文扎号" per grid line
    QLineEdit* openEditor(int row);                // starts editing the label cell of row
    QLineEdit* currentEditor() const;
    void typeLabel(int row, const QString& text);  // types into the cell's editor, no Enter

    std::unique_ptr<FakeMessages> boxes_;
    std::unique_ptr<Tzhahaotihuanfrm> screen_;
};

void TestBundleLabels::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    testdb::openFresh();
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname) VALUES('K1', '衬衫'), ('K2', '裤子')")).exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('K1', 1, 3), ('K2', 1, 2)")).exec();
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname) VALUES "
                         "('K1', 1, '裁片'), ('K1', 2, '上领'), ('K1', 3, '上袖'), ('K2', 1, '合缝'), ('K2', 2, '锁边')"))
        .exec();
    layLot(QStringLiteral("K1"), 1, {{QStringLiteral("红"), {10, 12}}, {QStringLiteral("白"), {5, 0}}});
    layLot(QStringLiteral("K1"), 2, {{QStringLiteral("黑"), {8, 0}}});
    layLot(QStringLiteral("K2"), 1, {{QStringLiteral("红"), {7, 0}}});
    boxes_ = std::make_unique<FakeMessages>();
    screen_ = std::make_unique<Tzhahaotihuanfrm>();
    screen_->show();
}

void TestBundleLabels::cleanup()
{
    screen_.reset();
    boxes_.reset();
    Connection::main().close();
}

void TestBundleLabels::layLot(const QString& makeid, int bed, const QList<QPair<QString, QList<int>>>& lines)
{
    for (const auto& [colour, sizes] : lines)
        Query(QStringLiteral("INSERT INTO work(makeid, bed, color, s1, s2, amount) VALUES(:m, :b, :c, :s1, :s2, :a)"))
            .bind(QStringLiteral(":m"), makeid)
            .bind(QStringLiteral(":b"), bed)
            .bind(QStringLiteral(":c"), colour)
            .bind(QStringLiteral(":s1"), sizes[0])
            .bind(QStringLiteral(":s2"), sizes[1])
            .bind(QStringLiteral(":a"), sizes[0] + sizes[1])
            .exec();
    procs::generateLot(Connection::main(), makeid, {QStringLiteral("S"), QStringLiteral("M")}, bed);
}

QString TestBundleLabels::label(const QString& makeid, int bundle)
{
    Query q(QStringLiteral("SELECT chbed FROM printout WHERE makeid=:m AND zhahao=:z"));
    q.bind(QStringLiteral(":m"), makeid).bind(QStringLiteral(":z"), bundle).exec();
    QStringList labels;
    while (q.next())
        labels << (q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString());
    labels.removeDuplicates();
    return labels.size() == 1 ? labels.first() : QStringLiteral("<mixed>");
}

void TestBundleLabels::listLot(const QString& makeid, int bed)
{
    screen_->makeidBox()->setText(makeid);
    screen_->bedBox()->setText(QString::number(bed));
    QTest::keyClick(screen_->bedBox(), Qt::Key_Return);
}

QStringList TestBundleLabels::shownBundles() const
{
    QStringList lines;
    const QTableWidget* grid = screen_->grid();
    for (int r = 0; r < grid->rowCount(); ++r)
        lines << QStringList{grid->item(r, 0)->text(), grid->item(r, 1)->text(), grid->item(r, 2)->text()}.join(u'|');
    return lines;
}

QLineEdit* TestBundleLabels::openEditor(int row)
{
    QTableWidget* grid = screen_->grid();
    grid->setCurrentCell(row, Tzhahaotihuanfrm::kLabelColumn);
    grid->editItem(grid->item(row, Tzhahaotihuanfrm::kLabelColumn));
    return currentEditor();
}

QLineEdit* TestBundleLabels::currentEditor() const
{
    // Editors closed earlier wait hidden for their deletion; the open one is shown.
    const auto editors = screen_->grid()->viewport()->findChildren<QLineEdit*>();
    for (QLineEdit* editor : editors)
        if (editor->isVisible())
            return editor;
    return nullptr;
}

void TestBundleLabels::typeLabel(int row, const QString& text)
{
    QLineEdit* editor = openEditor(row);
    QVERIFY(editor);
    editor->selectAll();
    // Key by key with the typed text, as a keyboard or an input method delivers it (keyClicks
    // takes Latin-1 only).
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void TestBundleLabels::listsTheLot_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<int>("bed");
    QTest::addColumn<QStringList>("bundles");
    QTest::newRow("first lot: one line per bundle, not per coupon")
        << "K1" << 1 << QStringList{"K1|1|", "K1|2|旧标", "K1|3|"};
    QTest::newRow("second lot of the order") << "K1" << 2 << QStringList{"K1|4|"};
    QTest::newRow("another order's lot") << "K2" << 1 << QStringList{"K2|1|"};
    QTest::newRow("a lot without coupons") << "K1" << 9 << QStringList{};
}

void TestBundleLabels::listsTheLot()
{
    QFETCH(QString, makeid);
    QFETCH(int, bed);
    QFETCH(QStringList, bundles);
    Query(QStringLiteral("UPDATE printout SET chbed='旧标' WHERE makeid='K1' AND zhahao=2")).exec();
    listLot(makeid, bed);
    QCOMPARE(shownBundles(), bundles);
    const QTableWidget* grid = screen_->grid();
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("制单号"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("扎号"));
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("中文扎号"));
    // Only the label can be typed into.
    for (int r = 0; r < grid->rowCount(); ++r) {
        QVERIFY(!(grid->item(r, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(grid->item(r, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid->item(r, 2)->flags() & Qt::ItemIsEditable);
    }
    if (!bundles.isEmpty())
        QCOMPARE(grid->currentRow(), 0);
    QCOMPARE(boxes_->texts(), QStringList());
}

void TestBundleLabels::writesTheLabelToEveryCouponOfTheBundle_data()
{
    QTest::addColumn<QString>("before");  // bundle 1's label before
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("a label") << "" << "甲一" << "甲一";
    QTest::newRow("a quote in the label") << "" << "A'1" << "A'1";
    QTest::newRow("quotes and a semicolon") << "" << "x'; delete from printout; --" << "x'; delete from printout; --";
    QTest::newRow("blanks around the label") << "" << "  乙 " << "乙";
    QTest::newRow("a new label over an old one") << "旧标" << "新标" << "新标";
    QTest::newRow("empty clears the label") << "旧标" << "" << "";
    QTest::newRow("blanks alone clear the label") << "旧标" << "   " << "";
    QTest::newRow("as long as the column") << "" << QString(Tzhahaotihuanfrm::kMaxLabelLength, u'扎')
                                           << QString(Tzhahaotihuanfrm::kMaxLabelLength, u'扎');
}

void TestBundleLabels::writesTheLabelToEveryCouponOfTheBundle()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Query(QStringLiteral("UPDATE printout SET chbed=:a WHERE makeid='K1' AND zhahao=1")).bind(QStringLiteral(":a"), before).exec();
    Query(QStringLiteral("UPDATE printout SET chbed='别的' WHERE makeid='K1' AND zhahao=3")).exec();
    listLot(QStringLiteral("K1"), 1);
    QCOMPARE(screen_->grid()->item(0, 2)->text(), before);
    screen_->grid()->item(0, 2)->setText(typed);
    screen_->gridEnter();

    QCOMPARE(label(QStringLiteral("K1"), 1), stored);
    // Every other bundle keeps its label: the other bundles of the lot, the next lot, and the
    // bundle with the same number in another order.
    QCOMPARE(label(QStringLiteral("K1"), 2), QString(""));
    QCOMPARE(label(QStringLiteral("K1"), 3), QStringLiteral("别的"));
    QCOMPARE(label(QStringLiteral("K1"), 4), QString(""));
    QCOMPARE(label(QStringLiteral("K2"), 1), QString(""));
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM printout")).scalar().toInt(), 3 * 4 + 2 * 1);
    // The list is read again and shows what was stored.
    QCOMPARE(shownBundles(), (QStringList{"K1|1|" + stored, "K1|2|", "K1|3|别的"}));
    QCOMPARE(screen_->unsavedLabels(), (QHash<int, QString>{}));
    QCOMPARE(boxes_->texts(), QStringList());
}

void TestBundleLabels::typedLabelAndEnterKey()
{
    listLot(QStringLiteral("K1"), 1);
    // Typed into the cell's editor and confirmed with the Enter key itself.
    typeLabel(0, QStringLiteral("甲'1"));
    QLineEdit* editor = currentEditor();
    QCOMPARE(editor->maxLength(), Tzhahaotihuanfrm::kMaxLabelLength);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(label(QStringLiteral("K1"), 1), QStringLiteral("甲'1"));
    QCOMPARE(screen_->grid()->currentRow(), 1);
    QCOMPARE(screen_->grid()->currentColumn(), int(Tzhahaotihuanfrm::kLabelColumn));
    // Enter on the grid without editing writes the (empty) label of the current bundle.
    Query(QStringLiteral("UPDATE printout SET chbed='旧标' WHERE makeid='K1' AND zhahao=2")).exec();
    screen_->grid()->item(1, 2)->setText(QString());
    QTest::keyClick(screen_->grid(), Qt::Key_Return);
    QCOMPARE(label(QStringLiteral("K1"), 2), QString(""));
    QCOMPARE(screen_->grid()->currentRow(), 2);
    QVERIFY(screen_->isVisible());  // Enter never reaches a button
    QCOMPARE(boxes_->texts(), QStringList());
}

void TestBundleLabels::enterMovesToTheNextBundle_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("next");
    QTest::newRow("first bundle") << 0 << 1;
    QTest::newRow("middle bundle") << 1 << 2;
    QTest::newRow("last bundle stays") << 2 << 2;
}

void TestBundleLabels::enterMovesToTheNextBundle()
{
    QFETCH(int, row);
    QFETCH(int, next);
    listLot(QStringLiteral("K1"), 1);
    screen_->grid()->setCurrentCell(row, Tzhahaotihuanfrm::kLabelColumn);
    boxes_->clear();
    screen_->grid()->item(row, 2)->setText(QStringLiteral("标%1").arg(row));
    screen_->gridEnter();
    QCOMPARE(label(QStringLiteral("K1"), row + 1), QStringLiteral("标%1").arg(row));
    QCOMPARE(screen_->grid()->currentRow(), next);
    QCOMPARE(screen_->grid()->currentColumn(), int(Tzhahaotihuanfrm::kLabelColumn));
    QCOMPARE(boxes_->texts(), QStringList());
}

void TestBundleLabels::leavingTheLabelWithoutEnter_data()
{
    QTest::addColumn<QString>("typed");  // into bundle 1's label before leaving
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toColumn");
    QTest::addColumn<QStringList>("messages");
    const QStringList reminder{QStringLiteral("请按回车键移动记录")};
    QTest::newRow("typed, to the bundle number") << "甲" << 0 << 1 << reminder;
    QTest::newRow("typed, to the order number") << "甲" << 0 << 0 << reminder;
    QTest::newRow("typed, to the next bundle's label") << "甲" << 1 << 2 << reminder;
    QTest::newRow("nothing typed, to the bundle number") << "" << 0 << 1 << reminder;
    QTest::newRow("nothing typed, to the next bundle's label") << "" << 1 << 2 << QStringList{};
}

void TestBundleLabels::leavingTheLabelWithoutEnter()
{
    QFETCH(QString, typed);
    QFETCH(int, toRow);
    QFETCH(int, toColumn);
    QFETCH(QStringList, messages);
    listLot(QStringLiteral("K1"), 1);
    if (!typed.isEmpty())
        typeLabel(0, typed);
    screen_->grid()->setCurrentCell(toRow, toColumn);  // closes the editor, keeping its text
    QCOMPARE(boxes_->texts(), messages);
    // Nothing is written, but the typed text stays in its cell...
    QCOMPARE(label(QStringLiteral("K1"), 1), QString(""));
    QCOMPARE(screen_->grid()->item(0, 2)->text(), typed);
    QCOMPARE(screen_->unsavedLabels().value(1), typed);
    // ...so that Enter on it still writes it.
    screen_->grid()->setCurrentCell(0, Tzhahaotihuanfrm::kLabelColumn);
    screen_->gridEnter();
    QCOMPARE(label(QStringLiteral("K1"), 1), typed);
    QCOMPARE(boxes_->texts(), messages);
}

void TestBundleLabels::typedLabelSurvivesReopeningAndSave()
{
    listLot(QStringLiteral("K1"), 1);
    typeLabel(0, QStringLiteral("甲"));
    screen_->grid()->setCurrentCell(2, Tzhahaotihuanfrm::kLabelColumn);
    QCOMPARE(boxes_->texts(), QStringList{QStringLiteral("请按回车键移动记录")});
    typeLabel(2, QStringLiteral("丙"));
    QTest::keyClick(currentEditor(), Qt::Key_Return);
    // The list was read again: bundle 3 is written, bundle 1's text is still there, unwritten.
    QCOMPARE(label(QStringLiteral("K1"), 3), QStringLiteral("丙"));
    QCOMPARE(label(QStringLiteral("K1"), 1), QString(""));
    QCOMPARE(shownBundles(), (QStringList{"K1|1|甲", "K1|2|", "K1|3|丙"}));
    QCOMPARE(screen_->unsavedLabels(), (QHash<int, QString>{{1, QStringLiteral("甲")}}));
    // 保存 writes it before it reports.
    boxes_->clear();
    screen_->btnsaveClick();
    QCOMPARE(label(QStringLiteral("K1"), 1), QStringLiteral("甲"));
    QCOMPARE(label(QStringLiteral("K1"), 2), QString(""));
    QCOMPARE(boxes_->texts(), QStringList{QStringLiteral("保存完毕")});
    QVERIFY(!screen_->isVisible());
}

void TestBundleLabels::saveAndClose_data()
{
    QTest::addColumn<int>("bed");  // the lot listed; 0: none
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("closed");
    QTest::newRow("保存 with bundles listed") << 1 << "保  存" << QStringList{"保存完毕"} << true;
    QTest::newRow("保存 before anything is listed") << 0 << "保  存" << QStringList{} << false;
    QTest::newRow("保存 on a lot without coupons") << 9 << "保  存" << QStringList{} << false;
    QTest::newRow("关闭") << 1 << "关闭" << QStringList{} << true;
    QTest::newRow("关闭 with nothing listed") << 0 << "关闭" << QStringList{} << true;
}

void TestBundleLabels::saveAndClose()
{
    QFETCH(int, bed);
    QFETCH(QString, button);
    QFETCH(QStringList, messages);
    QFETCH(bool, closed);
    if (bed > 0)
        listLot(QStringLiteral("K1"), bed);
    QPushButton* pressed = screen_->button(button);
    QVERIFY(pressed);
    pressed->click();
    QCOMPARE(boxes_->texts(), messages);
    if (!messages.isEmpty())
        QCOMPARE(boxes_->shown.last().caption, QStringLiteral("提示信息"));
    QCOMPARE(!screen_->isVisible(), closed);
    // Nothing was typed: no label changed.
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM printout WHERE chbed<>'' OR chbed IS NULL")).scalar().toInt(), 0);
}

void TestBundleLabels::choosingTheInputMethod()
{
    QComboBox* methods = screen_->inputMethodBox();
    QCOMPARE(methods->count(), 1);
    QCOMPARE(methods->itemText(0), QGuiApplication::inputMethod()->locale().nativeLanguageName());
    // A grid takes no input-method text of its own until one is chosen.
    QVERIFY(!screen_->grid()->testAttribute(Qt::WA_InputMethodEnabled));
    emit methods->activated(0);
    QVERIFY(screen_->grid()->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(screen_->grid()->viewport()->testAttribute(Qt::WA_InputMethodEnabled));
}

QTEST_MAIN(TestBundleLabels)
#include "tst_zhahaotihuan.moc"
