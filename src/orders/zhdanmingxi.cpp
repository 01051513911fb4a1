#include "orders/zhdanmingxi.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/output.h"
#include "common/screenkit.h"
#include "orders/insertzhidan.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kTotal = QStringLiteral("total");
const QString kFailed = QStringLiteral("执行出错");

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(QColor(230, 230, 230));
    return item;
}

// A cell's pieces: empty cells hold nothing, others must be whole numbers.
bool cellValue(const QTableWidgetItem* item, int* value)
{
    const QString text = item ? item->text().trimmed() : QString();
    if (text.isEmpty())
        return false;
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

}  // namespace

Tzhdanmingxifrm::Tzhdanmingxifrm(const QString& makeid, const QVariant& kid, const QString& setName,
                                 Tinsertzhidanfrm* orderScreen, QWidget* parent)
    : QWidget(parent), makeid_(makeid), kid_(kid), setName_(setName), orderScreen_(orderScreen)
{
    setObjectName(QStringLiteral("zhdanmingxifrm"));
    setWindowTitle(QStringLiteral("订单明细 %1").arg(makeid));

    price_ = new QLineEdit(this);
    numericBox(price_, 4, 9999999);
    spec_ = new QLineEdit(this);
    discount_ = new QLineEdit(this);
    numericBox(discount_, 4, 100);
    auto* boxes = new QGridLayout;
    addField(boxes, 0, QStringLiteral("单价"), price_, 3);
    addField(boxes, 1, QStringLiteral("规格"), spec_, 3);
    addField(boxes, 2, QStringLiteral("折率"), discount_, 3);

    grid_ = new QTableWidget(this);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(24);
    grid_->horizontalHeader()->setDefaultSectionSize(72);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    save_ = addButton(buttons, QStringLiteral(" 保存 "), this);
    auto* print = addButton(buttons, QStringLiteral(" 打印 "), this);
    auto* closeButton = addButton(buttons, QStringLiteral("  关闭  "), this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(640, 360);

    connect(grid_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_)
            recomputeTotals();
    });
    connect(save_, &QPushButton::clicked, this, [this] {
        if (btnsaveClick())
            close();
    });
    connect(print, &QPushButton::clicked, this, [this] {
        guarded([this] { report::preview(report::layout(breakdownReport()), this); }, this);
    });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    FormShow();
}

int Tzhdanmingxifrm::colours() const
{
    return qMax(0, grid_->rowCount() - 2);
}

int Tzhdanmingxifrm::sizes() const
{
    return qMax(0, grid_->columnCount() - 2);
}

void Tzhdanmingxifrm::FormShow()
{
    filling_ = true;
    guarded(
        [this] {
            db::Query rows(QStringLiteral("SELECT * FROM zhdanmx WHERE makeid=:a"));
            rows.bind(QStringLiteral(":a"), makeid_).exec();
            struct Cell {
                QString colour, size;
                int pieces;
            };
            QList<Cell> cells;
            bool first = true;
            while (rows.next()) {
                if (first) {
                    const QVariant price = rows.value(QStringLiteral("price"));
                    price_->setText(price.isNull() ? QString() : Money::fromVariant(price).plainText());
                    spec_->setText(rows.text(QStringLiteral("guige")));
                    const QVariant zhelv = rows.value(QStringLiteral("zhelv"));
                    discount_->setText(zhelv.isNull() ? QString() : Money::fromVariant(zhelv).plainText());
                    first = false;
                }
                cells.append({rows.text(QStringLiteral("color")), rows.text(QStringLiteral("ma")),
                              rows.toInt(QStringLiteral("acount"))});
            }
            QStringList colourNames;
            QStringList sizeNames;
            if (!kid_.isNull()) {
                db::Query c(QStringLiteral("SELECT colorname FROM vm_colorzu WHERE kid=:a ORDER BY sysid"));
                c.bind(QStringLiteral(":a"), kid_).exec();
                while (c.next())
                    colourNames << c.value(0).toString();
                db::Query m(QStringLiteral("SELECT ma FROM vm_mazu WHERE kid=:b ORDER BY id"));
                m.bind(QStringLiteral(":b"), kid_).exec();
                while (m.next())
                    sizeNames << m.value(0).toString();
            }
            grid_->clear();
            grid_->setRowCount(colourNames.size() + 2);
            grid_->setColumnCount(colourNames.isEmpty() ? 1 : sizeNames.size() + 2);
            grid_->setItem(0, 0, fixedItem(setName_));
            for (int i = 0; i < colourNames.size(); ++i)
                grid_->setItem(i + 1, 0, fixedItem(colourNames[i]));
            grid_->setItem(colourNames.size() + 1, 0, fixedItem(kTotal));
            if (colourNames.isEmpty())
                return;  // a set without colours shows the header only
            for (int j = 0; j < sizeNames.size(); ++j)
                grid_->setItem(0, j + 1, fixedItem(sizeNames[j]));
            grid_->setItem(0, sizeNames.size() + 1, fixedItem(kTotal));
            for (int i = 1; i <= colourNames.size(); ++i)
                for (int j = 1; j <= sizeNames.size(); ++j)
                {
                    auto* item = new QTableWidgetItem;
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    grid_->setItem(i, j, item);
                }
            for (const Cell& cell : cells) {
                const int i = colourNames.indexOf(cell.colour);
                const int j = sizeNames.indexOf(cell.size);
                if (i >= 0 && j >= 0)
                    grid_->item(i + 1, j + 1)->setText(QString::number(cell.pieces));
            }
        },
        this);
    filling_ = false;
    recomputeTotals();
}

