#pragma once
// The main menu as data: the one registry from which the menu bar is built, menu rights are
// applied and the caidanname catalogue of governed entries is generated.

#include <QString>
#include <vector>

enum class OpenMode { Child, Modal, Window };

enum class MenuAction {
    None,         // an entry without a screen: does nothing
    Screen,       // opens formClass
    Submenu,      // holds third-level entries
    Calculator,   // the desktop's calculator
    HelpFile,     // Ventrel.chm in the working directory
    WebPage,      // the maker's web page
};

struct MenuEntry {
    int top;               // index of the top-level menu (the modelid)
    QString caption;       // caption exactly as shown
    QString parent;        // for third-level entries: the caption of the second-level submenu
    MenuAction action;
    QString formClass;     // "TsysInfo" for MenuAction::Screen
    OpenMode mode;
    bool hidden;
};

// Top-level menus in menu-bar order; the last one is "关闭系统(&Z)", which has no entries.
const std::vector<QString>& topMenuCaptions();
int closeSystemMenuIndex();

// Every entry, second and third level, in menu order.
const std::vector<MenuEntry>& menuEntries();

// The governed entries: the second-level ones (hidden included), in menu order.
struct CatalogueRow {
    int modelid;
    QString viewname;
};
std::vector<CatalogueRow> menuCatalogue();

// Form name of a form class: the class name without its leading 'T'.
QString formNameOf(const QString& formClass);
