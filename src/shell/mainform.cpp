#include "shell/mainform.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "shell/maincai.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QUrl>

namespace {

const QString kMakerPage = QStringLiteral("https://ventrel.example/update");

void startCalculator()
{
    const QStringList candidates = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                    QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                                    QStringLiteral("xcalc")};
    for (const QString& program : candidates)
        if (!QStandardPaths::findExecutable(program).isEmpty()) {
            QProcess::startDetached(program, {});
            return;
        }
}

void openHelpFile()
{
    const QString path = QDir::current().absoluteFilePath(QStringLiteral("Ventrel.chm"));
    if (QFileInfo::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace

Tmainfrm::Tmainfrm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainfrm"));
    mdi_ = new QMdiArea(this);
    mdi_->setBackground(QColor(58, 110, 165));
    setCentralWidget(mdi_);
    buildMenu();

    const int widths[5] = {150, 200, 80, 150, 100};
    const QString texts[5] = {QStringLiteral("   Ventrel制衣行业管理系统"),
                              QStringLiteral("订单·裁床·菲票·计件·考勤·工资"),
                              QStringLiteral("   当前时间："), QStringLiteral("当前日期:"),
                              QStringLiteral("USER:")};
    for (int i = 0; i < 5; ++i) {
        panels_[i] = new QLabel(texts[i], this);
        panels_[i]->setMinimumWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        statusBar()->addWidget(panels_[i], i == 4 ? 1 : 0);
    }
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &Tmainfrm::tick);
    clock_->start();

    navigation_ = new Tmaincaifrm(this);
    navigation_->setParent(mdi_);  // owned from the start; shown in its frame after login
    navigation_->hide();
    screens::setHost(this);
}

Tmainfrm::~Tmainfrm()
{
    screens::setHost(nullptr);
}

void Tmainfrm::buildMenu()
{
    const std::vector<QString>& tops = topMenuCaptions();
    for (const QString& caption : tops) {
        if (&caption == &tops.back()) {
            // 关闭系统(&Z): a menu-bar item that closes the main window.
            QAction* close = menuBar()->addAction(caption);
            connect(close, &QAction::triggered, this, &QWidget::close);
            continue;
        }
        topMenus_.push_back(menuBar()->addMenu(caption));
    }
    for (const MenuEntry& e : menuEntries()) {
        QMenu* container = topMenus_[static_cast<size_t>(e.top)];
        if (!e.parent.isEmpty()) {
            const Entry* parent = find(e.parent);
            container = parent ? parent->submenu : container;
        }
        Entry item{&e, nullptr, nullptr, true};
        if (e.action == MenuAction::Submenu) {
            item.submenu = container->addMenu(e.caption);
            item.action = item.submenu->menuAction();
        } else {
            item.action = container->addAction(e.caption);
            connect(item.action, &QAction::triggered, this, [this, &e] { trigger(e); });
        }
        item.action->setVisible(!e.hidden);
        entries_.push_back(item);
    }
}

const Tmainfrm::Entry* Tmainfrm::find(const QString& caption) const
{
    const Entry* thirdLevel = nullptr;
    for (const Entry& item : entries_) {
        if (item.entry->caption != caption)
            continue;
        if (item.entry->parent.isEmpty())
            return &item;
        if (!thirdLevel)
            thirdLevel = &item;
    }
    return thirdLevel;
}

QAction* Tmainfrm::entryAction(const QString& caption) const
{
    const Entry* item = find(caption);
    return item ? item->action : nullptr;
}

bool Tmainfrm::isEntryUsable(const QString& caption) const
{
    const Entry* item = find(caption);
    if (!item || !item->allowed)
        return false;
    return item->entry->parent.isEmpty() || isEntryUsable(item->entry->parent);
}

