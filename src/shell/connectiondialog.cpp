#include "shell/connectiondialog.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "server/dbadmin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

ConnectionDialog::ConnectionDialog(const QString& initial, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("connectiondialog"));
    setWindowTitle(QStringLiteral("数据库连接配置"));

    engine_ = new QComboBox(this);
    engine_->addItem(QStringLiteral("SQLite 数据库文件（单机）"));
    engine_->addItem(QStringLiteral("PostgreSQL 服务器（多台工作站共用）"));
    engine_->setCurrentIndex(-1);

    // SQLite page
    auto* sqlitePage = new QWidget(this);
    file_ = new QLineEdit(sqlitePage);
    file_->setPlaceholderText(QStringLiteral("例如 ventrel.db（相对路径以程序目录为准）"));
    auto* browse = new QPushButton(QStringLiteral("浏览..."), sqlitePage);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    auto* sqliteForm = new QFormLayout(sqlitePage);
    sqliteForm->addRow(QStringLiteral("数据库文件："), fileRow);

    // PostgreSQL page
    auto* pgPage = new QWidget(this);
    host_ = new QLineEdit(QStringLiteral("127.0.0.1"), pgPage);
    port_ = new QSpinBox(pgPage);
    port_->setRange(1, 65535);
    port_->setValue(5432);
    database_ = new QLineEdit(QStringLiteral("ventrel"), pgPage);
    user_ = new QLineEdit(pgPage);
    password_ = new QLineEdit(pgPage);
    password_->setEchoMode(QLineEdit::Password);
    auto* pgForm = new QFormLayout(pgPage);
    pgForm->addRow(QStringLiteral("服务器："), host_);
    pgForm->addRow(QStringLiteral("端口："), port_);
    pgForm->addRow(QStringLiteral("数据库："), database_);
    pgForm->addRow(QStringLiteral("用户名："), user_);
    pgForm->addRow(QStringLiteral("密码："), password_);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(new QLabel(QStringLiteral("请先选择数据库类型。"), this));
    pages_->addWidget(sqlitePage);
    pages_->addWidget(pgPage);

    demo_ = new QCheckBox(QStringLiteral("新建时填入演示数据"), this);
    auto* test = new QPushButton(QStringLiteral("测试连接"), this);
    auto* create = new QPushButton(QStringLiteral("新建数据库..."), this);
    auto* tools = new QHBoxLayout;
    tools->addWidget(test);
    tools->addWidget(create);
    tools->addWidget(demo_);
    tools->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));

    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("数据库类型："), engine_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pages_);
    layout->addLayout(tools);
    layout->addWidget(buttons);
    resize(520, 300);

    connect(engine_, &QComboBox::currentIndexChanged, this,
            [this](int index) { pages_->setCurrentIndex(index + 1); });
    connect(browse, &QPushButton::clicked, this, &ConnectionDialog::browse);
    connect(test, &QPushButton::clicked, this, &ConnectionDialog::testConnection);
    connect(create, &QPushButton::clicked, this, &ConnectionDialog::createDatabase);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    load(initial);
}

QString ConnectionDialog::edit(const QString& initial, QWidget* parent)
{
    ConnectionDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return initial;
    return dialog.connectionString();
}

void ConnectionDialog::load(const QString& text)
{
    const db::ParsedConnection parsed = db::parseConnectionString(text, db::programDir());
    if (!parsed.settings)
        return;  // nothing chosen, as for the initial "sf"
    const db::ConnectionSettings& s = *parsed.settings;
    if (s.engine == db::Engine::SQLite) {
        engine_->setCurrentIndex(0);
        file_->setText(s.file);
    } else {
        engine_->setCurrentIndex(1);
        host_->setText(s.host);
        port_->setValue(s.port);
        database_->setText(s.database);
        user_->setText(s.user);
        password_->setText(s.password);
    }
}

QString ConnectionDialog::connectionString() const
{
    db::ConnectionSettings s;
    switch (engine_->currentIndex()) {
    case 0:
        s.engine = db::Engine::SQLite;
        s.file = file_->text().trimmed();
        return s.file.isEmpty() ? QString() : db::buildConnectionString(s);
    case 1:
        s.engine = db::Engine::PostgreSQL;
        s.host = host_->text().trimmed();
        s.port = port_->value();
        s.database = database_->text().trimmed();
        s.user = user_->text().trimmed();
        s.password = password_->text();
        return db::buildConnectionString(s);
    default:
        return {};
    }
}

void ConnectionDialog::browse()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("选择数据库文件"), QFileInfo(file_->text()).absolutePath(),
        QStringLiteral("SQLite 数据库 (*.db *.sqlite);;所有文件 (*)"));
    if (!path.isEmpty())
        file_->setText(path);
}

void ConnectionDialog::testConnection()
{
    const db::ParsedConnection parsed =
        db::parseConnectionString(connectionString(), db::programDir());
    if (!parsed.settings) {
        msg::error(parsed.error, QStringLiteral("错误"), this);
        return;
    }
    db::Connection probe(QStringLiteral("ventrel-connection-test"));
    QString error;
    if (!probe.open(*parsed.settings, &error)) {
        msg::error(error, QStringLiteral("错误"), this);
        return;
    }
    int stored = 0;
    dbadmin::VersionCheck check = dbadmin::VersionCheck::Current;
    if (!guarded([&] { check = dbadmin::checkVersion(probe, &stored); }, this))
        return;
    if (check == dbadmin::VersionCheck::Current)
        msg::info(QStringLiteral("测试连接成功。"), QStringLiteral("提示信息"), this);
    else
        msg::warning(QStringLiteral("测试连接成功，但是：\n%1")
                         .arg(dbadmin::versionMessage(check, stored)),
                     QStringLiteral("提示"), this);
}

void ConnectionDialog::createDatabase()
{
    if (engine_->currentIndex() == 0) {
        const QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("新建数据库文件"), QStringLiteral("ventrel.db"),
            QStringLiteral("SQLite 数据库 (*.db)"));
        if (path.isEmpty())
            return;
        file_->setText(path);
    } else if (engine_->currentIndex() != 1) {
        msg::warning(QStringLiteral("请先选择数据库类型。"), QStringLiteral("提示"), this);
        return;
    }
    QString error;
    if (!dbadmin::createDatabase(connectionString(), demo_->isChecked(), &error, db::programDir())) {
        msg::error(QStringLiteral("新建数据库失败：\n%1").arg(error), QStringLiteral("错误"), this);
        return;
    }
    msg::info(QStringLiteral("数据库已建立。初始用户 admin，密码 admin，请登录后及时修改。"),
              QStringLiteral("提示信息"), this);
}
