#pragma once
// The navigation window: seven category buttons and a picture book of icons that open the
// most used screens, each icon doing what its menu entry does when that entry is usable.

#include <QColor>
#include <QWidget>
#include <vector>

class QPushButton;
class QStackedWidget;
class Tmainfrm;

struct NavCategory {
    QString caption;
    QColor colour;
    int page;  // 1-based page of the picture book, 0 for none
};

struct NavIconSpec {
    int page;
    QString caption;
    QString menuEntry;  // empty: the icon does nothing
};

const std::vector<NavCategory>& navCategories();
const std::vector<NavIconSpec>& navIcons();

class NavIcon;

class Tmaincaifrm : public QWidget {
    Q_OBJECT
public:
    explicit Tmaincaifrm(Tmainfrm* mainWindow);

    // Shows the window inside the main window's MDI area (creating its frame the first time).
    void showInFrame();
    void selectCategory(int index);
    int currentPage() const;  // 1-based
    int selectedCategory() const { return selected_; }
    QPushButton* categoryButton(int index) const { return buttons_[static_cast<size_t>(index)]; }
    // The icon with this caption on the current page, or nullptr.
    NavIcon* icon(const QString& caption) const;
    void clickIcon(const QString& caption);

    static const QColor kDefaultButtonColour;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void styleButton(int index, bool chosen);

    Tmainfrm* main_;
    std::vector<QPushButton*> buttons_;
    QStackedWidget* pages_;
    std::vector<NavIcon*> icons_;
    int selected_ = -1;
};

// One icon: a picture over a caption; highlighted picture and red caption under the pointer.
class NavIcon : public QWidget {
    Q_OBJECT
public:
    NavIcon(const NavIconSpec& spec, const QColor& colour, QWidget* parent);
    const NavIconSpec& spec() const { return spec_; }
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool on);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    NavIconSpec spec_;
    QColor colour_;
    bool highlighted_ = false;
};
