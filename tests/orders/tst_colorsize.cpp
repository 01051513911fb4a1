#include "common/db.h"
#include "common/editcontroller.h"
#include "common/recordset.h"
#include "orders/color.h"
#include "orders/colorgroups.h"
#include "orders/ma.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using db::Connection;
using db::Query;

namespace {

// The colour and size sides of the fixture: five dictionary entries, the set 春款 holding the
// first two, the set 夏款 holding none.
struct Side {
    const char* dictionary;
    const char* key;
    const char* name;
    const char* members;
    QStringList entries;
};

const Side& side(const QString& which)
{
    static const Side colours{
        "color", "sysid", "colorname", "colorzu", {"红", "白", "黑", "蓝", "灰"}};
    static const Side sizes{"ma", "id", "ma", "mazu", {"S", "M", "L", "XL", "XXL"}};
    return which == QLatin1String("colours") ? colours : sizes;
}

QStringList shown(const RecordSet* rows)
{
    QStringList names;
    for (int i = 0; i < rows->rowCount(); ++i)
        names << rows->data(rows->index(i, 0)).toString();
    return names;
}

// "0 2" -> the first and third entries of the side.
QStringList entries(const Side& s, const QString& positions)
{
    QStringList names;
    for (const QString& p : positions.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        names << s.entries.at(p.toInt());
    return names;
}

// A closed editor is deleted once the deferred deletions run.
bool closed(const SetListScreen* screen)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !screen->openedEditor();
}

void select(QTableView* grid, const RecordSet* rows, const QString& name)
{
    const int row = int(shown(rows).indexOf(name));
    QVERIFY2(row >= 0, qPrintable(name));
    grid->setCurrentIndex(rows->index(row, 0));
}

}  // namespace

class TestColorSize : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void dictionarySavesANewRow_data();
    void dictionarySavesANewRow();
    void dictionaryRefusals_data();
    void dictionaryRefusals();
    void dictionaryEditKeepsItsOwnName();
    void dictionaryDeleteLeavesTheSets_data();
    void dictionaryDeleteLeavesTheSets();
    void enterInTheColourNameSaves();

    void editorMovesMembers_data();
    void editorMovesMembers();
    void newSetStoresItsMembers_data();
    void newSetStoresItsMembers();
    void confirmRefusals_data();
    void confirmRefusals();
    void otherWorkstationMakesConfirmFail_data();
    void otherWorkstationMakesConfirmFail();
    void cancelDiscards_data();
    void cancelDiscards();
    void deleteLeavesTheMembers_data();
    void deleteLeavesTheMembers();

private:
    static void addSides();
    DictionaryScreen* dictionary(const QString& which);
    SetListScreen* sets(const QString& which);
    // The members of a set as names, in key order.
    QStringList stored(const Side& s, const QString& set);
    int count(const QString& table)
    {
        return Query(QStringLiteral("SELECT count(*) FROM ") + table).scalar().toInt();
    }
    void openSet(SetListScreen* screen, const QString& set);

    std::unique_ptr<QWidget> screen_;
};

void TestColorSize::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    QVERIFY(db::TryConnect(testdb::freshDatabase(), QString()));
    for (const QString& which : {QStringLiteral("colours"), QStringLiteral("sizes")}) {
        const Side& s = side(which);
        for (int i = 0; i < s.entries.size(); ++i) {
            Query add(which == QLatin1String("colours")
                          ? QStringLiteral("INSERT INTO color(color, colorname) VALUES(:c, :n)")
                          : QStringLiteral("INSERT INTO ma(ma) VALUES(:n)"));
            if (which == QLatin1String("colours"))
                add.bind(QStringLiteral(":c"), QStringLiteral("0%1").arg(i + 1));
            add.bind(QStringLiteral(":n"), s.entries.at(i)).exec();
        }
    }
    Query(QStringLiteral(
              "INSERT INTO colortitle(kuangname, beizhu) VALUES('春款', '棉'), ('夏款', NULL)"))
        .exec();
    Query(QStringLiteral(
              "INSERT INTO colorzu(kid, sysid) SELECT t.kid, c.sysid FROM colortitle t, color c "
              "WHERE t.kuangname='春款' AND c.colorname IN ('红', '白')"))
        .exec();
    Query(QStringLiteral("INSERT INTO mazu(kid, id) SELECT t.kid, m.id FROM colortitle t, ma m "
                         "WHERE t.kuangname='春款' AND m.ma IN ('S', 'M')"))
        .exec();
}

