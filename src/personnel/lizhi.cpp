#include "personnel/lizhi.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/menucatalog.h"
#include "common/messages.h"
#include "common/output.h"
#include "common/recordset.h"
#include "common/screenkit.h"
#include "common/screenregistry.h"
#include "personnel/employeesheet.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kAdd = QStringLiteral("增加离职");
const QString kCancel = QStringLiteral("取消离职");
const QString kPrint = QStringLiteral("离职员工打印");
const QString kOneDept = QStringLiteral("二级部门…");
const QString kTwoDept = QStringLiteral("三级部门…");

// US Letter (8.5 × 11 in) with quarter-inch margins.

struct View {
    const char* column;  // the column of the statement that fills it
    const char* caption;
};

// The employee's record: lookups show the dictionary's name, not the stored key.
const View kRecord[] = {{"personnelid", "员工编号"}, {"personnelname", "员工姓名"}, {"sex", "性别"},
                        {"kardNO", "IC卡号"},         {"type", "所属类型"},           {"deptname", "所属部门"},
                        {"zhiweiname", "职位"},       {"worktime", "入厂时间"},       {"personnelcard", "身份证号"},
                        {"address", "住址"},          {"telphone", "联系电话"},       {"hunyinname", "婚姻情况"},
                        {"roomid", "住房"},           {"roomlie", "床位"},            {"onedeptname", "二级部门"},
                        {"twodeptname", "三级部门"},  {"lizhidate", "离职日期"}};
const View kDetails[] = {{"birthday", "出生日期"},   {"high", "身高"},           {"heith", "体重"},
                         {"boodname", "血型"},       {"countryname", "国籍"},    {"shengjiname", "省籍"},
                         {"minzhuname", "民族"},     {"zhongjiaoname", "宗教信念"}, {"zhuzhi", "户籍"},
                         {"mobile", "手机"},         {"email", "电子邮件"}};
const View kContact[] = {{"pepo", "紧急联络人"}, {"guanxiname", "关系"}, {"Tel", "电话"}};
const View kSkills[] = {{"tech", "驾驶技能"}, {"technologe", "专长"}, {"aihao", "爱好"}};
const View kLanguages[] = {{"yueyulan", "粤语"},  {"chinalan", "国语"},   {"Englishlan", "英语"},
                           {"kejialan", "客家语"}, {"jinpanlan", "日语"}, {"otherlan", "其他"}};

const QString kRecordSql = QStringLiteral(
    "SELECT p.*, z.zhiwei AS zhiweiname, h.type AS hunyinname, o.onedept AS onedeptname, "
    "t.twodept AS twodeptname FROM personnel p "
    "LEFT JOIN zhiwei z ON z.zhiweiid = p.zhiweiid "
    "LEFT JOIN ObjectType h ON h.label = 'hunyin' AND h.typeid = p.hunyin "
    "LEFT JOIN onedept o ON o.sysid = p.onedept "
    "LEFT JOIN twodept t ON t.twoid = p.twodept WHERE p.id = :a");
const QString kDetailsSql = QStringLiteral(
    "SELECT l.*, b.type AS boodname, c.country AS countryname, s.shengjiname, m.minzhuname, "
    "zj.zhongjiaoname, g.type AS guanxiname FROM personlabel l "
    "LEFT JOIN ObjectType b ON b.label = 'xuexing' AND b.typeid = l.bood "
    "LEFT JOIN country c ON c.countryid = l.countryid "
    "LEFT JOIN shengji s ON s.shengjiid = l.shengjiid "
    "LEFT JOIN minzhu m ON m.minzhuid = l.mingzhuid "
    "LEFT JOIN zhongjiao zj ON zj.zhongjiaoid = l.zhongjiaoid "
    "LEFT JOIN ObjectType g ON g.label = 'guanxi' AND g.typeid = l.guanxi WHERE l.personid = :a");

