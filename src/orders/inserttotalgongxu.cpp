#include "orders/inserttotalgongxu.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/recordset.h"
#include "common/screenkit.h"
#include "orders/findtotalgongxu.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kTaken = QStringLiteral("该制单已录入过了");
const QString kIncomplete = QStringLiteral("请输入完整资料");

bool hasHeader(const QString& makeid)
{
    db::Query q(QStringLiteral("SELECT makeid FROM worktotal WHERE makeid=:a"));
    return q.bind(QStringLiteral(":a"), makeid).exec().next();
}

bool orderExists(const QString& makeid)
{
    db::Query q(QStringLiteral("SELECT makeid FROM zhdan WHERE makeid=:a"));
    return q.bind(QStringLiteral(":a"), makeid).exec().next();
}

QLineEdit* numberBox(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), box));
    return box;
}

}  // namespace

Tinserttotalgongxufrm::Tinserttotalgongxufrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("inserttotalgongxufrm"));
    setWindowTitle(QStringLiteral("总工序录入"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"添   加", "修   改", "删   除", " 保  存 ", "取  消", "查   询", " 关    闭 "})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    makeid_ = new QLineEdit(this);
    makeid_->setMaxLength(50);
    start_ = numberBox(this);
    end_ = numberBox(this);
    auto* panel = new QGridLayout;
    addField(panel, 0, QStringLiteral("制单号："), makeid_, 3);
    addField(panel, 1, QStringLiteral("起始工序："), start_, 3);
    addField(panel, 2, QStringLiteral("终止工序："), end_, 3);

    records_ = new RecordSet(this);
    records_->setTable(QStringLiteral("worktotal"), {QStringLiteral("sysid")}, QStringLiteral("sysid"));
    using Col = RecordSet::Column;
    records_->setColumns({{QStringLiteral("makeid"), QStringLiteral("制单编号")},
                          {QStringLiteral("starwork"), QStringLiteral("起始工序"), Col::Integer},
                          {QStringLiteral("endwork"), QStringLiteral("终止工序"), Col::Integer},
                          {QStringLiteral("workdate"), QStringLiteral("录入时间"), Col::Date}});
    grid_ = new QTableView(this);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(panel);
    layout->addWidget(grid_, 1);
    resize(640, 480);

    edit_ = new EditController(this, records_, grid_);
    edit_->bind(QStringLiteral("makeid"), makeid_);
    edit_->bind(QStringLiteral("starwork"), start_);
    edit_->bind(QStringLiteral("endwork"), end_);
    edit_->setButtons(buttons_[0], buttons_[1], buttons_[2], buttons_[3], buttons_[4]);
    edit_->setRequired({QStringLiteral("makeid"), QStringLiteral("starwork"), QStringLiteral("endwork")}, kIncomplete);
    edit_->setCheck([this](int row, bool isNew) { return saveProblem(row, isNew); });
    edit_->setDuplicateMessage(kTaken);
    // The order's processes go with its header, in the same transaction.
    edit_->setDelete(QStringLiteral("是否要删除该记录，将会影响员工的工资数据，以及生成的菲票"),
                     [this](int row) {
                         db::Query(QStringLiteral("DELETE FROM workname WHERE makeid=:a"))
                             .bind(QStringLiteral(":a"), records_->text(row, QStringLiteral("makeid")))
                             .exec();
                     },
                     QStringLiteral("删除成功"), QStringLiteral("删除失败"));

    connect(buttons_[5], &QPushButton::clicked, this, &Tinserttotalgongxufrm::openSearch);
    connect(buttons_[6], &QPushButton::clicked, this, &QWidget::close);
    onLeave(makeid_, [this] { makeidExit(); });
    // Enter walks 制单号 → 起始工序 → 终止工序 and saves from there.
    for (QLineEdit* box : {makeid_, start_, end_})
        box->installEventFilter(this);
    FormShow();
}

QPushButton* Tinserttotalgongxufrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

bool Tinserttotalgongxufrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == makeid_)
                start_->setFocus(Qt::TabFocusReason);
            else if (watched == start_)
                end_->setFocus(Qt::TabFocusReason);
            else if (watched == end_)
                edit_->save();
            else
                return QWidget::eventFilter(watched, event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tinserttotalgongxufrm::FormShow()
{
    // Headers without a date (written elsewhere) come last, as the oldest.
    guarded(
        [this] {
            records_->load(QStringLiteral("SELECT * FROM worktotal ORDER BY CASE WHEN workdate IS NULL THEN 1 ELSE 0 END, "
                                          "workdate DESC, sysid DESC LIMIT 100"));
        },
        this);
    edit_->setMode(EditController::Mode::Browse);
}

int Tinserttotalgongxufrm::showTotals(db::Query& query)
{
    if (edit_->mode() == EditController::Mode::Entry)
        edit_->cancel();
    records_->load(query);
    return records_->size();
}

QString Tinserttotalgongxufrm::saveProblem(int row, bool isNew)
{
    // The boxes take digits only; the numbers are stored as numbers.
    for (const char* field : {"starwork", "endwork"}) {
        bool ok = false;
        const int number = records_->text(row, QString::fromLatin1(field)).toInt(&ok);
        if (!ok)
            return kIncomplete;
        records_->setValue(row, QString::fromLatin1(field), number);
    }
    if (isNew) {
        records_->setValue(row, QStringLiteral("workdate"), QDate::currentDate());
        if (hasHeader(records_->text(row, QStringLiteral("makeid"))))
            return kTaken;
    }
    return QString();
}

void Tinserttotalgongxufrm::makeidExit()
{
    const QString makeid = makeid_->text().trimmed();
    if (!edit_->isEditingNewRow() || makeid.isEmpty())
        return;
    // Going to 保存, the save itself reports a taken order.
    const bool toSave = QApplication::focusWidget() == buttons_[3];
    guarded(
        [&] {
            if (hasHeader(makeid)) {
                if (!toSave)
                    msg::warning(kTaken, QStringLiteral("提示"), this);
            } else if (!orderExists(makeid)) {
                msg::warning(QStringLiteral("没有该订单号，请检查是否录入过该订单！"), QStringLiteral("提示"), this);
            }
        },
        this);
}

void Tinserttotalgongxufrm::openSearch()
{
    Tfindtotalgongxufrm search(this);
    search.exec();
}
