#include "common/screenregistry.h"

#include <QApplication>
#include <QEventLoop>
#include <QMdiSubWindow>
#include <QHash>
#include <QWidget>

namespace screens {

namespace {

QHash<QString, ScreenFactory>& factories()
{
    static QHash<QString, ScreenFactory> map;
    return map;
}

ScreenHost* currentHost = nullptr;

void bringToFront(QWidget* w)
{
    if (currentHost && currentHost->raiseChild(w))
        return;
    QWidget* window = w->window();
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void registerScreen(const QString& formClass, ScreenFactory factory)
{
    factories().insert(formClass, std::move(factory));
}

bool isRegistered(const QString& formClass)
{
    return factories().contains(formClass);
}

void setHost(ScreenHost* host)
{
    currentHost = host;
}

QWidget* findForm(const QString& formName)
{
    if (formName.isEmpty())
        return nullptr;
    const auto widgets = QApplication::allWidgets();
    for (QWidget* w : widgets) {
        if (w->objectName() != formName)
            continue;
        // Only windows count: a top-level window or the content of an MDI frame. A window that
        // was closed and waits for deletion is hidden; a minimised one is not.
        auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        const bool open = frame ? !frame->isHidden() && (frame->isMinimized() || !w->isHidden())
                                : w->isWindow() && !w->isHidden();
        if (open)
            return w;
    }
    return nullptr;
}

QWidget* open(const QString& formClass, OpenMode mode)
{
    const QString formName = formNameOf(formClass);
    if (QWidget* existing = findForm(formName)) {
        bringToFront(existing);
        return existing;
    }
    const auto it = factories().constFind(formClass);
    if (it == factories().constEnd())
        return nullptr;
    QWidget* screen = (*it)();
    if (!screen)
        return nullptr;
    screen->setObjectName(formName);
    showScreen(screen, mode);
    return mode == OpenMode::Modal ? nullptr : screen;
}

void showScreen(QWidget* screen, OpenMode mode)
{
    screen->setAttribute(Qt::WA_DeleteOnClose);
    if (mode == OpenMode::Child && currentHost) {
        currentHost->showChild(screen);
        return;
    }
    // Windows and modal dialogs belong to the main window, so they stay in front of it.
    QWidget* owner = QApplication::activeWindow();
    if (currentHost)
        owner = currentHost->hostWindow();
    screen->setParent(owner, mode == OpenMode::Modal ? Qt::Dialog : Qt::Window);
    if (mode == OpenMode::Modal) {
        // Blocks until the screen closes, as a modal dialog does; the caller may then re-read.
        screen->setWindowModality(Qt::ApplicationModal);
        QEventLoop loop;
        QObject::connect(screen, &QObject::destroyed, &loop, &QEventLoop::quit);
        screen->show();
        screen->raise();
        screen->activateWindow();
        loop.exec(QEventLoop::DialogExec);
        return;
    }
    screen->show();
    screen->raise();
    screen->activateWindow();
}

const MenuEntry* entryForForm(const QString& formName)
{
    for (const MenuEntry& e : menuEntries())
        if (e.action == MenuAction::Screen &&
            formNameOf(e.formClass).compare(formName, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

}  // namespace screens

bool FormExists(const QString& formName)
{
    return screens::findForm(formName) != nullptr;
}