QTableWidget* readOnlyGrid(const QStringList& captions, QWidget* parent)
{
    auto* grid = new QTableWidget(0, int(captions.size()), parent);
    grid->setHorizontalHeaderLabels(captions);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    return grid;
}

// Shows a date-time column as a date, other columns as they stand.
QString shown(const db::Query& q, const QString& column)
{
    const QVariant v = q.value(column);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate)
        return db::toDate(v).toString(QStringLiteral("yyyy-MM-dd"));
    return v.toString().trimmed();
}

// Replaces a grid's rows by the given columns of the executed query's rows.
void fillGrid(QTableWidget* grid, db::Query& q, const QStringList& columns, const QStringList& dateColumns = {})
{
    grid->setRowCount(0);
    while (q.next()) {
        const int row = grid->rowCount();
        grid->insertRow(row);
        for (int c = 0; c < columns.size(); ++c) {
            const QString text = dateColumns.contains(columns[c])
                                     ? db::toDate(q.value(columns[c])).toString(QStringLiteral("yyyy-MM-dd"))
                                     : shown(q, columns[c]);
            grid->setItem(row, c, new QTableWidgetItem(text));
        }
    }
}

}  // namespace

Tlizhifrm::Tlizhifrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("lizhifrm"));
    setWindowTitle(QStringLiteral("离职员工档案"));

    // Top group: the employee to mark, the date of leaving and the actions.
    auto* top = new QGroupBox(this);
    auto* topFields = new QGridLayout(top);
    number_ = new QLineEdit(top);
    number_->setMaxLength(20);
    name_ = new QLineEdit(top);
    name_->setMaxLength(50);
    card_ = new QLineEdit(top);
    card_->setReadOnly(true);
    card_->setFocusPolicy(Qt::NoFocus);
    date_ = new QDateEdit(QDate::currentDate(), top);
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    addField(topFields, 0, QStringLiteral("员工编号"), number_, 4);
    addField(topFields, 1, QStringLiteral("员工姓名"), name_, 4);
    addField(topFields, 2, QStringLiteral("卡   号"), card_, 4);
    addField(topFields, 3, QStringLiteral("离职日期"), date_, 4);
    auto* actions = new QHBoxLayout;
    buttons_ << addButton(actions, kAdd, top) << addButton(actions, kCancel, top) << addButton(actions, kPrint, top);
    actions->addStretch();
    topFields->addLayout(actions, 1, 0, 1, 8);

    // Left: the employees who have left.
    list_ = new RecordSet(this);
    list_->setColumns({{QStringLiteral("personnelid"), QStringLiteral("员工编号")},
                       {QStringLiteral("personnelname"), QStringLiteral("员工姓名")}});
    grid_ = listGrid(this, list_);
    grid_->verticalHeader()->hide();

    // Right: the current employee's record, read-only.
    auto* right = new QWidget(this);
    auto* record = new QGridLayout;
    int position = 0;
    for (const View& v : kRecord) {
        auto* box = new QLineEdit(right);
        box->setReadOnly(true);
        fields_.insert(QString::fromLatin1(v.column).toLower(), box);
        addField(record, position++, QString::fromUtf8(v.caption), box, 3);
    }
    auto* left = new QCheckBox(QStringLiteral("是否离职"), right);
    left->setEnabled(false);
    checks_.insert(QStringLiteral("zaizhi"), left);
    auto* dictionaries = new QHBoxLayout;
    dictionaries->addWidget(left);
    buttons_ << addButton(dictionaries, kOneDept, right) << addButton(dictionaries, kTwoDept, right);
    dictionaries->addStretch();

    pages_ = new QTabWidget(right);
    // 个人资料
    auto* personal = new QWidget(pages_);
    auto* personalGrid = new QGridLayout;
    position = 0;
    for (const View& v : kDetails) {
        auto* box = new QLineEdit(personal);
        box->setReadOnly(true);
        fields_.insert(QString::fromLatin1(v.column).toLower(), box);
        addField(personalGrid, position++, QString::fromUtf8(v.caption), box, 3);
    }
    auto* contact = new QGroupBox(QStringLiteral("紧急联络"), personal);
    auto* contactGrid = new QGridLayout(contact);
    position = 0;
    for (const View& v : kContact) {
        auto* box = new QLineEdit(contact);
        box->setReadOnly(true);
        fields_.insert(QString::fromLatin1(v.column).toLower(), box);
        addField(contactGrid, position++, QString::fromUtf8(v.caption), box, 3);
    }
    auto* personalLayout = new QVBoxLayout(personal);
    personalLayout->addLayout(personalGrid);
    personalLayout->addWidget(contact);
    personalLayout->addStretch();
    pages_->addTab(personal, QStringLiteral("个人资料"));

    // 学历技能
    auto* skills = new QWidget(pages_);
    auto* skillsGrid = new QGridLayout;
    position = 0;
    for (const View& v : kSkills) {
        auto* box = new QLineEdit(skills);
        box->setReadOnly(true);
        fields_.insert(QString::fromLatin1(v.column).toLower(), box);
        addField(skillsGrid, position++, QString::fromUtf8(v.caption), box, 3);
    }
    auto* languages = new QHBoxLayout;
    for (const View& v : kLanguages) {
        auto* box = new QCheckBox(QString::fromUtf8(v.caption), skills);
        box->setEnabled(false);
        checks_.insert(QString::fromLatin1(v.column).toLower(), box);
        languages->addWidget(box);
    }
    languages->addStretch();
    education_ = readOnlyGrid({QStringLiteral(" 时 间"), QStringLiteral(" 学  历 ")}, skills);
    auto* skillsLayout = new QVBoxLayout(skills);
    skillsLayout->addLayout(skillsGrid);
    skillsLayout->addLayout(languages);
    skillsLayout->addWidget(education_, 1);
    pages_->addTab(skills, QStringLiteral("学历技能"));

    // 工作简历
    auto* work = new QWidget(pages_);
    history_ = readOnlyGrid({QStringLiteral("时间"), QStringLiteral("经历")}, work);
    remarks_ = new QPlainTextEdit(work);
    remarks_->setReadOnly(true);
    auto* workLayout = new QVBoxLayout(work);
    workLayout->addWidget(history_, 2);
    workLayout->addWidget(remarks_, 1);
    pages_->addTab(work, QStringLiteral("工作简历"));

    // 调动记录
    transfers_ = readOnlyGrid({QStringLiteral("调动时间"), QStringLiteral("原来职位"), QStringLiteral("调动后职位"),
                               QStringLiteral("调动原因"), QStringLiteral("审批人")},
                              pages_);
    pages_->addTab(transfers_, QStringLiteral("调动记录"));

    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(record);
    rightLayout->addLayout(dictionaries);
    rightLayout->addWidget(pages_, 1);

    auto* split = new QSplitter(this);
    split->addWidget(grid_);
    split->addWidget(right);
    split->setStretchFactor(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(split, 1);
    resize(980, 660);

    number_->installEventFilter(this);
    name_->installEventFilter(this);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { showCurrent(); });
    connect(list_, &QAbstractItemModel::modelReset, this, [this] { showCurrent(); });
    connect(button(kAdd), &QPushButton::clicked, this, &Tlizhifrm::btnaddClick);
    connect(button(kCancel), &QPushButton::clicked, this, &Tlizhifrm::btncancelClick);
    connect(button(kPrint), &QPushButton::clicked, this,
            [this] { guarded([this] { report::preview(leavingDocument(), this); }, this); });
    // The dictionary screens open modally; whatever they change shows when the employee is
    // shown again.
    for (const auto& [caption, form] : {std::pair{kOneDept, QStringLiteral("Tonedeptfrm")},
                                        std::pair{kTwoDept, QStringLiteral("Ttwodeptfrm")}}) {
        const QString formClass = form;
        connect(button(caption), &QPushButton::clicked, this, [this, formClass] {
            screens::open(formClass, OpenMode::Modal);
            showCurrent();
        });
    }
    FormShow();
}

