#pragma once
// The login dialog: a user picks a name, types the password, and the main menu is switched
// by that user's rights.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class Tmainfrm;

class Tloginfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tloginfrm(Tmainfrm* mainWindow, QWidget* parent = nullptr);

    // The user of the last successful login (the text of the user-name box).
    QString userName() const;

    QComboBox* userBox() const { return user_; }
    QLineEdit* passwordEdit() const { return password_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    void FormShow();
    void btnokClick();
    void btncancelClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool checkLogin(const QString& name, const QString& password);

    Tmainfrm* main_;
    QComboBox* user_;
    QLineEdit* password_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
