#include "cutting/shanchuchuang.h"

#include "common/db.h"
#include "common/entermovesfocus.h"
#include "common/messages.h"
#include "common/screenkit.h"
#include "server/cuttingprocs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tshanchuchuang::Tshanchuchuang(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("shanchuchuang"));
    setWindowTitle(QStringLiteral("删除床次"));
    makeid_ = new QLineEdit(this);
    bed_ = new QLineEdit(this);
    numericBox(bed_, 0, 999);
    auto* grid = new QGridLayout;
    addField(grid, 0, QStringLiteral("制单号："), makeid_, 1);
    addField(grid, 1, QStringLiteral("床  次："), bed_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* remove = addButton(buttons, QStringLiteral("删除"), this);
    QPushButton* close = addButton(buttons, QStringLiteral("关闭"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(remove, &QPushButton::clicked, this, &Tshanchuchuang::btndeleteClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    installEnterMovesFocus(this);
}

void Tshanchuchuang::btndeleteClick()
{
    if (!msg::ask(QStringLiteral("是否真的要删除该床数据，删除后可能会影响到后面的数据"), QStringLiteral("询问"), this))
        return;
    const QString makeid = makeid_->text().trimmed();
    bool ok = false;
    const int bed = bed_->text().trimmed().toInt(&ok);
    if (makeid.isEmpty() || !ok) {
        // Both are needed: one alone would match nothing or too much.
        msg::info(QStringLiteral("请输入制单号和床次"), QStringLiteral("提示信息"), this);
        return;
    }
    int deleted = 0;
    try {
        deleted = procs::deleteLot(db::Connection::main(), makeid, bed);
    } catch (const db::DbError& e) {
        msg::error(QStringLiteral("删除失败\n") + e.message(), QStringLiteral("错误"), this);
        return;
    }
    if (deleted == 0)
        msg::info(QStringLiteral("没有找到制单号 %1 的第 %2 床，没有删除任何数据。").arg(makeid).arg(bed),
                  QStringLiteral("提示信息"), this);
    else
        msg::info(QStringLiteral("删除成功"), QStringLiteral("提示信息"), this);
}