void Tmainfrm::ApplyMenuRights(const QString& user)
{
    // Every login starts from all entries enabled, as the program does at start.
    for (const Entry& item : entries_)
        if (item.entry->parent.isEmpty()) {
            item.allowed = true;
            item.action->setEnabled(true);
            if (item.submenu)
                item.submenu->setEnabled(true);
        }
    db::Query q(QStringLiteral("SELECT viewname, wetheruse FROM setright WHERE username=:mingcheng"));
    q.bind(QStringLiteral(":mingcheng"), user).exec();
    while (q.next()) {
        const QString viewname = q.value(0).toString();
        const bool allowed = q.value(1).toInt() != 0;
        for (const Entry& item : entries_)
            if (item.entry->parent.isEmpty() && item.entry->caption == viewname) {
                item.allowed = allowed;
                item.action->setEnabled(allowed);
                if (item.submenu)
                    item.submenu->setEnabled(allowed);
            }
    }
}

void Tmainfrm::showForUser(const QString& user)
{
    panels_[4]->setText(QStringLiteral("USER:") + user);
    // The workstation's short date format; a workstation left in the C locale gets the Chinese one.
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::Chinese, QLocale::China);
    panels_[3]->setText(QStringLiteral("当前日期:") +
                        locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    guarded(
        [this] {
            db::Query q(QStringLiteral("SELECT company FROM sysInfo LIMIT 1"));
            q.exec();
            setWindowTitle(q.next() ? q.value(0).toString() : QString());
        },
        this);
    showMaximized();
    navigation_->showInFrame();
}

QString Tmainfrm::statusText(int panel) const
{
    return panel >= 0 && panel < 5 ? panels_[panel]->text() : QString();
}

void Tmainfrm::tick()
{
    panels_[2]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void Tmainfrm::trigger(const MenuEntry& e)
{
    if (!isEntryUsable(e.caption))
        return;
    switch (e.action) {
    case MenuAction::Screen:
        screens::open(e.formClass, e.mode);
        break;
    case MenuAction::Calculator:
        startCalculator();
        break;
    case MenuAction::HelpFile:
        openHelpFile();
        break;
    case MenuAction::WebPage:
        QDesktopServices::openUrl(QUrl(kMakerPage));
        break;
    case MenuAction::None:
    case MenuAction::Submenu:
        break;
    }
}

void Tmainfrm::openEntry(const QString& caption)
{
    if (const Entry* item = find(caption))
        trigger(*item->entry);
}

bool Tmainfrm::openForm(const QString& formName)
{
    const MenuEntry* e = screens::entryForForm(formName);
    if (!e || !screens::isRegistered(e->formClass)) {
        msg::warning(QStringLiteral("没有名为 %1 的功能窗口。").arg(formName), QStringLiteral("提示"),
                     this);
        return false;
    }
    if (!isEntryUsable(e->caption)) {
        msg::error(QStringLiteral("你没有使用该功能的权限！"), QStringLiteral("错误"), this);
        return false;
    }
    trigger(*e);
    return true;
}

void Tmainfrm::showChild(QWidget* screen)
{
    QMdiSubWindow* sub = mdi_->addSubWindow(screen);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    // A screen that closes itself (its 关闭 or 取消 button) takes its frame along.
    connect(screen, &QObject::destroyed, sub, [sub] {
        sub->hide();
        sub->deleteLater();
    });
    screen->show();
    sub->show();
    mdi_->setActiveSubWindow(sub);
}

bool Tmainfrm::raiseChild(QWidget* screen)
{
    const auto subs = mdi_->subWindowList();
    for (QMdiSubWindow* sub : subs) {
        if (sub->widget() != screen)
            continue;
        if (sub->isMinimized())
            sub->showNormal();
        sub->show();
        mdi_->setActiveSubWindow(sub);
        sub->raise();
        return true;
    }
    return false;
}

void Tmainfrm::closeEvent(QCloseEvent* event)
{
    if (!msg::ask(QStringLiteral("确实要退出Osmira系统吗"), QStringLiteral("询问"), this)) {
        event->ignore();
        return;
    }
    // Each open screen closes the way its own 关闭 does, so it can release what it holds (the
    // lay-record screen frees its order) or keep the program open when it has unsaved work.
    const auto subs = mdi_->subWindowList();
    for (QMdiSubWindow* sub : subs) {
        if (sub->widget() == navigation_)
            continue;  // the navigation window only minimises
        if (!sub->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
    // Screens opened as windows of their own end with the program.
    QCoreApplication::quit();
}
