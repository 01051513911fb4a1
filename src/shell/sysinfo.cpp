#include "shell/sysinfo.h"

#include "common/db.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/messages.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct FieldSpec {
    const char* column;
    const char* caption;
};

// In the order of the screen.
const FieldSpec kFields[] = {
    {"company", "公司名称："}, {"faren", "法人代表："},  {"setdate", "结帐日："},
    {"Telphone", "公司电话："}, {"huobin", "使用货币"},  {"bank", "开户银行："},
    {"zhanghao", "银行帐号："}, {"shuihao", "纳税号："}, {"address", "公司地址："},
    {"caiwuqi", "财务间期"},
};

const QString kBadDay = QStringLiteral("输入的结帐日有误");

}  // namespace

TsysInfo::TsysInfo(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sysInfo"));
    setWindowTitle(QStringLiteral("公司数据中心"));

    auto* form = new QFormLayout;
    for (const FieldSpec& f : kFields) {
        const QString column = QString::fromLatin1(f.column);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(column);
        fields_.insert(column, edit);
        form->addRow(QString::fromUtf8(f.caption), edit);
    }
    fields_[QStringLiteral("caiwuqi")]->setReadOnly(true);
    QLineEdit* day = fields_[QStringLiteral("setdate")];
    day->setMaximumWidth(80);
    day->setToolTip(QStringLiteral("每月结帐的日子，1 到 30；月份没有这一天时按该月最后一天结帐"));
    day->installEventFilter(this);
    fields_[QStringLiteral("company")]->setMinimumWidth(320);

    ok_ = new QPushButton(QStringLiteral("确定"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &TsysInfo::btnokClick);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    installEnterMovesFocus(this);
    FormShow();
}

void TsysInfo::FormShow()
{
    guarded(
        [this] {
            db::Query q(QStringLiteral("SELECT * FROM sysInfo LIMIT 1"));
            q.exec();
            hasRow_ = q.next();
            loaded_.clear();
            loadedValues_.clear();
            for (auto it = fields_.cbegin(); it != fields_.cend(); ++it) {
                const QVariant value = hasRow_ ? q.value(it.key()) : QVariant();
                loadedValues_.insert(it.key(), value);
                loaded_.insert(it.key(), value.toString());
                it.value()->setText(value.toString());
            }
        },
        this);
}

QHash<QString, QString> TsysInfo::current() const
{
    QHash<QString, QString> values;
    for (auto it = fields_.cbegin(); it != fields_.cend(); ++it)
        values.insert(it.key(), it.value()->text().trimmed());
    return values;
}

bool TsysInfo::closingDayValid() const
{
    bool ok = false;
    const int day = fields_[QStringLiteral("setdate")]->text().trimmed().toInt(&ok);
    return ok && day >= 1 && day <= 30;
}

void TsysInfo::setdateExit()
{
    if (!fields_[QStringLiteral("setdate")]->text().trimmed().isEmpty() && !closingDayValid())
        msg::warning(kBadDay, QStringLiteral("提示"), this);
}

bool TsysInfo::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the box for another box of the screen; 确定 says it in its own words, and
    // switching windows is not leaving.
    if (watched == fields_.value(QStringLiteral("setdate")) && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            QApplication::focusWidget() != ok_)
            setdateExit();
    }
    return QWidget::eventFilter(watched, event);
}

void TsysInfo::btnokClick()
{
    const QHash<QString, QString> values = current();
    QHash<QString, QString> trimmedLoaded;
    for (auto it = loaded_.cbegin(); it != loaded_.cend(); ++it)
        trimmedLoaded.insert(it.key(), it.value().trimmed());
    if (hasRow_ && values == trimmedLoaded)
        return;  // nothing changed
    if (!closingDayValid()) {
        // A day outside 1 to 30 would break every screen that presets its accounting period.
        msg::warning(kBadDay + QStringLiteral("，请输入 1 到 30 之间的日子。"), QStringLiteral("提示"),
                     this);
        return;
    }
    const bool saved = guarded(
        [&] {
            static const char* kEditable[] = {"company", "faren",   "setdate", "Telphone", "huobin",
                                              "bank",    "zhanghao", "shuihao", "address"};
            QStringList names;
            for (const char* c : kEditable)
                names << QString::fromLatin1(c);
            auto newValue = [&](const QString& name) {
                return name == QLatin1String("setdate") ? QVariant(values.value(name).toInt())
                                                        : QVariant(values.value(name));
            };
            QString sql;
            if (hasRow_) {
                // One statement that changes the row only while it still holds what this screen
                // read: a change saved meanwhile by another workstation is never overwritten.
                QStringList sets;
                QStringList same;
                for (const QString& name : names) {
                    sets << QStringLiteral("%1=:n_%1").arg(name);
                    same << QStringLiteral("%1 IS NOT DISTINCT FROM :o_%1").arg(name);
                }
                sql = QStringLiteral("UPDATE sysInfo SET %1 WHERE %2")
                          .arg(sets.join(QLatin1Char(',')), same.join(QStringLiteral(" AND ")));
            } else {
                sql = QStringLiteral("INSERT INTO sysInfo(%1) SELECT :n_%2 "
                                     "WHERE NOT EXISTS (SELECT 1 FROM sysInfo)")
                          .arg(names.join(QLatin1Char(',')), names.join(QStringLiteral(",:n_")));
            }
            db::Query q(sql);
            for (const QString& name : names) {
                q.bind(QStringLiteral(":n_") + name, newValue(name));
                if (hasRow_)
                    q.bind(QStringLiteral(":o_") + name, loadedValues_.value(name));
            }
            q.exec();
            if (q.rowsAffected() == 0)
                throw db::DbError(QStringLiteral(
                    "公司数据已被其他工作站修改，本次修改没有保存。请取消后重新打开再修改。"));
        },
        this);
    if (!saved)
        return;
    msg::info(QStringLiteral("保存成功"), QStringLiteral("提示信息"), this);
    FormShow();
}
