#include "personnel/worker.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/listreport.h"
#include "common/messages.h"
#include "common/output.h"
#include "common/screenkit.h"
#include "common/screenregistry.h"
#include "personnel/checkyuangong.h"
#include "personnel/employeesheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kListSql = QStringLiteral("SELECT * FROM personnel ORDER BY deptid, personnelid");
const QString kCardTaken = QStringLiteral("该卡号已经录入,请重新录入");
const QString kNumberTaken = QStringLiteral("该员工号已经存在，请重新输入");

struct SubList {
    const char* table;
    const char* key;  // the column that holds the employee number
    QList<QPair<const char*, const char*>> columns;  // column, caption
};

const QList<SubList>& subLists()
{
    static const QList<SubList> lists = {
        {"xueli", "personnelid", {{"yeardate", " 时 间"}, {"type", " 学  历 "}}},
        {"job", "personnelid", {{"yeardate", "时间"}, {"type", "经历"}}},
        {"diaodong", "personid",
         {{"dtime", "调动时间"}, {"bwork", "原来职位"}, {"hwork", "调动后职位"}, {"season", "调动原因"}, {"shehe", "审批人"}}},
    };
    return lists;
}

QTableWidget* subGrid(QWidget* parent, const SubList& s)
{
    auto* grid = new QTableWidget(0, int(s.columns.size()), parent);
    QStringList captions;
    for (const auto& c : s.columns)
        captions << QString::fromUtf8(c.second);
    grid->setHorizontalHeaderLabels(captions);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setProperty("enterMovesFocus", false);
    return grid;
}

}  // namespace

Tworkerfrm::Tworkerfrm(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("员工管理"));
    build();
    reloadLookups();
    loadList();
    setEditing(false);
}

