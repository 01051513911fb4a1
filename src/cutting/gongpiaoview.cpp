#include "cutting/gongpiaoview.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/output.h"
#include "common/screenkit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kOk = QStringLiteral("确定");

// US Letter (8.5 × 11 in) with quarter-inch margins.
constexpr double kLetterWidthMm = 215.9;
constexpr double kLetterHeightMm = 279.4;
constexpr double kMarginMm = 6.35;

}  // namespace

Tgongpiaoviewfrm::Tgongpiaoviewfrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("gongpiaoviewfrm"));
    setWindowTitle(QStringLiteral("工票预览"));

    makeid_ = new QLineEdit(this);
    makeid_->setMaxLength(50);
    name_ = new QLineEdit(this);
    name_->setReadOnly(true);
    name_->setFocusPolicy(Qt::NoFocus);
    auto* fields = new QGridLayout;
    addField(fields, 0, QStringLiteral("制单号："), makeid_, 2);
    addField(fields, 1, QStringLiteral("款式名称："), name_, 2);

    auto* tools = new QHBoxLayout;
    tools->addStretch();
    buttons_ << addButton(tools, kOk, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(tools);
    layout->addStretch();
    resize(460, 140);

    makeid_->installEventFilter(this);
    connect(button(kOk), &QPushButton::clicked, this, &Tgongpiaoviewfrm::btnokClick);
}

QPushButton* Tgongpiaoviewfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tgongpiaoviewfrm::makeidEnter()
{
    const QString makeid = makeid_->text().trimmed();
    guarded(
        [&] {
            db::Query q(QStringLiteral("select makeidname from zhdan where makeid=:a"));
            q.bind(QStringLiteral(":a"), makeid).exec();
            name_->setText(q.next() ? q.value(0).toString() : QString());
        },
        this);
}

void Tgongpiaoviewfrm::btnokClick()
{
    if (makeid_->text().trimmed().isEmpty()) {
        msg::info(QStringLiteral("请填写需要预览的制单号"), QStringLiteral("信息提示"), this);
        return;
    }
    guarded([this] { report::preview(couponDocument(), this); }, this);
}

report::ListReport Tgongpiaoviewfrm::couponReport(const QString& makeid)
{
    report::ListReport r;
    r.title = QStringLiteral("工票预览");
    r.titlePointSize = 20;
    r.paperMm = QSizeF(kLetterWidthMm, kLetterHeightMm);
    r.landscape = true;
    r.marginMm = kMarginMm;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    r.columns = {{QStringLiteral("制单号"), 2},     {QStringLiteral("颜色"), 2},         {QStringLiteral("床次"), 1, right},
                 {QStringLiteral("扎号"), 1, right}, {QStringLiteral("码数"), 1.5},       {QStringLiteral("数量"), 1, right},
                 {QStringLiteral("工序"), 1, right}};
    db::Query q(QStringLiteral("select * from printout where makeid=:a order by zhahao,sizename,workid,bed"));
    q.bind(QStringLiteral(":a"), makeid).exec();
    while (q.next())
        r.rows.append({q.text(QStringLiteral("makeid")), q.text(QStringLiteral("color")), q.text(QStringLiteral("bed")),
                       q.text(QStringLiteral("zhahao")), q.text(QStringLiteral("sizename")),
                       q.text(QStringLiteral("amount")), q.text(QStringLiteral("workid"))});
    return r;
}

report::Document Tgongpiaoviewfrm::couponDocument() const
{
    return report::layout(couponReport(makeid_->text().trimmed()));
}

bool Tgongpiaoviewfrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == makeid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            makeidEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