void TestColorSize::cleanup()
{
    screen_.reset();
    Connection::main().close();
}

void TestColorSize::addSides()
{
    QTest::addColumn<QString>("which");
}

DictionaryScreen* TestColorSize::dictionary(const QString& which)
{
    DictionaryScreen* screen = which == QLatin1String("colours")
                                   ? static_cast<DictionaryScreen*>(new Tcolorfrm)
                                   : new Tmafrm;
    screen_.reset(screen);
    screen->show();
    return screen;
}

SetListScreen* TestColorSize::sets(const QString& which)
{
    SetListScreen* screen = which == QLatin1String("colours")
                                ? static_cast<SetListScreen*>(new Tyansezufrm)
                                : new Tchimafrm;
    screen_.reset(screen);
    screen->show();
    return screen;
}

QStringList TestColorSize::stored(const Side& s, const QString& set)
{
    Query q(QStringLiteral(
                "SELECT d.%1 FROM %2 z JOIN %3 d ON d.%4 = z.%4 JOIN colortitle t ON t.kid = z.kid "
                "WHERE t.kuangname=:set ORDER BY d.%4")
                .arg(QLatin1String(s.name), QLatin1String(s.members), QLatin1String(s.dictionary),
                     QLatin1String(s.key)));
    q.bind(QStringLiteral(":set"), set).exec();
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}

void TestColorSize::openSet(SetListScreen* screen, const QString& set)
{
    const int row = screen->records()->findRow(QStringLiteral("kuangname"), set);
    QVERIFY(row >= 0);
    screen->editor()->setCurrentRow(row);
    screen->button(QStringLiteral("明  细"))->click();
    QVERIFY(screen->openedEditor());
}

// ---- colours and sizes ----------------------------------------------------------------------

void TestColorSize::dictionarySavesANewRow_data()
{
    addSides();
    QTest::addColumn<QStringList>("typed");  // into the boxes, in their order
    QTest::addColumn<QString>("where");
    QTest::newRow("colour") << "colours" << QStringList{"09", "藏青 O'Neil"}
                            << "color='09' AND colorname='藏青 O''Neil'";
    QTest::newRow("size") << "sizes" << QStringList{"XXXL"} << "ma='XXXL'";
}

void TestColorSize::dictionarySavesANewRow()
{
    QFETCH(QString, which);
    QFETCH(QStringList, typed);
    QFETCH(QString, where);
    const Side& s = side(which);
    FakeMessages boxes;
    DictionaryScreen* screen = dictionary(which);
    QVERIFY(!screen->button(QStringLiteral("保 存"))->isEnabled());
    screen->button(QStringLiteral("新 增"))->click();
    QCOMPARE(screen->editor()->mode(), EditController::Mode::Entry);
    QVERIFY(!screen->button(QStringLiteral(" 删  除  "))->isEnabled());
    const QStringList fields =
        which == QLatin1String("colours") ? QStringList{"color", "colorname"} : QStringList{"ma"};
    for (int i = 0; i < fields.size(); ++i)
        screen->box(fields[i])->setText(typed[i]);
    screen->button(QStringLiteral("保 存"))->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
    QCOMPARE(screen->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM %1 WHERE %2")
                       .arg(QLatin1String(s.dictionary), where))
                 .scalar()
                 .toInt(),
             1);
    QCOMPARE(screen->records()->size(), s.entries.size() + 1);
}

void TestColorSize::dictionaryRefusals_data()
{
    addSides();
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("message");  // empty: the save stops without a word
    QTest::newRow("colour name taken")
        << "colours" << QStringList{"09", "白"} << "该颜色已经重复，请重新输入";
    QTest::newRow("no colour code") << "colours" << QStringList{"", "紫"} << "";
    QTest::newRow("no colour name") << "colours" << QStringList{"09", " "} << "";
    QTest::newRow("size taken") << "sizes" << QStringList{"M"} << "该码数已经重复，请重新输入";
    QTest::newRow("no size") << "sizes" << QStringList{""} << "";
}

