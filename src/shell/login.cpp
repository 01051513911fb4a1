#include "shell/login.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/password.h"
#include "shell/mainform.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

Tloginfrm::Tloginfrm(Tmainfrm* mainWindow, QWidget* parent) : QDialog(parent), main_(mainWindow)
{
    setObjectName(QStringLiteral("loginfrm"));
    setWindowTitle(QStringLiteral("用户登陆"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);

    auto* title = new QLabel(QStringLiteral("Ventrel制衣厂生产管理系统"), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: rgb(0, 70, 140); padding: 10px;"));

    user_ = new QComboBox(this);
    user_->setEditable(true);
    user_->setInsertPolicy(QComboBox::NoInsert);
    password_ = new QLineEdit(this);
    password_->setEchoMode(QLineEdit::Password);
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    ok_->setAutoDefault(false);
    cancel_->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("用户名称："), this), 0, 0);
    grid->addWidget(user_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("用户密码："), this), 1, 0);
    grid->addWidget(password_, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(380, 210);

    user_->installEventFilter(this);
    password_->installEventFilter(this);
    connect(ok_, &QPushButton::clicked, this, &Tloginfrm::btnokClick);
    connect(cancel_, &QPushButton::clicked, this, &Tloginfrm::btncancelClick);
}

QString Tloginfrm::userName() const
{
    return user_->currentText();
}

void Tloginfrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void Tloginfrm::FormShow()
{
    guarded(
        [this] {
            const QString typed = user_->currentText();
            user_->clear();
            db::Query q(QStringLiteral("SELECT DISTINCT username FROM \"user\""));
            q.exec();
            while (q.next())
                user_->addItem(q.value(0).toString());
            user_->setEditText(typed);
            user_->setFocus();
        },
        this);
}

bool Tloginfrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == user_ && !user_->view()->isVisible()) {
                password_->setFocus();
                return true;
            }
            if (watched == password_) {
                btnokClick();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool Tloginfrm::checkLogin(const QString& name, const QString& password)
{
    db::Query exists(QStringLiteral("SELECT username FROM \"user\" WHERE username=:a"));
    if (!exists.bind(QStringLiteral(":a"), name).exec().next()) {
        msg::info(QStringLiteral("此用户名不存在请重新选择登陆名称！"), QStringLiteral("提示信息"), this);
        return false;
    }
    db::Query stored(QStringLiteral("SELECT password FROM \"user\" WHERE username=:a"));
    stored.bind(QStringLiteral(":a"), name).exec().next();
    const QString storedPassword = stored.value(0).toString();
    if (!verifyPassword(storedPassword, password)) {
        msg::error(QStringLiteral("密码不正确请重新输入！"), QStringLiteral("错误提示"), this);
        return false;
    }
    if (!isPasswordHash(storedPassword)) {
        // A plain-text password from an older database: replace it by its hash now. The old
        // value in the condition keeps a change made meanwhile elsewhere.
        guarded(
            [&] {
                db::Query(QStringLiteral(
                              "UPDATE \"user\" SET password=:h WHERE username=:a AND password=:p"))
                    .bind(QStringLiteral(":h"), hashPassword(password))
                    .bind(QStringLiteral(":a"), name)
                    .bind(QStringLiteral(":p"), storedPassword)
                    .exec();
            },
            this);
    }
    return true;
}

void Tloginfrm::btnokClick()
{
    const QString name = user_->currentText();
    if (name.isEmpty()) {
        msg::info(QStringLiteral("请选择登陆用户"), QStringLiteral("提示信息"), this);
        return;
    }
    bool ok = false;
    if (!guarded([&] { ok = checkLogin(name, password_->text()); }, this) || !ok)
        return;
    if (!guarded([&] { main_->ApplyMenuRights(name); }, this))
        return;
    main_->showForUser(name);
    accept();
}

void Tloginfrm::btncancelClick()
{
    if (msg::ask(QStringLiteral("确实要退出Osmira系统吗"), QStringLiteral("询问"), this))
        reject();
}
