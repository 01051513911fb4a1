#include "shell/sysinfo.h"

#include "common/db.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/messages.h"

#include <QEvent>
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
            for (auto it = fields_.cbegin(); it != fields_.cend(); ++it) {
                const QString value = hasRow_ ? q.text(it.key()) : QString();
                loaded_.insert(it.key(), value);
                it.value()->setText(value);
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
    if (watched == fields_.value(QStringLiteral("setdate")) && event->type() == QEvent::FocusOut)
        setdateExit();
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
            db::Transaction tx;
            static const char* kEditable[] = {"company", "faren",   "setdate", "Telphone", "huobin",
                                              "bank",    "zhanghao", "shuihao", "address"};
            if (hasRow_) {
                // Another workstation may have saved meanwhile: do not overwrite its change.
                db::Query check(QStringLiteral("SELECT * FROM sysInfo LIMIT 1"));
                check.exec();
                bool unchanged = check.next();
                for (const char* c : kEditable)
                    unchanged = unchanged && check.text(QString::fromLatin1(c)).trimmed() ==
                                                 trimmedLoaded.value(QString::fromLatin1(c));
                if (!unchanged)
                    throw db::DbError(QStringLiteral(
                        "公司数据已被其他工作站修改，本次修改没有保存。请取消后重新打开再修改。"));
            }
            QStringList sets;
            QStringList names;
            for (const char* c : kEditable) {
                sets << QStringLiteral("%1=:%1").arg(QString::fromLatin1(c));
                names << QString::fromLatin1(c);
            }
            const QString sql =
                hasRow_ ? QStringLiteral("UPDATE sysInfo SET %1").arg(sets.join(QLatin1Char(',')))
                        : QStringLiteral("INSERT INTO sysInfo(%1) VALUES(:%2)")
                              .arg(names.join(QLatin1Char(',')), names.join(QStringLiteral(",:")));
            db::Query q(sql);
            for (const QString& name : names) {
                if (name == QLatin1String("setdate"))
                    q.bind(QLatin1Char(':') + name, values.value(name).toInt());
                else
                    q.bind(QLatin1Char(':') + name, values.value(name));
            }
            q.exec();
            tx.commit();
        },
        this);
    if (!saved)
        return;
    msg::info(QStringLiteral("保存成功"), QStringLiteral("提示信息"), this);
    FormShow();
}
