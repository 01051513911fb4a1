#include "orders/findtotalgongxu.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/screenkit.h"
#include "orders/inserttotalgongxu.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tfindtotalgongxufrm::Tfindtotalgongxufrm(Tinserttotalgongxufrm* totalScreen, QWidget* parent)
    : QDialog(parent ? parent : totalScreen), totalScreen_(totalScreen)
{
    setObjectName(QStringLiteral("findtotalgongxufrm"));
    setWindowTitle(QStringLiteral("总工序查询"));
    // From the first day the factory kept process lists to today: everything by default.
    from_ = new QDateEdit(QDate(2001, 1, 25), this);
    to_ = new QDateEdit(QDate::currentDate(), this);
    for (QDateEdit* d : {from_, to_}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    makeid_ = new QLineEdit(this);

    auto* fields = new QGridLayout;
    addField(fields, 0, QStringLiteral("从："), from_, 1);
    addField(fields, 1, QStringLiteral("到："), to_, 1);
    addField(fields, 2, QStringLiteral("制单号："), makeid_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = addButton(buttons, QStringLiteral("确定"), this);
    ok_->setAutoDefault(true);  // Enter on it, once reached from 制单号, searches
    auto* close = addButton(buttons, QStringLiteral("关闭"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &Tfindtotalgongxufrm::btnokClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    to_->installEventFilter(this);
    makeid_->installEventFilter(this);
}

bool Tfindtotalgongxufrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == to_)
                makeid_->setFocus(Qt::TabFocusReason);
            else
                ok_->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tfindtotalgongxufrm::btnokClick()
{
    guarded(
        [this] {
            // The end day counts whole.
            const QString makeid = makeid_->text().trimmed();
            QString sql = QStringLiteral("SELECT * FROM worktotal WHERE workdate >= :riqi1 AND workdate < :riqi2");
            if (!makeid.isEmpty())
                sql += QStringLiteral(" AND makeid=:b");
            sql += QStringLiteral(" ORDER BY workdate DESC, sysid DESC");
            db::Query q(sql);
            q.bind(QStringLiteral(":riqi1"), from_->date()).bind(QStringLiteral(":riqi2"), to_->date().addDays(1));
            if (!makeid.isEmpty())
                q.bind(QStringLiteral(":b"), makeid);
            q.exec();
            if (totalScreen_->showTotals(q) == 0) {
                msg::info(QStringLiteral("您要查询的记录不存在请重新输入查询条件"), QStringLiteral("信息提示"), this);
                return;
            }
            accept();
        },
        this);
}