void Tworkerfrm::build()
{
    auto* tools = new QHBoxLayout;
    for (const char* caption : {"新  增", "修  改", "删  除", "保  存", "取  消", "查  询", "打   印", "关   闭"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    list_ = new QTableWidget(0, 2, this);
    list_->setHorizontalHeaderLabels({QStringLiteral("员工编号"), QStringLiteral("员工姓名")});
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(22);
    list_->setMaximumWidth(240);

    panel_ = new QWidget(this);
    auto* fields = new QGridLayout(panel_);
    int position = 0;
    auto text = [&](const QString& table, const QString& column, const QString& caption, QGridLayout* grid, int* at) {
        auto* box = new QLineEdit(grid->parentWidget());
        bind(table, column, box);
        addField(grid, (*at)++, caption, box, 3);
        return box;
    };
    auto lookup = [&](const QString& table, const QString& column, const QString& caption, QGridLayout* grid, int* at,
                      const QString& dictionary = {}) {
        auto* combo = new QComboBox(grid->parentWidget());
        combo->setProperty("lookup", true);
        bind(table, column, combo);
        QWidget* editor = combo;
        if (!dictionary.isEmpty()) {
            // The dictionary's own screen, opened beside the field; its list is read again after.
            auto* holder = new QWidget(grid->parentWidget());
            auto* row = new QHBoxLayout(holder);
            row->setContentsMargins(0, 0, 0, 0);
            row->addWidget(combo, 1);
            auto* open = new QToolButton(holder);
            open->setText(QStringLiteral("…"));
            open->setEnabled(screens::isRegistered(dictionary));
            row->addWidget(open);
            connect(open, &QToolButton::clicked, this, [this, dictionary] {
                screens::open(dictionary, OpenMode::Modal);
                reloadLookups();
            });
            editor = holder;
        }
        addField(grid, (*at)++, caption, editor, 3);
        return combo;
    };
    auto date = [&](const QString& table, const QString& column, const QString& caption, QGridLayout* grid, int* at) {
        auto* box = new QDateEdit(grid->parentWidget());
        box->setCalendarPopup(true);
        box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        allowBlankDate(box);
        bind(table, column, box);
        addField(grid, (*at)++, caption, box, 3);
        return box;
    };
    const QString p = QStringLiteral("personnel");
    text(p, QStringLiteral("personnelid"), QStringLiteral("员工编号"), fields, &position)->setMaxLength(20);
    text(p, QStringLiteral("personnelname"), QStringLiteral("员工名称"), fields, &position);
    auto* sex = new QComboBox(panel_);
    sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    sex->setCurrentIndex(-1);
    bind(p, QStringLiteral("sex"), sex);
    addField(fields, position++, QStringLiteral("性别"), sex, 3);
    text(p, QStringLiteral("kardNO"), QStringLiteral("IC卡号"), fields, &position);
    lookup(p, QStringLiteral("type"), QStringLiteral("所属类型"), fields, &position, QStringLiteral("Tworktypefrm"));
    lookup(p, QStringLiteral("deptid"), QStringLiteral("所属部门"), fields, &position, QStringLiteral("Tbumenfrm"));
    lookup(p, QStringLiteral("zhiweiid"), QStringLiteral("职位"), fields, &position, QStringLiteral("Tzhiweifrm"));
    date(p, QStringLiteral("worktime"), QStringLiteral("入厂时间"), fields, &position);
    text(p, QStringLiteral("personnelcard"), QStringLiteral("身份证号"), fields, &position);
    text(p, QStringLiteral("address"), QStringLiteral("地址"), fields, &position);
    text(p, QStringLiteral("telphone"), QStringLiteral("联系电话"), fields, &position);
    lookup(p, QStringLiteral("hunyin"), QStringLiteral("婚姻情况"), fields, &position);
    lookup(p, QStringLiteral("roomid"), QStringLiteral("住房"), fields, &position, QStringLiteral("Troomfrm"));
    text(p, QStringLiteral("roomlie"), QStringLiteral("床位"), fields, &position);
    lookup(p, QStringLiteral("onedept"), QStringLiteral("二级部门"), fields, &position, QStringLiteral("Tonedeptfrm"));
    lookup(p, QStringLiteral("twodept"), QStringLiteral("三级部门"), fields, &position, QStringLiteral("Ttwodeptfrm"));
    auto* left = new QCheckBox(QStringLiteral("是否离职"), panel_);
    left->setEnabled(false);  // set by the leaving screen only
    left->setProperty("readOnly", true);
    bind(p, QStringLiteral("zaizhi"), left);
    fields->addWidget(left, position / 3, (position % 3) * 2 + 1);

    pages_ = new QTabWidget(this);
    const QString l = QStringLiteral("personlabel");
    {
        auto* page = new QWidget;
        auto* g = new QGridLayout(page);
        int at = 0;
        date(l, QStringLiteral("birthday"), QStringLiteral("出生日期"), g, &at);
        text(l, QStringLiteral("high"), QStringLiteral("身高"), g, &at);
        text(l, QStringLiteral("heith"), QStringLiteral("体重"), g, &at);
        lookup(l, QStringLiteral("bood"), QStringLiteral("血型"), g, &at);
        lookup(l, QStringLiteral("countryid"), QStringLiteral("国籍"), g, &at, QStringLiteral("Tcountryfrm"));
        lookup(l, QStringLiteral("shengjiid"), QStringLiteral("省籍"), g, &at, QStringLiteral("Tshengjifrm"));
        lookup(l, QStringLiteral("mingzhuid"), QStringLiteral("民族"), g, &at, QStringLiteral("Tmingzhu"));
        lookup(l, QStringLiteral("zhongjiaoid"), QStringLiteral("宗教信念"), g, &at, QStringLiteral("Tzhongjiaofrm"));
        text(l, QStringLiteral("zhuzhi"), QStringLiteral("户籍"), g, &at);
        text(l, QStringLiteral("mobile"), QStringLiteral("手机"), g, &at);
        text(l, QStringLiteral("email"), QStringLiteral("电子邮件"), g, &at);
        auto* contact = new QGroupBox(QStringLiteral("紧急联络"), page);
        auto* cg = new QGridLayout(contact);
        int c = 0;
        text(l, QStringLiteral("pepo"), QStringLiteral("联络人"), cg, &c);
        lookup(l, QStringLiteral("guanxi"), QStringLiteral("关系"), cg, &c);
        text(l, QStringLiteral("Tel"), QStringLiteral("电话"), cg, &c);
        g->addWidget(contact, (at + 2) / 3, 0, 1, 6);
        g->setRowStretch((at + 2) / 3 + 1, 1);  // the fields stay together at the top
        pages_->addTab(page, QStringLiteral("个人资料"));
    }
    auto subPage = [&](int index, QWidget* page, QVBoxLayout* layout) {
        const SubList& s = subLists()[index];
        QTableWidget* grid = subGrid(page, s);
        auto* b = new QHBoxLayout;
        QPushButton* add = addButton(b, QStringLiteral("增加"), page);
        QPushButton* remove = addButton(b, QStringLiteral("删除"), page);
        QPushButton* post = addButton(b, QStringLiteral("保存"), page);
        b->addStretch();
        const QString table = QString::fromLatin1(s.table);
        connect(add, &QPushButton::clicked, this, [this, table] { addSubRow(table); });
        connect(remove, &QPushButton::clicked, this, [this, table] { removeSubRow(table); });
        // A cell being typed is posted to the list; the list reaches the database with 保  存.
        connect(post, &QPushButton::clicked, grid, [grid] { grid->setCurrentCell(-1, -1); });
        layout->addWidget(grid, 1);
        layout->addLayout(b);
        return grid;
    };
    {
        auto* page = new QWidget;
        auto* v = new QVBoxLayout(page);
        auto* g = new QGridLayout;
        int at = 0;
        text(l, QStringLiteral("tech"), QStringLiteral("驾驶技能"), g, &at);
        text(l, QStringLiteral("technologe"), QStringLiteral("专长"), g, &at);
        text(l, QStringLiteral("aihao"), QStringLiteral("爱好"), g, &at);
        v->addLayout(g);
        auto* languages = new QHBoxLayout;
        const QList<QPair<const char*, const char*>> langs = {{"yueyulan", "粤语"}, {"chinalan", "国语"},
                                                               {"Englishlan", "英语"}, {"kejialan", "客家语"},
                                                               {"jinpanlan", "日语"}, {"otherlan", "其他"}};
        for (const auto& [column, caption] : langs) {
            auto* box = new QCheckBox(QString::fromUtf8(caption), page);
            bind(l, QString::fromLatin1(column), box);
            languages->addWidget(box);
        }
        languages->addStretch();
        v->addLayout(languages);
        xueli_ = subPage(0, page, v);
        pages_->addTab(page, QStringLiteral("学历技能"));
    }
    {
        auto* page = new QWidget;
        auto* v = new QVBoxLayout(page);
        job_ = subPage(1, page, v);
        auto* remarks = new QPlainTextEdit(page);
        remarks->setMaximumHeight(80);
        bind(l, QStringLiteral("beizhu"), remarks);
        v->addWidget(remarks);
        pages_->addTab(page, QStringLiteral("工作简历"));
    }
    {
        auto* page = new QWidget;
        auto* v = new QVBoxLayout(page);
        diaodong_ = subPage(2, page, v);
        pages_->addTab(page, QStringLiteral("调动记录"));
    }

    auto* right = new QVBoxLayout;
    right->addWidget(panel_);
    right->addWidget(pages_, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(list_);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(body, 1);
    resize(980, 640);
    installEnterMovesFocus(this);

    connect(list_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!editing_)
            showEmployee(row);
    });
    connect(button(QStringLiteral("新  增")), &QPushButton::clicked, this, &Tworkerfrm::btnaddClick);
    connect(button(QStringLiteral("修  改")), &QPushButton::clicked, this, &Tworkerfrm::btneditClick);
    connect(button(QStringLiteral("删  除")), &QPushButton::clicked, this, &Tworkerfrm::btndeleteClick);
    connect(button(QStringLiteral("保  存")), &QPushButton::clicked, this, &Tworkerfrm::btnsaveClick);
    connect(button(QStringLiteral("取  消")), &QPushButton::clicked, this, &Tworkerfrm::btncancelClick);
    connect(button(QStringLiteral("查  询")), &QPushButton::clicked, this, &Tworkerfrm::btnqueryClick);
    connect(button(QStringLiteral("打   印")), &QPushButton::clicked, this,
            [this] { report::preview(listDocument(), this); });
    connect(button(QStringLiteral("关   闭")), &QPushButton::clicked, this, &QWidget::close);
    onLeave(textField(QStringLiteral("personnel.personnelid")), [this] { personnelidLeft(); }, button(QStringLiteral("取  消")));
    onLeave(textField(QStringLiteral("personnel.kardNO")), [this] { kardNoLeft(); }, button(QStringLiteral("取  消")));
}

void Tworkerfrm::bind(const QString& table, const QString& column, QWidget* editor)
{
    bindings_.append({table, column, editor});
}

QWidget* Tworkerfrm::field(const QString& column) const
{
    for (const Binding& b : bindings_)
        if (b.table + QLatin1Char('.') + b.column == column)
            return b.editor;
    return nullptr;
}

QLineEdit* Tworkerfrm::textField(const QString& column) const
{
    return qobject_cast<QLineEdit*>(field(column));
}

QComboBox* Tworkerfrm::comboField(const QString& column) const
{
    return qobject_cast<QComboBox*>(field(column));
}

QTableWidget* Tworkerfrm::subList(const QString& table) const
{
    if (table == QLatin1String("xueli"))
        return xueli_;
    if (table == QLatin1String("job"))
        return job_;
    return table == QLatin1String("diaodong") ? diaodong_ : nullptr;
}

QPushButton* Tworkerfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

int Tworkerfrm::currentRow() const
{
    return list_->currentRow();
}

void Tworkerfrm::reloadLookups()
{
    const QList<QPair<QString, QString>> lookups = {
        {QStringLiteral("personnel.type"), QStringLiteral("SELECT typename, typename FROM worktype ORDER BY typename")},
        {QStringLiteral("personnel.deptid"), QStringLiteral("SELECT deptid, deptname FROM dept ORDER BY deptid")},
        {QStringLiteral("personnel.zhiweiid"), QStringLiteral("SELECT zhiweiid, zhiwei FROM zhiwei ORDER BY zhiweiid")},
        {QStringLiteral("personnel.hunyin"), QStringLiteral("SELECT typeid, type FROM ObjectType WHERE label='hunyin' ORDER BY typeid")},
        {QStringLiteral("personnel.roomid"), QStringLiteral("SELECT roomid, roomid FROM room ORDER BY roomid")},
        {QStringLiteral("personnel.onedept"), QStringLiteral("SELECT sysid, onedept FROM onedept ORDER BY sysid")},
        {QStringLiteral("personnel.twodept"), QStringLiteral("SELECT twoid, twodept FROM twodept ORDER BY twoid")},
        {QStringLiteral("personlabel.bood"), QStringLiteral("SELECT typeid, type FROM ObjectType WHERE label='xuexing' ORDER BY typeid")},
        {QStringLiteral("personlabel.guanxi"), QStringLiteral("SELECT typeid, type FROM ObjectType WHERE label='guanxi' ORDER BY typeid")},
        {QStringLiteral("personlabel.countryid"), QStringLiteral("SELECT countryid, country FROM country ORDER BY country")},
        {QStringLiteral("personlabel.shengjiid"), QStringLiteral("SELECT shengjiid, shengjiname FROM shengji ORDER BY shengjiname")},
        {QStringLiteral("personlabel.mingzhuid"), QStringLiteral("SELECT minzhuid, minzhuname FROM minzhu ORDER BY minzhuname")},
        {QStringLiteral("personlabel.zhongjiaoid"), QStringLiteral("SELECT zhongjiaoid, zhongjiaoname FROM zhongjiao ORDER BY zhongjiaoname")},
    };
    try {
        for (const auto& [column, sql] : lookups)
            fillLookup(comboField(column), sql);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}

void Tworkerfrm::loadList()
{
    listSource_ = [] {
        db::Query q(kListSql);
        q.exec();
        return q;
    };
    reloadList();
}

void Tworkerfrm::reloadList()
{
    try {
        db::Query q = listSource_();
        showRows(q);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}

void Tworkerfrm::showRows(db::Query& executed)
{
    // The list keeps what it shows; the whole record is read for the current employee only.
    rows_.clear();
    const QSqlRecord record = executed.raw().record();
    const int id = record.indexOf(QStringLiteral("id"));
    const int number = record.indexOf(QStringLiteral("personnelid"));
    const int name = record.indexOf(QStringLiteral("personnelname"));
    while (executed.next()) {
        Row row;
        row.values.insert(QStringLiteral("id"), executed.value(id));
        row.values.insert(QStringLiteral("personnelid"), executed.value(number));
        row.values.insert(QStringLiteral("personnelname"), executed.value(name));
        rows_ << row;
    }
    list_->blockSignals(true);
    list_->setRowCount(int(rows_.size()));
    for (int r = 0; r < rows_.size(); ++r) {
        list_->setItem(r, 0, new QTableWidgetItem(rows_[r].values.value(QStringLiteral("personnelid")).toString()));
        list_->setItem(r, 1, new QTableWidgetItem(rows_[r].values.value(QStringLiteral("personnelname")).toString()));
    }
    if (!rows_.isEmpty())
        list_->setCurrentCell(0, 0);
    list_->blockSignals(false);
    showEmployee(rows_.isEmpty() ? -1 : 0);
}

QVariant Tworkerfrm::editorValue(QWidget* editor) const
{
    if (auto* box = qobject_cast<QLineEdit*>(editor))
        return box->text().trimmed().isEmpty() ? QVariant() : QVariant(box->text().trimmed());
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() < 0)
            return {};
        return isLookup(combo) ? combo->currentData() : QVariant(combo->currentText());
    }
    if (auto* box = qobject_cast<QDateEdit*>(editor))
        return box->date() == box->minimumDate() ? QVariant() : QVariant(box->date());
    if (auto* box = qobject_cast<QCheckBox*>(editor))
        return box->isChecked() ? 1 : 0;
    if (auto* box = qobject_cast<QPlainTextEdit*>(editor))
        return box->toPlainText().isEmpty() ? QVariant() : QVariant(box->toPlainText());
    return {};
}

void Tworkerfrm::setEditorValue(QWidget* editor, const QVariant& value)
{
    if (auto* box = qobject_cast<QLineEdit*>(editor))
        box->setText(value.toString().trimmed());
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(value.isNull() ? -1
                                              : (isLookup(combo) ? combo->findData(value.toString().trimmed())
                                                                 : combo->findText(value.toString().trimmed())));
    else if (auto* box = qobject_cast<QDateEdit*>(editor))
        box->setDate(value.isNull() ? box->minimumDate() : db::toDate(value));
    else if (auto* box = qobject_cast<QCheckBox*>(editor))
        box->setChecked(value.toInt() != 0);
    else if (auto* box = qobject_cast<QPlainTextEdit*>(editor))
        box->setPlainText(value.toString());
}

void Tworkerfrm::clearEditors()
{
    for (const Binding& b : bindings_)
        setEditorValue(b.editor, QVariant());
    for (QTableWidget* grid : {xueli_, job_, diaodong_})
        grid->setRowCount(0);
}

void Tworkerfrm::showEmployee(int row)
{
    if (row < 0 || row >= rows_.size()) {
        clearEditors();
        return;
    }
    QVariantMap values;
    QVariantMap label;
    try {
        db::Query person(QStringLiteral("SELECT * FROM personnel WHERE id=:id"));
        person.bind(QStringLiteral(":id"), rows_[row].values.value(QStringLiteral("id"))).exec();
        if (person.next()) {
            const QSqlRecord record = person.raw().record();
            for (int i = 0; i < record.count(); ++i)
                values.insert(record.fieldName(i).toLower(), person.value(i));
        }
        db::Query q(QStringLiteral("SELECT personlabel.* FROM personlabel, personnel WHERE personnel.id=personlabel.personid "
                                   "AND personlabel.personid=:a"));
        q.bind(QStringLiteral(":a"), values.value(QStringLiteral("id"))).exec();
        if (q.next()) {
            const QSqlRecord record = q.raw().record();
            for (int i = 0; i < record.count(); ++i)
                label.insert(record.fieldName(i).toLower(), q.value(i));
        }
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
    for (const Binding& b : bindings_)
        setEditorValue(b.editor, (b.table == QLatin1String("personnel") ? values : label).value(b.column.toLower()));
    readSubLists(values.value(QStringLiteral("personnelid")).toString());
}

void Tworkerfrm::readSubLists(const QString& personnelid)
{
    for (int i = 0; i < subLists().size(); ++i) {
        const SubList& s = subLists()[i];
        QTableWidget* grid = subList(QString::fromLatin1(s.table));
        grid->setRowCount(0);
        QStringList columns;
        for (const auto& c : s.columns)
            columns << QString::fromLatin1(c.first);
        try {
            db::Query q(QStringLiteral("SELECT %1 FROM %2 WHERE %3=:p ORDER BY id")
                            .arg(columns.join(QStringLiteral(", ")), QLatin1String(s.table), QLatin1String(s.key)));
            q.bind(QStringLiteral(":p"), personnelid).exec();
            while (q.next()) {
                const int r = grid->rowCount();
                grid->insertRow(r);
                for (int c = 0; c < columns.size(); ++c) {
                    const QVariant v = q.value(c);
                    const QString text = columns[c] == QLatin1String("dtime") && !v.isNull()
                                             ? db::toDate(v).toString(QStringLiteral("yyyy-MM-dd"))
                                             : v.toString();
                    grid->setItem(r, c, new QTableWidgetItem(text));
                }
            }
        } catch (const db::DbError& e) {
            msg::error(e.message(), QStringLiteral("错误"), this);
        }
    }
}

void Tworkerfrm::setEditing(bool on)
{
    editing_ = on;
    list_->setEnabled(!on);
    for (const char* caption : {"新  增", "修  改", "删  除"})
        button(QString::fromUtf8(caption))->setEnabled(!on);
    button(QStringLiteral("保  存"))->setEnabled(on);
    panel_->setEnabled(on);
    for (int i = 0; i < pages_->count(); ++i)
        pages_->widget(i)->setEnabled(on);
}

void Tworkerfrm::btnaddClick()
{
    adding_ = true;
    editingRow_ = -1;
    clearEditors();
    qobject_cast<QDateEdit*>(field(QStringLiteral("personnel.worktime")))->setDate(QDate::currentDate());
    setEditing(true);
    textField(QStringLiteral("personnel.personnelid"))->setFocus();
}

void Tworkerfrm::btneditClick()
{
    if (rows_.isEmpty() || currentRow() < 0)
        return;
    adding_ = false;
    editingRow_ = currentRow();
    setEditing(true);
}

void Tworkerfrm::btncancelClick()
{
    setEditing(false);
    adding_ = false;
    showEmployee(currentRow());
}

void Tworkerfrm::btndeleteClick()
{
    if (!msg::ask(QStringLiteral("是否要删除该记录"), QStringLiteral("询问"), this))
        return;
    setEditing(false);
    const int row = currentRow();
    if (row < 0 || row >= rows_.size())
        return;
    try {
        // The employee's details, education, history and transfers stay in their tables.
        db::Query(QStringLiteral("DELETE FROM personnel WHERE id=:id"))
            .bind(QStringLiteral(":id"), rows_[row].values.value(QStringLiteral("id")))
            .exec();
    } catch (const db::DbError& e) {
        msg::error(QStringLiteral("删除失败\n") + e.message(), QStringLiteral("错误"), this);
        return;
    }
    reloadList();
}

bool Tworkerfrm::numberTaken(const QString& personnelid) const
{
    db::Query q(QStringLiteral("SELECT id FROM personnel WHERE personnelid=:a"));
    q.bind(QStringLiteral(":a"), personnelid).exec();
    return q.next();
}

QString Tworkerfrm::cardOwner(const QString& card, const QVariant& exceptId) const
{
    db::Query q(QStringLiteral("SELECT id, personnelid FROM personnel WHERE kardNO=:a"));
    q.bind(QStringLiteral(":a"), card).exec();
    while (q.next())
        if (exceptId.isNull() || q.value(0).toLongLong() != exceptId.toLongLong())
            return q.value(1).toString();
    return {};
}

void Tworkerfrm::personnelidLeft()
{
    const QString number = textField(QStringLiteral("personnel.personnelid"))->text().trimmed();
    if (!editing_ || !adding_ || number.isEmpty())
        return;
    try {
        if (numberTaken(number))
            msg::warning(kNumberTaken, QStringLiteral("提示"), this);
    } catch (const db::DbError&) {
        // the save checks again
    }
}

void Tworkerfrm::kardNoLeft()
{
    QLineEdit* box = textField(QStringLiteral("personnel.kardNO"));
    const QString card = box->text().trimmed();
    if (!editing_ || card.isEmpty())
        return;
    const QVariant self = adding_ ? QVariant() : rows_.value(editingRow_).values.value(QStringLiteral("id"));
    try {
        if (!cardOwner(card, self).isEmpty()) {
            msg::warning(kCardTaken, QStringLiteral("提示"), this);
            box->setFocus();
        }
    } catch (const db::DbError&) {
        // the save checks again
    }
}

bool Tworkerfrm::btnsaveClick()
{
    for (const char* column : {"personnel.worktime", "personnel.kardNO", "personnel.personnelid", "personnel.personnelname",
                               "personnel.type", "personnel.deptid", "personnel.zhiweiid"})
        if (editorValue(field(QString::fromLatin1(column))).isNull()) {
            msg::warning(QStringLiteral("请输入完整资料"), QStringLiteral("提示"), this);
            return false;
        }
    const QString number = editorValue(field(QStringLiteral("personnel.personnelid"))).toString();
    const QString card = editorValue(field(QStringLiteral("personnel.kardNO"))).toString();
    const QVariant self = adding_ ? QVariant() : rows_.value(editingRow_).values.value(QStringLiteral("id"));
    try {
        if (adding_ && numberTaken(number)) {
            msg::warning(kNumberTaken, QStringLiteral("提示"), this);
            return false;
        }
        // A card already given to someone else would pay their punches to the wrong person.
        if (!cardOwner(card, self).isEmpty()) {
            msg::warning(kCardTaken, QStringLiteral("提示"), this);
            return false;
        }
        store();
    } catch (const db::DbError& e) {
        if (e.isUniqueViolation()) {
            // Another workstation stored the same number or card a moment ago.
            const bool cardClash = !cardOwner(card, self).isEmpty();
            msg::warning(cardClash ? kCardTaken : kNumberTaken, QStringLiteral("提示"), this);
        } else {
            msg::error(QStringLiteral("保存失败，员工资料没有存入：\n") + e.message(), QStringLiteral("错误"), this);
        }
        return false;
    }
    setEditing(false);
    adding_ = false;
    reloadList();
    for (int r = 0; r < rows_.size(); ++r)
        if (rows_[r].values.value(QStringLiteral("personnelid")).toString().trimmed() == number) {
            list_->setCurrentCell(r, 0);
            showEmployee(r);
        }
    return true;
}

void Tworkerfrm::store()
{
    db::Transaction tx;
    QVariantMap person;
    QVariantMap label;
    for (const Binding& b : bindings_) {
        if (b.column == QLatin1String("zaizhi"))
            continue;  // the leaving screen's
        (b.table == QLatin1String("personnel") ? person : label).insert(b.column, editorValue(b.editor));
    }
    person.insert(QStringLiteral("deptname"), comboField(QStringLiteral("personnel.deptid"))->currentText());
    QVariant id;
    QString oldNumber;
    if (adding_) {
        QStringList names;
        QStringList params;
        for (auto it = person.cbegin(); it != person.cend(); ++it) {
            names << it.key();
            params << QLatin1Char(':') + it.key();
        }
        db::Query insert(QStringLiteral("INSERT INTO personnel(%1) VALUES(%2) RETURNING id")
                             .arg(names.join(QStringLiteral(", ")), params.join(QStringLiteral(", "))));
        for (auto it = person.cbegin(); it != person.cend(); ++it)
            insert.bind(QLatin1Char(':') + it.key(), it.value());
        insert.exec();
        if (insert.next())
            id = insert.value(0);
    } else {
        id = rows_.value(editingRow_).values.value(QStringLiteral("id"));
        oldNumber = rows_.value(editingRow_).values.value(QStringLiteral("personnelid")).toString().trimmed();
        QStringList sets;
        for (auto it = person.cbegin(); it != person.cend(); ++it)
            sets << QStringLiteral("%1=:%1").arg(it.key());
        db::Query update(QStringLiteral("UPDATE personnel SET %1 WHERE id=:self").arg(sets.join(QStringLiteral(", "))));
        for (auto it = person.cbegin(); it != person.cend(); ++it)
            update.bind(QLatin1Char(':') + it.key(), it.value());
        update.bind(QStringLiteral(":self"), id).exec();
    }
    if (id.isNull())
        throw db::DbError(QStringLiteral("员工资料没有存入。"));
    // The personal details: one row per employee, keyed by the employee's id.
    db::Query(QStringLiteral("DELETE FROM personlabel WHERE personid=:id")).bind(QStringLiteral(":id"), id).exec();
    {
        QStringList names{QStringLiteral("personid")};
        QStringList params{QStringLiteral(":personid")};
        for (auto it = label.cbegin(); it != label.cend(); ++it) {
            names << it.key();
            params << QLatin1Char(':') + it.key();
        }
        db::Query insert(QStringLiteral("INSERT INTO personlabel(%1) VALUES(%2)")
                             .arg(names.join(QStringLiteral(", ")), params.join(QStringLiteral(", "))));
        insert.bind(QStringLiteral(":personid"), id);
        for (auto it = label.cbegin(); it != label.cend(); ++it)
            insert.bind(QLatin1Char(':') + it.key(), it.value());
        insert.exec();
    }
    // The three lists hold exactly the rows shown, under the employee's (possibly new) number.
    const QString number = person.value(QStringLiteral("personnelid")).toString();
    for (const SubList& s : subLists()) {
        for (const QString& who : {oldNumber, number})
            if (!who.isEmpty())
                db::Query(QStringLiteral("DELETE FROM %1 WHERE %2=:p").arg(QLatin1String(s.table), QLatin1String(s.key)))
                    .bind(QStringLiteral(":p"), who)
                    .exec();
        QTableWidget* grid = subList(QString::fromLatin1(s.table));
        QStringList names{QString::fromLatin1(s.key)};
        QStringList params{QStringLiteral(":k")};
        for (int c = 0; c < s.columns.size(); ++c) {
            names << QString::fromLatin1(s.columns[c].first);
            params << QStringLiteral(":c%1").arg(c);
        }
        for (int r = 0; r < grid->rowCount(); ++r) {
            db::Query insert(QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                                 .arg(QLatin1String(s.table), names.join(QStringLiteral(", ")), params.join(QStringLiteral(", "))));
            insert.bind(QStringLiteral(":k"), number);
            bool any = false;
            for (int c = 0; c < s.columns.size(); ++c) {
                const QString text = grid->item(r, c) ? grid->item(r, c)->text().trimmed() : QString();
                any = any || !text.isEmpty();
                QVariant value = text.isEmpty() ? QVariant() : QVariant(text);
                if (QLatin1String(s.columns[c].first) == QLatin1String("dtime") && !text.isEmpty()) {
                    const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
                    if (!d.isValid())
                        throw db::DbError(QStringLiteral("调动时间“%1”不是日期（例如 2026-12-01）。").arg(text));
                    value = d;
                }
                insert.bind(QStringLiteral(":c%1").arg(c), value);
            }
            if (any)
                insert.exec();
        }
    }
    tx.commit();
}

void Tworkerfrm::addSubRow(const QString& table)
{
    QTableWidget* grid = subList(table);
    const int r = grid->rowCount();
    grid->insertRow(r);
    grid->setCurrentCell(r, 0);
}

void Tworkerfrm::removeSubRow(const QString& table)
{
    QTableWidget* grid = subList(table);
    if (grid->rowCount() > 0 && grid->currentRow() >= 0)
        grid->removeRow(grid->currentRow());
}

void Tworkerfrm::btnqueryClick()
{
    Tcheckyuangongfrm query(this);
    if (query.exec() != QDialog::Accepted)
        return;
    const EmployeeFilter filter = query.filter();
    listSource_ = [filter] { return employeeQuery(filter); };
    reloadList();
}

report::Document Tworkerfrm::listDocument() const
{
    report::ListReport r = personnel::employeeSheet(QStringLiteral("入厂时间"));
    db::Query q = listSource_();
    while (q.next()) {
        auto v = [&q](const char* column) { return q.value(QString::fromLatin1(column)); };
        r.rows.append(personnel::sheetRow({v("personnelid").toString(), v("personnelname").toString(),
                                           v("deptname").toString(), v("type").toString(), db::toDate(v("worktime")),
                                           v("telphone").toString(), v("address").toString(), v("zaizhi").toInt() != 0}));
    }
    return report::layout(r);
}
