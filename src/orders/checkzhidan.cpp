#include "orders/checkzhidan.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/screenkit.h"
#include "orders/insertzhidan.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tcheckzhidanfrm::Tcheckzhidanfrm(Tinsertzhidanfrm* orderScreen, QWidget* parent)
    : QDialog(parent ? parent : orderScreen), orderScreen_(orderScreen)
{
    setObjectName(QStringLiteral("checkzhidanfrm"));
    setWindowTitle(QStringLiteral("制单查询"));
    const QDate today = QDate::currentDate();
    from_ = new QDateEdit(today.addDays(-30), this);
    to_ = new QDateEdit(today, this);
    for (QDateEdit* d : {from_, to_}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    makeid_ = new QLineEdit(this);
    name_ = new QLineEdit(this);

    auto* range = new QGroupBox(QStringLiteral("查询范围"), this);
    auto* rangeGrid = new QGridLayout(range);
    addField(rangeGrid, 0, QStringLiteral("从："), from_);
    addField(rangeGrid, 1, QStringLiteral("到："), to_);
    auto* terms = new QGroupBox(QStringLiteral("查询条件"), this);
    auto* termGrid = new QGridLayout(terms);
    addField(termGrid, 0, QStringLiteral("制单号："), makeid_, 1);
    addField(termGrid, 1, QStringLiteral("名    称："), name_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = addButton(buttons, QStringLiteral("确定"), this);
    auto* back = addButton(buttons, QStringLiteral("返回"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range);
    layout->addWidget(terms);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &Tcheckzhidanfrm::btnokClick);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    makeid_->installEventFilter(this);
    name_->installEventFilter(this);
}

bool Tcheckzhidanfrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == makeid_)
                name_->setFocus();
            else
                btnokClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tcheckzhidanfrm::btnokClick()
{
    guarded(
        [this] {
            // The end day counts whole; the name is matched literally, '%' and '_' included.
            QString sql = QStringLiteral("SELECT * FROM zhdan WHERE makedate >= :riqi1 AND makedate < :riqi2");
            if (!makeid_->text().trimmed().isEmpty())
                sql += QStringLiteral(" AND makeid=:b");
            sql += QStringLiteral(" AND makeidname %1 :c ESCAPE '\\' ORDER BY makedate DESC, makeid")
                       .arg(db::Connection::main().dialect().likeIgnoringCase());
            QString pattern = name_->text();
            pattern.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
                .replace(QLatin1Char('%'), QLatin1String("\\%"))
                .replace(QLatin1Char('_'), QLatin1String("\\_"));
            db::Query q(sql);
            q.bind(QStringLiteral(":riqi1"), from_->date()).bind(QStringLiteral(":riqi2"), to_->date().addDays(1));
            if (!makeid_->text().trimmed().isEmpty())
                q.bind(QStringLiteral(":b"), makeid_->text().trimmed());
            q.bind(QStringLiteral(":c"), QLatin1Char('%') + pattern + QLatin1Char('%'));
            q.exec();
            if (orderScreen_->showOrders(q) == 0) {
                msg::info(QStringLiteral("没有您要查询的记录请重新选择条件查询"), QStringLiteral("提示信息"), this);
                return;
            }
            accept();
        },
        this);
}
