#include "orders/customer.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/output.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kDuplicate = QStringLiteral("客户名称已重复，请重新输入");

struct Field {
    const char* column;
    const char* caption;
};
const Field kBoxes[] = {{"customer", "客户名称"}, {"telphone", "联系电话"}, {"Fax", "传真电话"},
                        {"man", "联系人"},        {"mobile", "手机"},       {"email", "Email"},
                        {"address", "地址"}};

}  // namespace

Tcustomerfrm::Tcustomerfrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("customerfrm"));
    setWindowTitle(QStringLiteral("客户资料录入"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"新  增", "修  改", "删   除", "保   存", "取   消", "打   印", " 关   闭 "})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    auto* panel = new QGridLayout;
    int position = 0;
    for (const Field& f : kBoxes) {
        auto* edit = new QLineEdit(this);
        boxes_.insert(QString::fromLatin1(f.column), edit);
        addField(panel, position++, QString::fromUtf8(f.caption), edit);
    }

    records_ = new RecordSet(this);
    records_->setTable(QStringLiteral("customer"), {QStringLiteral("custid")}, QStringLiteral("custid"));
    records_->setColumns({{QStringLiteral("customer"), QStringLiteral("客户名称")},
                          {QStringLiteral("man"), QStringLiteral("联系人")},
                          {QStringLiteral("telphone"), QStringLiteral("联系电话")},
                          {QStringLiteral("Fax"), QStringLiteral("传真电话")},
                          {QStringLiteral("mobile"), QStringLiteral("手机")},
                          {QStringLiteral("email"), QStringLiteral("Email")},
                          {QStringLiteral("address"), QStringLiteral("地址")}});
    grid_ = new QTableView(this);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(panel);
    layout->addWidget(grid_, 1);
    resize(760, 480);

    edit_ = new EditController(this, records_, grid_);
    for (const Field& f : kBoxes)
        edit_->bind(QString::fromLatin1(f.column), boxes_.value(QString::fromLatin1(f.column)));
    edit_->setButtons(buttons_[0], buttons_[1], buttons_[2], buttons_[3], buttons_[4]);
    // A name already taken is said first, then what is missing.
    edit_->setCheck([this](int row, bool isNew) {
        const QString taken = isNew ? duplicateProblem(row) : QString();
        if (!taken.isEmpty())
            return taken;
        if (records_->text(row, QStringLiteral("customer")).trimmed().isEmpty() ||
            records_->text(row, QStringLiteral("telphone")).trimmed().isEmpty())
            return QStringLiteral("请输入客户名称和电话号码");
        return QString();
    });
    edit_->setDuplicateMessage(kDuplicate);
    edit_->setSaveMessages(QString(), QStringLiteral("保存失败"));
    edit_->setDelete(QStringLiteral("是否要删除该记录，将会影响员工的数据"), {}, QStringLiteral("删除成功"));

    connect(buttons_[5], &QPushButton::clicked, this, [this] {
        guarded([this] { report::preview(report::layout(customerReport()), this); }, this);
    });
    connect(buttons_[6], &QPushButton::clicked, this, &QWidget::close);
    onLeave(boxes_.value(QStringLiteral("customer")), [this] { customerExit(); }, buttons_[3]);
    installEnterMovesFocus(this);
    FormShow();
}

QPushButton* Tcustomerfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tcustomerfrm::FormShow()
{
    guarded([this] { records_->load(QStringLiteral("SELECT * FROM customer ORDER BY custid")); }, this);
    edit_->setMode(EditController::Mode::Browse);
}

QString Tcustomerfrm::duplicateProblem(int row) const
{
    db::Query q(QStringLiteral("SELECT custid FROM customer WHERE customer=:a"));
    q.bind(QStringLiteral(":a"), records_->text(row, QStringLiteral("customer")));
    return q.exec().next() ? kDuplicate : QString();
}

void Tcustomerfrm::customerExit()
{
    if (!edit_->isEditingNewRow())
        return;
    const QString name = boxes_.value(QStringLiteral("customer"))->text().trimmed();
    if (name.isEmpty())
        return;
    guarded(
        [&] {
            db::Query q(QStringLiteral("SELECT custid FROM customer WHERE customer=:a"));
            if (q.bind(QStringLiteral(":a"), name).exec().next())
                msg::warning(kDuplicate, QStringLiteral("提示"), this);
        },
        this);
}

report::ListReport Tcustomerfrm::customerReport() const
{
    report::ListReport r;
    r.title = QStringLiteral("客户资料报表");
    r.headerLines = {report::ListReport::companyLine(companyName()) + QLatin1Char('\t') +
                     report::ListReport::dateLine(QDate::currentDate())};
    r.columns = {{QStringLiteral("客户名称"), 3}, {QStringLiteral("联系人"), 1.5},
                 {QStringLiteral("联系电话"), 2}, {QStringLiteral("手机"), 2},
                 {QStringLiteral("Email"), 2.5}, {QStringLiteral("地      址"), 4}};
    for (int i = 0; i < records_->size(); ++i)
        r.rows.append({records_->text(i, QStringLiteral("customer")), records_->text(i, QStringLiteral("man")),
                       records_->text(i, QStringLiteral("telphone")), records_->text(i, QStringLiteral("mobile")),
                       records_->text(i, QStringLiteral("email")), records_->text(i, QStringLiteral("address"))});
    r.footerLines = {QStringLiteral("制单人：\t审核：")};
    return r;
}