QPushButton* Tlizhifrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tlizhifrm::FormShow()
{
    guarded(
        [this] {
            db::Query q(QStringLiteral("SELECT * FROM personnel WHERE zaizhi = 1 ORDER BY personnelid"));
            q.exec();
            list_->load(q);
        },
        this);
    if (list_->size() > 0)
        grid_->selectRow(0);
    showCurrent();
}

void Tlizhifrm::clearDetails()
{
    for (QLineEdit* box : std::as_const(fields_))
        box->clear();
    for (QCheckBox* box : std::as_const(checks_))
        box->setChecked(false);
    remarks_->clear();
    education_->setRowCount(0);
    history_->setRowCount(0);
    transfers_->setRowCount(0);
}

void Tlizhifrm::showCurrent()
{
    clearDetails();
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
    if (row < 0 || row >= list_->size())
        return;
    const QVariant id = list_->value(row, QStringLiteral("id"));
    const QString number = list_->text(row, QStringLiteral("personnelid"));
    guarded(
        [&] {
            db::Query rec(kRecordSql);
            rec.bind(QStringLiteral(":a"), id).exec();
            if (rec.next()) {
                for (const View& v : kRecord)
                    fields_.value(QString::fromLatin1(v.column).toLower())->setText(shown(rec, QString::fromLatin1(v.column)));
                checks_.value(QStringLiteral("zaizhi"))->setChecked(rec.value(QStringLiteral("zaizhi")).toInt() != 0);
            }
            // A missing personal-details row shows as empty fields.
            db::Query details(kDetailsSql);
            details.bind(QStringLiteral(":a"), id).exec();
            if (details.next()) {
                auto show = [&](const View& v) {
                    fields_.value(QString::fromLatin1(v.column).toLower())
                        ->setText(shown(details, QString::fromLatin1(v.column)));
                };
                for (const View& v : kDetails)
                    show(v);
                for (const View& v : kContact)
                    show(v);
                for (const View& v : kSkills)
                    show(v);
                for (const View& v : kLanguages)
                    checks_.value(QString::fromLatin1(v.column).toLower())
                        ->setChecked(details.value(QString::fromLatin1(v.column)).toInt() != 0);
                remarks_->setPlainText(details.text(QStringLiteral("beizhu")));
            }
            db::Query xueli(QStringLiteral("SELECT yeardate, type FROM xueli WHERE personnelid = :a ORDER BY id"));
            xueli.bind(QStringLiteral(":a"), number).exec();
            fillGrid(education_, xueli, {QStringLiteral("yeardate"), QStringLiteral("type")});
            db::Query job(QStringLiteral("SELECT yeardate, type FROM job WHERE personnelid = :a ORDER BY id"));
            job.bind(QStringLiteral(":a"), number).exec();
            fillGrid(history_, job, {QStringLiteral("yeardate"), QStringLiteral("type")});
            db::Query moves(QStringLiteral("SELECT dtime, bwork, hwork, season, shehe FROM diaodong "
                                           "WHERE personid = :a ORDER BY dtime, id"));
            moves.bind(QStringLiteral(":a"), number).exec();
            fillGrid(transfers_, moves,
                     {QStringLiteral("dtime"), QStringLiteral("bwork"), QStringLiteral("hwork"),
                      QStringLiteral("season"), QStringLiteral("shehe")},
                     {QStringLiteral("dtime")});
        },
        this);
}

