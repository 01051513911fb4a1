#pragma once
// Every message box of the program goes through here, so tests can replace the boxes
// with a recorder that answers questions from a script.

#include <QString>

class QWidget;

namespace msg {

enum class Icon { None, Information, Warning, Critical, Question };

class Presenter {
public:
    virtual ~Presenter() = default;
    virtual void show(QWidget* parent, const QString& caption, const QString& text, Icon icon) = 0;
    // Yes/No question; returns true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& caption, const QString& text,
                          Icon icon, bool defaultYes) = 0;
};

// nullptr restores the real message boxes. The presenter is not owned. Returns the one it
// replaces (nullptr: the real boxes).
Presenter* setPresenter(Presenter* presenter);

void info(const QString& text, const QString& caption = QStringLiteral("提示信息"),
          QWidget* parent = nullptr);
void warning(const QString& text, const QString& caption = QStringLiteral("提示"),
             QWidget* parent = nullptr);
// Stop icon.
void error(const QString& text, const QString& caption = QStringLiteral("错误"),
           QWidget* parent = nullptr);
// Question icon, Yes and No, No the default unless defaultYes.
bool ask(const QString& text, const QString& caption = QStringLiteral("询问"),
         QWidget* parent = nullptr, bool defaultYes = false);

}  // namespace msg