void TestColorSize::dictionaryRefusals()
{
    QFETCH(QString, which);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    const Side& s = side(which);
    FakeMessages boxes;
    DictionaryScreen* screen = dictionary(which);
    screen->editor()->add();
    const QStringList fields =
        which == QLatin1String("colours") ? QStringList{"color", "colorname"} : QStringList{"ma"};
    for (int i = 0; i < fields.size(); ++i)
        screen->box(fields[i])->setText(typed[i]);
    screen->button(QStringLiteral("保 存"))->click();
    QCOMPARE(boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(screen->editor()->mode(), EditController::Mode::Entry);  // the typed values stay
    QCOMPARE(screen->box(fields.last())->text(), typed.last());
    QCOMPARE(count(QLatin1String(s.dictionary)), s.entries.size());
}

void TestColorSize::dictionaryEditKeepsItsOwnName()
{
    FakeMessages boxes;
    DictionaryScreen* screen = dictionary(QStringLiteral("colours"));
    screen->editor()->setCurrentRow(1);  // 白
    screen->button(QStringLiteral("修  改"))->click();
    screen->box(QStringLiteral("color"))->setText(QStringLiteral("W1"));
    QVERIFY(screen->editor()->save());
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(
        Query(QStringLiteral("SELECT color FROM color WHERE colorname='白'")).scalar().toString(),
        QStringLiteral("W1"));
}

void TestColorSize::dictionaryDeleteLeavesTheSets_data()
{
    addSides();
    QTest::newRow("colour") << "colours";
    QTest::newRow("size") << "sizes";
}

void TestColorSize::dictionaryDeleteLeavesTheSets()
{
    QFETCH(QString, which);
    const Side& s = side(which);
    FakeMessages boxes;
    boxes.answers = {false, true};
    DictionaryScreen* screen = dictionary(which);
    screen->editor()->setCurrentRow(0);  // a member of 春款
    screen->button(QStringLiteral(" 删  除  "))->click();
    QCOMPARE(boxes.last(), QStringLiteral("是否要删除该记录?"));
    QCOMPARE(count(QLatin1String(s.dictionary)), s.entries.size());
    screen->button(QStringLiteral(" 删  除  "))->click();
    QCOMPARE(count(QLatin1String(s.dictionary)), s.entries.size() - 1);
    QCOMPARE(screen->records()->size(), s.entries.size() - 1);
    QCOMPARE(count(QLatin1String(s.members)), 2);
}

void TestColorSize::enterInTheColourNameSaves()
{
    FakeMessages boxes;
    DictionaryScreen* screen = dictionary(QStringLiteral("colours"));
    QVERIFY(QTest::qWaitForWindowExposed(screen));
    screen->editor()->add();
    QLineEdit* code = screen->box(QStringLiteral("color"));
    QLineEdit* name = screen->box(QStringLiteral("colorname"));
    code->setFocus();
    QTest::keyClicks(code, QStringLiteral("10"));
    QTest::keyClick(code, Qt::Key_Return);
    QCOMPARE(screen->focusWidget(), name);
    QCOMPARE(screen->editor()->mode(), EditController::Mode::Entry);
    name->insert(QStringLiteral("紫"));  // key clicks carry Latin-1 only
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(screen->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(count(QStringLiteral("color WHERE color='10' AND colorname='紫'")), 1);
}

// ---- colour groups and size groups ----------------------------------------------------------

void TestColorSize::editorMovesMembers_data()
{
    addSides();
    QTest::addColumn<QStringList>("steps");  // ">1": select entry 1 among the members, press >
    QTest::addColumn<QString>("left");       // entries shown afterwards, by position
    QTest::addColumn<QString>("right");
    struct Case {
        const char* name;
        QStringList steps;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        {"nothing", {}, "0 1", "2 3 4"},
        {"> on the second", {">1"}, "0", "1 2 3 4"},
        {"> on the first", {">0"}, "1", "0 2 3 4"},
        {"< on the fourth", {"<3"}, "0 1 3", "2 4"},
        {"<<", {"<<"}, "0 1 2 3 4", ""},
        {"<< then >", {"<<", ">0"}, "1 2 3 4", "0"},
        {">>", {">>"}, "", "0 1 2 3 4"},
        {">> then < and <", {">>", "<4", "<1"}, "4 1", "0 2 3"},
        {"< then > on it", {"<2", ">2"}, "0 1", "2 3 4"},
    };
    for (const char* which : {"colours", "sizes"})
        for (const Case& c : cases)
            QTest::addRow("%s: %s", which, c.name) << which << c.steps << c.left << c.right;
}

void TestColorSize::editorMovesMembers()
{
    QFETCH(QString, which);
    QFETCH(QStringList, steps);
    QFETCH(QString, left);
    QFETCH(QString, right);
    const Side& s = side(which);
    FakeMessages boxes;
    SetListScreen* screen = sets(which);
    openSet(screen, QStringLiteral("春款"));
    SetEditor* editor = screen->openedEditor();
    QCOMPARE(editor->nameBox()->text(), QStringLiteral("春款"));
    QCOMPARE(editor->remarkBox()->text(), QStringLiteral("棉"));
    QCOMPARE(shown(editor->members()), entries(s, "0 1"));
    QCOMPARE(shown(editor->choices()), entries(s, "2 3 4"));

    for (const QString& step : steps) {
        if (step == QLatin1String("<<") || step == QLatin1String(">>")) {
            editor->button(step)->click();
            continue;
        }
        const QString name = s.entries.at(step.mid(1).toInt());
        if (step.startsWith(QLatin1Char('>')))
            select(editor->memberGrid(), editor->members(), name);
        else
            select(editor->choiceGrid(), editor->choices(), name);
        editor->button(step.left(1))->click();
    }
    QCOMPARE(shown(editor->members()), entries(s, left));
    QCOMPARE(shown(editor->choices()), entries(s, right));

    // 确定 stores exactly the members shown, and the list is read again.
    editor->button(QStringLiteral("确定"))->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
    QVERIFY(closed(screen));
    QStringList expected = entries(s, left);
    std::sort(expected.begin(), expected.end(), [&](const QString& a, const QString& b) {
        return s.entries.indexOf(a) < s.entries.indexOf(b);
    });
    QCOMPARE(stored(s, QStringLiteral("春款")), expected);
    QCOMPARE(screen->records()->size(), 2);
}

void TestColorSize::newSetStoresItsMembers_data()
{
    addSides();
    QTest::addColumn<QString>("remark");
    QTest::newRow("colours") << "colours"
                             << "";
    QTest::newRow("sizes") << "sizes"
                           << "童装";
}

void TestColorSize::newSetStoresItsMembers()
{
    QFETCH(QString, which);
    QFETCH(QString, remark);
    const Side& s = side(which);
    FakeMessages boxes;
    SetListScreen* screen = sets(which);
    screen->button(QStringLiteral("新 增"))->click();
    SetEditor* editor = screen->openedEditor();
    QVERIFY(editor);
    QCOMPARE(editor->nameBox()->text(), QString());
    QCOMPARE(shown(editor->members()), QStringList());
    QCOMPARE(shown(editor->choices()), s.entries);
    editor->nameBox()->setText(QStringLiteral("秋款"));
    editor->remarkBox()->setText(remark);
    select(editor->choiceGrid(), editor->choices(), s.entries.at(2));
    editor->button(QStringLiteral("<"))->click();
    select(editor->choiceGrid(), editor->choices(), s.entries.at(0));
    editor->button(QStringLiteral("<"))->click();
    QVERIFY(editor->confirm());
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(stored(s, QStringLiteral("秋款")), entries(s, "0 2"));
    Query set(QStringLiteral("SELECT kid, beizhu FROM colortitle WHERE kuangname='秋款'"));
    QVERIFY(set.exec().next());
    QCOMPARE(set.value(1).isNull(), remark.isEmpty());
    QCOMPARE(set.text(QStringLiteral("beizhu")), remark);
    // The list shows the new set as the current one.
    QCOMPARE(screen->records()->size(), 3);
    QCOMPARE(screen->records()->text(screen->editor()->currentRow(), QStringLiteral("kuangname")),
             QStringLiteral("秋款"));
    QCOMPARE(count(QLatin1String(s.members)), 4);
}

void TestColorSize::confirmRefusals_data()
{
    addSides();
    QTest::addColumn<QString>("set");  // empty: a new set
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    for (const char* which : {"colours", "sizes"}) {
        QTest::addRow("%s: new set named like another", which) << which << ""
                                                               << "春款"
                                                               << "该组合已重复，请重新录入";
        QTest::addRow("%s: set renamed like another", which) << which << "夏款"
                                                             << "春款"
                                                             << "该组合已重复，请重新录入";
        QTest::addRow("%s: no name", which) << which << ""
                                            << " "
                                            << "";
    }
}

void TestColorSize::confirmRefusals()
{
    QFETCH(QString, which);
    QFETCH(QString, set);
    QFETCH(QString, name);
    QFETCH(QString, message);
    const Side& s = side(which);
    FakeMessages boxes;
    SetListScreen* screen = sets(which);
    if (set.isEmpty())
        screen->button(QStringLiteral("新 增"))->click();
    else
        openSet(screen, set);
    SetEditor* editor = screen->openedEditor();
    editor->nameBox()->setText(name);
    editor->button(QStringLiteral("<<"))->click();
    editor->button(QStringLiteral("确定"))->click();
    QCOMPARE(boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    // Nothing is written, and the editor stays open with what was typed and chosen.
    QVERIFY(!closed(screen));
    QVERIFY(editor->isVisible());
    QCOMPARE(shown(editor->members()), s.entries);
    QCOMPARE(count(QStringLiteral("colortitle")), 2);
    QCOMPARE(count(QLatin1String(s.members)), 2);
    QCOMPARE(stored(s, QStringLiteral("春款")), entries(s, "0 1"));
}

void TestColorSize::otherWorkstationMakesConfirmFail_data()
{
    addSides();
    QTest::addColumn<bool>("deleteSet");  // else it gives the set the member being added
    for (const char* which : {"colours", "sizes"}) {
        QTest::addRow("%s: set deleted", which) << which << true;
        QTest::addRow("%s: member added", which) << which << false;
    }
}

void TestColorSize::otherWorkstationMakesConfirmFail()
{
    QFETCH(QString, which);
    QFETCH(bool, deleteSet);
    const Side& s = side(which);
    FakeMessages boxes;
    SetListScreen* screen = sets(which);
    openSet(screen, QStringLiteral("春款"));
    SetEditor* editor = screen->openedEditor();
    editor->nameBox()->setText(QStringLiteral("春款二"));
    editor->button(QStringLiteral("<"))->click();  // the third entry
    if (deleteSet) {
        Query(QStringLiteral("DELETE FROM colortitle WHERE kuangname='春款'")).exec();
    } else {
        Query(QStringLiteral("INSERT INTO %1(kid, %2) SELECT t.kid, d.%2 FROM colortitle t, %3 d "
                             "WHERE t.kuangname='春款' AND d.%4=:n")
                  .arg(QLatin1String(s.members), QLatin1String(s.key), QLatin1String(s.dictionary),
                       QLatin1String(s.name)))
            .bind(QStringLiteral(":n"), s.entries.at(2))
            .exec();
    }
    QVERIFY(!editor->confirm());
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("更新失败")});
    QVERIFY(!closed(screen));
    // The rename and the members go together or not at all.
    QCOMPARE(count(QStringLiteral("colortitle WHERE kuangname='春款二'")), 0);
    QCOMPARE(count(QLatin1String(s.members)), deleteSet ? 2 : 3);
}

void TestColorSize::cancelDiscards_data()
{
    addSides();
    QTest::newRow("colours") << "colours";
    QTest::newRow("sizes") << "sizes";
}

void TestColorSize::cancelDiscards()
{
    QFETCH(QString, which);
    const Side& s = side(which);
    SetListScreen* screen = sets(which);
    openSet(screen, QStringLiteral("春款"));
    SetEditor* editor = screen->openedEditor();
    editor->nameBox()->setText(QStringLiteral("改名"));
    editor->button(QStringLiteral(">>"))->click();
    editor->button(QStringLiteral("取消"))->click();
    QVERIFY(closed(screen));
    QCOMPARE(stored(s, QStringLiteral("春款")), entries(s, "0 1"));
    QCOMPARE(count(QStringLiteral("colortitle WHERE kuangname='春款'")), 1);
}

void TestColorSize::deleteLeavesTheMembers_data()
{
    addSides();
    QTest::newRow("colours") << "colours";
    QTest::newRow("sizes") << "sizes";
}

void TestColorSize::deleteLeavesTheMembers()
{
    QFETCH(QString, which);
    FakeMessages boxes;
    boxes.answers = {false, true};
    SetListScreen* screen = sets(which);
    screen->editor()->setCurrentRow(0);  // 春款
    screen->button(QStringLiteral(" 删  除  "))->click();
    QCOMPARE(boxes.last(), QStringLiteral("是否要删除该记录?"));
    QCOMPARE(count(QStringLiteral("colortitle")), 2);
    screen->button(QStringLiteral(" 删  除  "))->click();
    QCOMPARE(count(QStringLiteral("colortitle WHERE kuangname='春款'")), 0);
    QCOMPARE(screen->records()->size(), 1);
    QCOMPARE(count(QStringLiteral("colorzu")), 2);
    QCOMPARE(count(QStringLiteral("mazu")), 2);
}

QTEST_MAIN(TestColorSize)
#include "tst_colorsize.moc"