void Tlizhifrm::fillEmployee(const QString& sql, const QString& value)
{
    guarded(
        [&] {
            db::Query q(sql);
            q.bind(QStringLiteral(":a"), value).exec();
            if (!q.next()) {
                msg::info(sql.contains(QStringLiteral("personnelname"))
                              ? QStringLiteral("没有姓名为 %1 的员工").arg(value)
                              : QStringLiteral("没有员工号为 %1 的员工").arg(value),
                          QStringLiteral("提示信息"), this);
                return;
            }
            const QString number = q.text(QStringLiteral("personnelid")).trimmed();
            number_->setText(number);
            name_->setText(q.text(QStringLiteral("personnelname")).trimmed());
            card_->setText(q.text(QStringLiteral("kardNO")).trimmed());
            // An employee already in the list becomes the one shown.
            const int row = list_->findRow(QStringLiteral("personnelid"), q.value(QStringLiteral("personnelid")));
            if (row >= 0)
                grid_->selectRow(row);
        },
        this);
}

void Tlizhifrm::numberEnter()
{
    const QString number = number_->text().trimmed();
    if (!number.isEmpty())
        fillEmployee(QStringLiteral("SELECT * FROM personnel WHERE personnelid = :a"), number);
}

void Tlizhifrm::nameEnter()
{
    // Two employees may share a name: the one with the lowest number is taken.
    const QString name = name_->text().trimmed();
    if (!name.isEmpty())
        fillEmployee(QStringLiteral("SELECT * FROM personnel WHERE personnelname = :a ORDER BY personnelid"), name);
}

