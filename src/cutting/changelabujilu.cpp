#include "cutting/changelabujilu.h"

#include "common/messages.h"
#include "common/screenkit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tchangelabujilufrm::Tchangelabujilufrm(const QStringList& headings, const QList<int>& values, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("changelabujilufrm"));
    setWindowTitle(QStringLiteral("修改拉布记录"));
    auto* grid = new QGridLayout;
    for (int k = 0; k < headings.size(); ++k) {
        auto* box = new QLineEdit(this);
        numericBox(box, 0, 9999999);
        const int value = k < values.size() ? values[k] : -1;
        if (value >= 0)
            box->setText(QString::number(value));
        box->installEventFilter(this);
        fields_ << box;
        addField(grid, k, headings[k], box, 2);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = addButton(buttons, QStringLiteral("确定"), this);
    QPushButton* close = addButton(buttons, QStringLiteral("关闭"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &Tchangelabujilufrm::btnokClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tchangelabujilufrm::btnokClick()
{
    QList<int> typed;
    for (QLineEdit* box : fields_) {
        const QString text = box->text().trimmed();
        if (text.isEmpty()) {
            typed << -1;
            continue;
        }
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < 0) {
            msg::warning(QStringLiteral("你输入的不是一个有效的数字"), QStringLiteral("提示"), this);
            box->setFocus();
            return;
        }
        typed << value;
    }
    values_ = typed;
    accept();
}

bool Tchangelabujilufrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const int k = int(fields_.indexOf(static_cast<QLineEdit*>(watched)));
            if (k >= 0 && k + 1 < fields_.size())
                fields_[k + 1]->setFocus(Qt::TabFocusReason);
            else
                btnokClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
