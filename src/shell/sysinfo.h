#pragma once
// The company particulars and the monthly closing day (结帐日).

#include <QHash>
#include <QWidget>

class QLineEdit;
class QPushButton;

class TsysInfo : public QWidget {
    Q_OBJECT
public:
    explicit TsysInfo(QWidget* parent = nullptr);

    QLineEdit* field(const QString& column) const { return fields_.value(column); }
    QPushButton* okButton() const { return ok_; }

    void FormShow();
    void btnokClick();
    // Leaving the 结帐日 box: warns about a day outside 1 to 30.
    void setdateExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QString, QString> current() const;
    bool closingDayValid() const;

    QHash<QString, QLineEdit*> fields_;
    QHash<QString, QString> loaded_;
    QHash<QString, QVariant> loadedValues_;  // as read, NULLs kept
    bool hasRow_ = false;
    QPushButton* ok_;
};
