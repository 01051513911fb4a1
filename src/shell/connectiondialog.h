#pragma once
// Builds a connection string: SQLite file or PostgreSQL server, with a test button and, for a
// new installation, the creation of a new database.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QStackedWidget;

class ConnectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConnectionDialog(const QString& initial, QWidget* parent = nullptr);

    // The string built in the dialog, or initial unchanged when the user cancels.
    static QString edit(const QString& initial, QWidget* parent = nullptr);

    QString connectionString() const;

private:
    void load(const QString& text);
    void testConnection();
    void createDatabase();
    void browse();

    QComboBox* engine_;
    QStackedWidget* pages_;
    QLineEdit* file_;
    QLineEdit* host_;
    QSpinBox* port_;
    QLineEdit* database_;
    QLineEdit* user_;
    QLineEdit* password_;
    QCheckBox* demo_;
};