bool Tlizhifrm::knownEmployee(const QString& number)
{
    db::Query q(QStringLiteral("SELECT id FROM personnel WHERE personnelid = :a"));
    if (q.bind(QStringLiteral(":a"), number).exec().next())
        return true;
    msg::info(QStringLiteral("没有员工号为 %1 的员工").arg(number), QStringLiteral("提示信息"), this);
    return false;
}

void Tlizhifrm::setLeaving(const QString& number, bool left)
{
    guarded(
        [&] {
            if (!knownEmployee(number))
                return;
            if (!msg::ask(left ? QStringLiteral("是否要增加离职") : QStringLiteral("是否要取消离职"),
                          QStringLiteral("询问"), this))
                return;
            if (left) {
                db::Query(QStringLiteral("UPDATE personnel SET lizhidate = :a, zaizhi = 1 WHERE personnelid = :b"))
                    .bind(QStringLiteral(":a"), date_->date())
                    .bind(QStringLiteral(":b"), number)
                    .exec();
            } else {
                db::Query(QStringLiteral("UPDATE personnel SET lizhidate = NULL, zaizhi = 0 WHERE personnelid = :b"))
                    .bind(QStringLiteral(":b"), number)
                    .exec();
            }
            FormShow();
            clearTop();
        },
        this);
}

void Tlizhifrm::btnaddClick()
{
    const QString number = number_->text().trimmed();
    if (number.isEmpty()) {
        msg::info(QStringLiteral("请输入员工编号"), QStringLiteral("提示信息"), this);
        return;
    }
    setLeaving(number, true);
}

void Tlizhifrm::btncancelClick()
{
    const QString number = number_->text().trimmed();
    if (number.isEmpty()) {
        msg::info(QStringLiteral("请输入员工编号"), QStringLiteral("提示信息"), this);
        return;
    }
    setLeaving(number, false);
}

void Tlizhifrm::clearTop()
{
    number_->clear();
    name_->clear();
    card_->clear();
}

report::ListReport Tlizhifrm::leavingReport() const
{
    report::ListReport r = personnel::employeeSheet(QStringLiteral("离职时间"));
    for (int i = 0; i < list_->size(); ++i)
        r.rows.append(personnel::sheetRow({list_->text(i, QStringLiteral("personnelid")),
                                           list_->text(i, QStringLiteral("personnelname")),
                                           list_->text(i, QStringLiteral("deptname")), list_->text(i, QStringLiteral("type")),
                                           db::toDate(list_->value(i, QStringLiteral("lizhidate"))),
                                           list_->text(i, QStringLiteral("telphone")),
                                           list_->text(i, QStringLiteral("address")),
                                           list_->value(i, QStringLiteral("zaizhi")).toInt() != 0}));
    return r;
}

report::Document Tlizhifrm::leavingDocument() const
{
    return report::layout(leavingReport());
}

bool Tlizhifrm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == number_ || watched == name_) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == number_)
                numberEnter();
            else
                nameEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
