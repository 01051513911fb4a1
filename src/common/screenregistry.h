#pragma once
// Which screens exist and how they open. Each subsystem registers its screen factories by form
// class; the main menu, the navigation window, menu rights and "--open FORMNAME" all open
// screens through here, so at most one instance of a screen exists at a time.

#include "common/menucatalog.h"

#include <QString>
#include <functional>

class QWidget;

using ScreenFactory = std::function<QWidget*()>;

// Where child screens go (the main window's MDI area).
class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    virtual void showChild(QWidget* screen) = 0;
    virtual bool raiseChild(QWidget* screen) = 0;  // false when screen is not one of its children
    virtual QWidget* hostWindow() = 0;             // owner of window and modal screens
};

namespace screens {

void registerScreen(const QString& formClass, ScreenFactory factory);
bool isRegistered(const QString& formClass);
void setHost(ScreenHost* host);

// The open window whose form name is formName, or nullptr.
QWidget* findForm(const QString& formName);

// Opens a registered screen, or brings the open instance to the front. Returns the screen, or
// nullptr when no screen is registered under formClass. A modal screen blocks until it is
// closed and then returns nullptr.
QWidget* open(const QString& formClass, OpenMode mode);

// Shows a screen created by another screen (a detail window, say) the way mode says, owned
// like a menu-opened screen. A modal screen blocks until closed.
void showScreen(QWidget* screen, OpenMode mode);

// The menu entry that opens the screen with this form name (case-insensitive), or nullptr.
const MenuEntry* entryForForm(const QString& formName);

}  // namespace screens

// True when a window with this form name (exact text) exists.
bool FormExists(const QString& formName);
