#include "common/db.h"
#include "common/recordset.h"
#include "personnel/country.h"
#include "personnel/mingzhu.h"
#include "personnel/shengji.h"
#include "personnel/worktype.h"
#include "personnel/zhongjiao.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

namespace {

struct Dictionary {
    const char* table;
    const char* column;
    const char* duplicate;
};

NameDictionaryScreen* makeScreen(const QString& table)
{
    if (table == QLatin1String("country"))
        return new Tcountryfrm;
    if (table == QLatin1String("shengji"))
        return new Tshengjifrm;
    if (table == QLatin1String("minzhu"))
        return new Tmingzhu;
    return new Tzhongjiaofrm;
}

const Dictionary kDictionaries[] = {
    {"country", "country", "此国籍已经存在,请重新输入!"},
    {"shengji", "shengjiname", "此省籍已经存在,请重新输入!"},
    {"minzhu", "minzhuname", "此民族名已经存在,请重新输入!"},
    {"zhongjiao", "zhongjiaoname", "此宗教名已经存在,请重新输入!"},
};

}  // namespace

// The four name dictionaries and the worker types, driven through their buttons.
class TestNameDictionaries : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void addsAndDeletesANameWithAQuote_data();
    void addsAndDeletesANameWithAQuote();
    void saveRefusals_data();
    void saveRefusals();
    void newClearsTheBoxAndLocksDelete();
    void deleteAnsweredNoKeepsTheName();

    void workerTypeAddedAndDeleted_data();
    void workerTypeAddedAndDeleted();
    void workerTypeTakenIsRefused_data();
    void workerTypeTakenIsRefused();
    void enterInTheTypeBoxSaves();

private:
    void openDictionary(const QString& table);
    void selectName(const QString& name);
    int count(const QString& table, const QString& where = QStringLiteral("1=1"), const QString& value = {})
    {
        Query q(QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(table, where));
        if (!value.isNull())
            q.bind(QStringLiteral(":v"), value);
        return q.scalar().toInt();
    }

    std::unique_ptr<FakeMessages> unexpected_;
    std::unique_ptr<NameDictionaryScreen> dictionary_;
    std::unique_ptr<Tworktypefrm> types_;
};

void TestNameDictionaries::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<FakeMessages>();
    QVERIFY(db::TryConnect(testdb::freshDatabase(), QString()));
    for (const Dictionary& d : kDictionaries)
        Query(QStringLiteral("INSERT INTO %1(%2) VALUES('中国'), (' 广东 ')")
                  .arg(QLatin1String(d.table), QLatin1String(d.column)))
            .exec();
    Query(QStringLiteral("INSERT INTO worktype(typename) VALUES('计件'), ('计时')")).exec();
}

void TestNameDictionaries::cleanup()
{
    dictionary_.reset();
    types_.reset();
    Connection::main().close();
    if (unexpected_)
        QVERIFY2(unexpected_->shown.isEmpty(), qPrintable(unexpected_->texts().join(QLatin1Char('|'))));
    unexpected_.reset();
}

void TestNameDictionaries::openDictionary(const QString& table)
{
    dictionary_.reset(makeScreen(table));
    dictionary_->show();
}

void TestNameDictionaries::selectName(const QString& name)
{
    const int row = int(dictionary_->names().indexOf(name));
    QVERIFY2(row >= 0, qPrintable(name));
    QTableView* grid = dictionary_->grid();
    grid->setCurrentIndex(grid->model()->index(row, 0));
}

void TestNameDictionaries::addsAndDeletesANameWithAQuote_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    for (const Dictionary& d : kDictionaries)
        QTest::newRow(d.table) << QString::fromLatin1(d.table) << QString::fromLatin1(d.column);
}

void TestNameDictionaries::addsAndDeletesANameWithAQuote()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    const QString name = QStringLiteral("Côte d'Ivoire");
    openDictionary(table);
    FakeMessages boxes;
    boxes.answers = {true};
    dictionary_->button(QStringLiteral("新 增"))->click();
    for (const QChar ch : QStringLiteral("  ") + name + QStringLiteral(" "))
        QTest::sendKeyEvent(QTest::Click, dictionary_->nameBox(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
    dictionary_->button(QStringLiteral("保 存"))->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
    // Stored exactly once, without the blanks typed around it.
    QCOMPARE(count(table, column + QStringLiteral("=:v"), name), 1);
    QVERIFY(dictionary_->names().contains(name));
    QVERIFY(!dictionary_->nameBox()->isEnabled());
    QVERIFY(dictionary_->button(QStringLiteral("删 除"))->isEnabled());

    selectName(name);
    QCOMPARE(dictionary_->nameBox()->text(), name);
    dictionary_->button(QStringLiteral("删 除"))->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("是否要删除该条记录?将会影响员工的数据")});
    QCOMPARE(count(table, column + QStringLiteral("=:v"), name), 0);
    QCOMPARE(count(table), 2);  // only that one went
    QVERIFY(!dictionary_->names().contains(name));
}

