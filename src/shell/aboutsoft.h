#pragma once
// The about window: one picture over the whole window; clicking it closes the window.

#include <QWidget>

class Taboutsoftfrm : public QWidget {
    Q_OBJECT
public:
    explicit Taboutsoftfrm(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