void Tzhdanmingxifrm::recomputeTotals()
{
    const int n = colours();
    const int m = sizes();
    if (n == 0)
        return;
    filling_ = true;
    QList<int> rowTotals(n + 1, 0);
    QList<int> columnTotals(m + 1, 0);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= m; ++j) {
            int value = 0;
            if (cellValue(grid_->item(i, j), &value)) {
                rowTotals[i - 1] += value;
                columnTotals[j - 1] += value;
            }
        }
    int grand = 0;
    for (int i = 0; i < n; ++i) {
        grid_->setItem(i + 1, m + 1, fixedItem(QString::number(rowTotals[i])));
        grand += rowTotals[i];
    }
    for (int j = 0; j < m; ++j)
        grid_->setItem(n + 1, j + 1, fixedItem(QString::number(columnTotals[j])));
    grid_->setItem(n + 1, m + 1, fixedItem(QString::number(grand)));
    filling_ = false;
}

int Tzhdanmingxifrm::grandTotal() const
{
    const QTableWidgetItem* item = grid_->item(colours() + 1, sizes() + 1);
    return colours() > 0 && item ? item->text().toInt() : 0;
}

bool Tzhdanmingxifrm::btnsaveClick()
{
    const int n = colours();
    const int m = sizes();
    struct Row {
        QString colour, size;
        int pieces;
    };
    QList<Row> rows;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= m; ++j) {
            const QTableWidgetItem* item = grid_->item(i, j);
            if (!item || item->text().trimmed().isEmpty())
                continue;
            int value = 0;
            if (!cellValue(item, &value)) {
                msg::error(kFailed + QStringLiteral("：%1 %2 的件数“%3”不是整数，明细没有保存。")
                                         .arg(grid_->item(i, 0)->text(), grid_->item(0, j)->text(), item->text()),
                           QStringLiteral("错误"), this);
                return false;
            }
            rows.append({grid_->item(i, 0)->text(), grid_->item(0, j)->text(), value});
        }
    auto optional = [](const QLineEdit* box) {
        const QString text = box->text().trimmed();
        return text.isEmpty() ? QVariant() : QVariant(text);
    };
    try {
        // The breakdown is replaced as a whole, or not at all.
        db::Transaction tx;
        db::Query(QStringLiteral("DELETE FROM zhdanmx WHERE makeid=:b")).bind(QStringLiteral(":b"), makeid_).exec();
        for (const Row& r : rows)
            db::Query(QStringLiteral("INSERT INTO zhdanmx(makeid, color, ma, acount, price, guige, zhelv) "
                                     "VALUES(:m, :c, :s, :a, :p, :g, :z)"))
                .bind(QStringLiteral(":m"), makeid_)
                .bind(QStringLiteral(":c"), r.colour)
                .bind(QStringLiteral(":s"), r.size)
                .bind(QStringLiteral(":a"), r.pieces)
                .bind(QStringLiteral(":p"), optional(price_))
                .bind(QStringLiteral(":g"), optional(spec_))
                .bind(QStringLiteral(":z"), optional(discount_))
                .exec();
        tx.commit();
    } catch (const db::DbError& e) {
        msg::error(kFailed + QLatin1Char('\n') + e.message(), QStringLiteral("错误"), this);
        return false;
    }
    msg::info(QStringLiteral("保存成功"), QStringLiteral("提示信息"), this);
    if (orderScreen_)
        orderScreen_->setQuantityFromBreakdown(makeid_, grandTotal());
    return true;
}

report::ListReport Tzhdanmingxifrm::breakdownReport() const
{
    report::ListReport r;
    r.title = QStringLiteral("订单颜色尺码明细");
    r.headerLines = {QStringLiteral("制单编号：%1").arg(makeid_) + QLatin1Char('\t') +
                     report::ListReport::dateLine(QDate::currentDate())};
    for (int j = 0; j < grid_->columnCount(); ++j) {
        const QTableWidgetItem* item = grid_->item(0, j);
        r.columns.append({item ? item->text() : QString(), j == 0 ? 2.0 : 1.0,
                          j == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter});
    }
    for (int i = 1; i < grid_->rowCount(); ++i) {
        QStringList row;
        for (int j = 0; j < grid_->columnCount(); ++j)
            row << (grid_->item(i, j) ? grid_->item(i, j)->text() : QString());
        r.rows.append(row);
    }
    r.summary = QStringLiteral("单价：%1    规格：%2    折率：%3").arg(price_->text(), spec_->text(), discount_->text());
    return r;
}
