#pragma once
// The main window: the MDI frame with the full main menu, the status bar with its clock and
// the navigation window.

#include "common/menucatalog.h"
#include "common/screenregistry.h"

#include <QMainWindow>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class Tmaincaifrm;

class Tmainfrm : public QMainWindow, public ScreenHost {
    Q_OBJECT
public:
    explicit Tmainfrm(QWidget* parent = nullptr);
    ~Tmainfrm() override;

    // Applies the user's setright rows to the second-level menu entries.
    void ApplyMenuRights(const QString& user);
    // What happens when the window is shown after a successful login.
    void showForUser(const QString& user);

    // The action of a menu entry by its caption (second level first, then third level).
    QAction* entryAction(const QString& caption) const;
    // Enabled itself and, for a third-level entry, its submenu too.
    bool isEntryUsable(const QString& caption) const;
    // Does what choosing the entry does; nothing when the entry is not usable.
    void openEntry(const QString& caption);
    // Opens the screen with this form name through its menu entry. False (and a message) when
    // there is no such screen or the user may not use it.
    bool openForm(const QString& formName);

    QMdiArea* mdiArea() const { return mdi_; }
    Tmaincaifrm* navigation() const { return navigation_; }
    QString statusText(int panel) const;

    void showChild(QWidget* screen) override;
    bool raiseChild(QWidget* screen) override;
    QWidget* hostWindow() override { return this; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Entry {
        const MenuEntry* entry;
        QAction* action;
        QMenu* submenu;  // for entries that hold third-level entries
        // What the user's rights say; kept apart because Qt disables hidden actions.
        mutable bool allowed = true;
    };
    void buildMenu();
    void trigger(const MenuEntry& entry);
    void tick();
    const Entry* find(const QString& caption) const;

    QMdiArea* mdi_;
    std::vector<Entry> entries_;
    std::vector<QMenu*> topMenus_;
    QLabel* panels_[5];
    QTimer* clock_;
    Tmaincaifrm* navigation_;
};
