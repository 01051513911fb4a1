#include "shell/aboutsoft.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

Taboutsoftfrm::Taboutsoftfrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("aboutsoftfrm"));
    setWindowTitle(QStringLiteral("版本信息"));
    setFixedSize(420, 260);
    setCursor(Qt::PointingHandCursor);
}

void Taboutsoftfrm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0, 70, 140));
    sky.setColorAt(1, QColor(120, 170, 220));
    p.fillRect(rect(), sky);
    // A needle and thread over the name, the factory's own emblem.
    p.setPen(QPen(QColor(255, 255, 255, 200), 3));
    p.drawLine(QPointF(40, 200), QPointF(110, 60));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(107, 66), 4, 7);
    p.setPen(QPen(QColor(255, 200, 0), 2));
    QPainterPath thread(QPointF(107, 66));
    thread.cubicTo(160, 20, 200, 220, 380, 180);
    p.drawPath(thread);

    QFont title = font();
    title.setPointSize(20);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 70, width(), 40), Qt::AlignCenter, QStringLiteral("Ventrel制衣厂生产管理系统"));
    QFont small = font();
    small.setPointSize(10);
    p.setFont(small);
    p.drawText(QRect(0, 120, width(), 24), Qt::AlignCenter,
               QStringLiteral("版本 %1").arg(QCoreApplication::applicationVersion()));
    p.drawText(QRect(0, 226, width(), 24), Qt::AlignCenter, QStringLiteral("单击图片关闭"));
}

void Taboutsoftfrm::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        close();
}
