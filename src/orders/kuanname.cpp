#include "orders/kuanname.h"

#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace {

struct Field {
    const char* column;
    const char* caption;
};
// In panel order; 单  位 (a drop-down) comes fourth.
const Field kBefore[] = {{"kuanhao", "款  号"}, {"kuanName", "款   名"}, {"biaokuanName", "标准款名"}};
const Field kAfter[] = {{"gongshi", "工   时"},  {"Money", "总 工 价"},    {"Customer", "顾客名称"},
                        {"beizhu", "备  注"},    {"startwork", "开始工序"}, {"endwork", "结束工序"}};

}  // namespace

TkuanNameFrm::TkuanNameFrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("kuanNameFrm"));
    setWindowTitle(QStringLiteral("款式-工序模板定义"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {" 新  增 ", " 修  改 ", " 删  除 ", " 保  存 ", " 取  消 ", "工序导入", " 打  印 "})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    auto* panel = new QGridLayout;
    int position = 0;
    auto addBox = [&](const Field& f) {
        auto* edit = new QLineEdit(this);
        boxes_.insert(QString::fromLatin1(f.column), edit);
        addField(panel, position++, QString::fromUtf8(f.caption), edit, 3);
    };
    for (const Field& f : kBefore)
        addBox(f);
    unit_ = new QComboBox(this);
    unit_->addItems({QStringLiteral("打"), QStringLiteral("件"), QStringLiteral("条")});
    addField(panel, position++, QStringLiteral("单  位"), unit_, 3);
    for (const Field& f : kAfter)
        addBox(f);
    // Process numbers are whole numbers.
    for (const char* field : {"startwork", "endwork"}) {
        QLineEdit* box = boxes_.value(QString::fromLatin1(field));
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), box));
    }

    records_ = new RecordSet(this);
    records_->setTable(QStringLiteral("kuanName"), {QStringLiteral("id")}, QStringLiteral("id"));
    records_->setColumns({{QStringLiteral("kuanhao"), QStringLiteral("款号")},
                          {QStringLiteral("kuanName"), QStringLiteral("款名")},
                          {QStringLiteral("biaokuanName"), QStringLiteral("标准款名")},
                          {QStringLiteral("Unit"), QStringLiteral("单位")},
                          {QStringLiteral("startwork"), QStringLiteral("开始工序")},
                          {QStringLiteral("endwork"), QStringLiteral("结束工序")},
                          {QStringLiteral("gongshi"), QStringLiteral("工时")},
                          {QStringLiteral("Money"), QStringLiteral("总工价")}});
    grid_ = new QTableView(this);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(panel);
    layout->addWidget(grid_, 1);
    resize(760, 500);

    edit_ = new EditController(this, records_, grid_);
    for (const Field& f : kBefore)
        edit_->bind(QString::fromLatin1(f.column), boxes_.value(QString::fromLatin1(f.column)));
    edit_->bind(QStringLiteral("Unit"), unit_);
    for (const Field& f : kAfter)
        edit_->bind(QString::fromLatin1(f.column), boxes_.value(QString::fromLatin1(f.column)));
    edit_->setButtons(buttons_[0], buttons_[1], buttons_[2], buttons_[3], buttons_[4]);
    edit_->setRequired({QStringLiteral("kuanhao"), QStringLiteral("kuanName"), QStringLiteral("biaokuanName"),
                        QStringLiteral("startwork"), QStringLiteral("endwork")},
                       QStringLiteral("请输入基本资料"));
    edit_->setDelete(QStringLiteral("是否要删除该记录"));
    // 工序导入 and 打  印 have nothing to do yet: nothing else uses the templates.
    installEnterMovesFocus(this);
    FormShow();
}

QPushButton* TkuanNameFrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void TkuanNameFrm::FormShow()
{
    guarded([this] { records_->load(QStringLiteral("SELECT * FROM kuanName ORDER BY id")); }, this);
    edit_->setMode(EditController::Mode::Browse);
}