void TestNameDictionaries::saveRefusals_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("pressNew");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("boxStaysOpen");
    for (const Dictionary& d : kDictionaries) {
        const QString t = QString::fromLatin1(d.table);
        const QString dup = QString::fromUtf8(d.duplicate);
        QTest::addRow("%s: same name", d.table) << t << true << "中国" << dup << true;
        // Blanks around a name do not make it another name, whichever side has them.
        QTest::addRow("%s: blanks around an existing name", d.table) << t << true << " 中国  " << dup << true;
        QTest::addRow("%s: existing name stored with blanks", d.table) << t << true << "广东" << dup << true;
        QTest::addRow("%s: only blanks", d.table) << t << true << "   " << "输入信息有误,请重新输入!" << false;
        QTest::addRow("%s: without 新增", d.table) << t << false << "" << "输入信息有误,请重新输入!" << false;
    }
}

void TestNameDictionaries::saveRefusals()
{
    QFETCH(QString, table);
    QFETCH(bool, pressNew);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(bool, boxStaysOpen);
    openDictionary(table);
    FakeMessages boxes;
    if (pressNew)
        dictionary_->button(QStringLiteral("新 增"))->click();
    dictionary_->nameBox()->setText(typed);
    dictionary_->button(QStringLiteral("保 存"))->click();
    QCOMPARE(boxes.texts(), QStringList{message});
    QCOMPARE(boxes.shown.first().caption, QStringLiteral("信息提示"));
    QCOMPARE(count(table), 2);
    QCOMPARE(dictionary_->nameBox()->isEnabled(), boxStaysOpen);
    QCOMPARE(dictionary_->button(QStringLiteral("删 除"))->isEnabled(), !boxStaysOpen);
}

void TestNameDictionaries::newClearsTheBoxAndLocksDelete()
{
    openDictionary(QStringLiteral("country"));
    QVERIFY(!dictionary_->nameBox()->isEnabled());
    selectName(QStringLiteral("中国"));
    QCOMPARE(dictionary_->nameBox()->text(), QStringLiteral("中国"));
    dictionary_->button(QStringLiteral("新 增"))->click();
    QVERIFY(dictionary_->nameBox()->isEnabled());
    QVERIFY(dictionary_->nameBox()->text().isEmpty());
    QVERIFY(!dictionary_->button(QStringLiteral("删 除"))->isEnabled());
}

void TestNameDictionaries::deleteAnsweredNoKeepsTheName()
{
    openDictionary(QStringLiteral("minzhu"));
    FakeMessages boxes;
    boxes.answers = {false};
    selectName(QStringLiteral("中国"));
    dictionary_->button(QStringLiteral("删 除"))->click();
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(count(QStringLiteral("minzhu")), 2);
    QCOMPARE(dictionary_->names().size(), 2);
}

void TestNameDictionaries::workerTypeAddedAndDeleted_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << "包装" << "包装";
    QTest::newRow("quote and blanks") << " 'A' 班 " << "'A' 班";
}

void TestNameDictionaries::workerTypeAddedAndDeleted()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    types_ = std::make_unique<Tworktypefrm>();
    types_->show();
    FakeMessages boxes;
    boxes.answers = {true};
    types_->button(QStringLiteral("新   增"))->click();
    types_->nameBox()->setText(typed);
    types_->button(QStringLiteral("保   存"))->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("类型添加成功！")});
    QCOMPARE(count(QStringLiteral("worktype"), QStringLiteral("typename=:v"), stored), 1);
    QCOMPARE(types_->records()->size(), 3);
    QVERIFY(types_->nameBox()->text().isEmpty());

    const int row = types_->records()->findRow(QStringLiteral("typename"), stored);
    QVERIFY(row >= 0);
    const QModelIndex cell = types_->grid()->model()->index(row, 0);
    QTest::mouseClick(types_->grid()->viewport(), Qt::LeftButton, {}, types_->grid()->visualRect(cell).center());
    QCOMPARE(types_->nameBox()->text(), stored);
    boxes.clear();
    types_->button(QStringLiteral("删   除"))->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("是否要删除该记录，将会影响员工的数据")});
    QCOMPARE(count(QStringLiteral("worktype"), QStringLiteral("typename=:v"), stored), 0);
    QCOMPARE(count(QStringLiteral("worktype")), 2);
    QCOMPARE(types_->records()->size(), 2);
    QVERIFY(types_->nameBox()->text().isEmpty());
}

void TestNameDictionaries::workerTypeTakenIsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("same") << "计件";
    QTest::newRow("with blanks") << " 计件 ";
}

void TestNameDictionaries::workerTypeTakenIsRefused()
{
    QFETCH(QString, typed);
    types_ = std::make_unique<Tworktypefrm>();
    types_->show();
    FakeMessages boxes;
    types_->nameBox()->setText(typed);
    types_->button(QStringLiteral("保   存"))->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("此类型已经存在请重新输入")});
    QCOMPARE(boxes.shown.first().caption, QStringLiteral("信息提示"));
    QCOMPARE(types_->nameBox()->selectedText(), typed);
    QCOMPARE(count(QStringLiteral("worktype")), 2);
    QCOMPARE(types_->records()->size(), 2);
}

void TestNameDictionaries::enterInTheTypeBoxSaves()
{
    types_ = std::make_unique<Tworktypefrm>();
    types_->show();
    FakeMessages boxes;
    types_->nameBox()->setText(QStringLiteral("车位"));
    QTest::keyClick(types_->nameBox(), Qt::Key_Return);
    QCOMPARE(boxes.last(), QStringLiteral("类型添加成功！"));
    QCOMPARE(count(QStringLiteral("worktype"), QStringLiteral("typename=:v"), QStringLiteral("车位")), 1);
}

QTEST_MAIN(TestNameDictionaries)
#include "tst_namedictionaries.moc"
