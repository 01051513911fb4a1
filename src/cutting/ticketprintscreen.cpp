#include "cutting/ticketprintscreen.h"

#include "common/db.h"
#include "common/entermovesfocus.h"
#include "common/messages.h"
#include "common/output.h"
#include "common/screenkit.h"
#include "common/screenregistry.h"
#include "cutting/lasersheet.h"
#include "cutting/ticketrun.h"
#include "cutting/zhahaotihuan.h"
#include "server/ticketprocs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kError = QStringLiteral("出错提示");
const QString kInfo = QStringLiteral("信息提示");
const QString kNotNumbers = QStringLiteral("请输入数值类型");

bool isEnter(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QTableWidget* smallGrid(QWidget* parent, const QStringList& captions)
{
    auto* grid = new QTableWidget(0, int(captions.size()), parent);
    grid->setHorizontalHeaderLabels(captions);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

bool twoNumbers(const QString& a, const QString& b, int* x, int* y)
{
    bool ok1 = false;
    bool ok2 = false;
    *x = a.trimmed().toInt(&ok1);
    *y = b.trimmed().toInt(&ok2);
    return ok1 && ok2;
}

}  // namespace

TicketPrintScreen::TicketPrintScreen(const Config& config, QWidget* parent) : QWidget(parent), config_(config)
{
    setWindowTitle(config.caption);
    const bool bundles = config.kind == Kind::Bundles;
    const bool continuous = config.kind == Kind::Continuous;

    auto* fields = new QGridLayout;
    from_ = new QLineEdit(this);
    to_ = new QLineEdit(this);
    numericBox(from_, 0, 999999);
    numericBox(to_, 0, 999999);
    if (bundles) {
        orderList_ = new QComboBox(this);
        orderList_->setEditable(true);
        orderList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        orderList_->setMinimumContentsLength(12);
        addField(fields, 0, QStringLiteral("制单号："), orderList_, 3);
        addField(fields, 1, QStringLiteral("起始扎号："), from_, 3);
        addField(fields, 2, QStringLiteral("结束扎号："), to_, 3);
    } else {
        orderBox_ = new QLineEdit(this);
        orderBox_->setMaxLength(50);
        addField(fields, 0, continuous ? QStringLiteral("制 单号：") : QStringLiteral("制单号："), orderBox_, 3);
        if (continuous) {
            addField(fields, 1, QStringLiteral("起始床次："), from_, 3);
            addField(fields, 2, QStringLiteral("终止床次："), to_, 3);
        } else {
            addField(fields, 1, QStringLiteral("打印床次："), to_, 3);
            from_->hide();
        }
    }
    lining_ = new QRadioButton(QStringLiteral("里布打印"), this);
    shell_ = new QRadioButton(QStringLiteral("面布打印"), this);
    auto* modes = new QHBoxLayout;
    modes->addWidget(new QLabel(QStringLiteral("打印方式："), this));
    modes->addWidget(lining_);
    modes->addWidget(shell_);
    modes->addStretch();

    auto* tools = new QHBoxLayout;
    buttons_ << addButton(tools, config.printCaption, this);
    buttons_ << addButton(tools, QStringLiteral("另存为PDF"), this);
    if (config.laserFlat != 0)
        for (const char* caption : {"激光8in", "激光10in", "激光12in"})
            buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    if (!continuous) {
        buttons_ << addButton(tools, QStringLiteral("扎号替换"), this);
        buttons_ << addButton(tools, QStringLiteral("不打印工序"), this);
        segmentCheck_ = new QCheckBox(QStringLiteral("打印名称转换"), this);
        tools->addWidget(segmentCheck_);
    }
    if (config.kind == Kind::Lot)
        buttons_ << addButton(tools, QStringLiteral("连续打印"), this);
    tools->addStretch();
    buttons_ << addButton(tools, QStringLiteral("关闭"), this);

    grid_ = smallGrid(this, {QStringLiteral("制单号"), QStringLiteral("颜色"), QStringLiteral("床次"), QStringLiteral("扎号"),
                             QStringLiteral("码数"), QStringLiteral("数量"), QStringLiteral("工序"), QStringLiteral("条形码")});
    progress_ = new QProgressBar(this);
    progress_->hide();

    auto* side = new QVBoxLayout;
    if (!continuous) {
        exclusionGroup_ = new QGroupBox(QStringLiteral("选择不打印工序"), this);
        exclusionFrom_ = new QLineEdit(exclusionGroup_);
        exclusionTo_ = new QLineEdit(exclusionGroup_);
        exclusionGrid_ = smallGrid(exclusionGroup_, {QStringLiteral("从工序"), QStringLiteral("到")});
        auto* g = new QGridLayout(exclusionGroup_);
        addField(g, 0, QStringLiteral("从工序"), exclusionFrom_);
        addField(g, 1, QStringLiteral("到"), exclusionTo_);
        g->addWidget(exclusionGrid_, 1, 0, 1, 4);
        auto* b = new QHBoxLayout;
        QPushButton* add = addButton(b, config.kind == Kind::Lot ? QStringLiteral("增加") : QStringLiteral("确定"), exclusionGroup_);
        QPushButton* remove = addButton(b, QStringLiteral("删除"), exclusionGroup_);
        QPushButton* run = addButton(b, QStringLiteral("执行"), exclusionGroup_);
        g->addLayout(b, 2, 0, 1, 4);
        connect(add, &QPushButton::clicked, this, [this] { addExclusion(exclusionFrom_->text(), exclusionTo_->text()); });
        connect(remove, &QPushButton::clicked, this, &TicketPrintScreen::removeExclusion);
        connect(run, &QPushButton::clicked, this, &TicketPrintScreen::runExclusions);
        exclusionGroup_->hide();
        side->addWidget(exclusionGroup_);

        segmentGroup_ = new QGroupBox(QStringLiteral("工序名称"), this);
        segmentFrom_ = new QLineEdit(segmentGroup_);
        segmentTo_ = new QLineEdit(segmentGroup_);
        segmentName_ = new QLineEdit(segmentGroup_);
        segmentName_->setMaxLength(10);
        segmentGrid_ = smallGrid(segmentGroup_, {QStringLiteral("从工序"), QStringLiteral("到"), QStringLiteral("名称")});
        auto* s = new QGridLayout(segmentGroup_);
        addField(s, 0, QStringLiteral("从工序"), segmentFrom_, 3);
        addField(s, 1, QStringLiteral("到"), segmentTo_, 3);
        addField(s, 2, QStringLiteral("名称"), segmentName_, 3);
        s->addWidget(segmentGrid_, 1, 0, 1, 6);
        auto* sb = new QHBoxLayout;
        QPushButton* ok = addButton(sb, QStringLiteral("确定"), segmentGroup_);
        QPushButton* del = addButton(sb, QStringLiteral("删除"), segmentGroup_);
        QPushButton* print = addButton(sb, QStringLiteral("打印"), segmentGroup_);
        s->addLayout(sb, 2, 0, 1, 6);
        connect(ok, &QPushButton::clicked, this,
                [this] { addSegment(segmentFrom_->text(), segmentTo_->text(), segmentName_->text()); });
        connect(del, &QPushButton::clicked, this, &TicketPrintScreen::removeSegment);
        connect(print, &QPushButton::clicked, this, &TicketPrintScreen::segmentPrintClick);
        segmentGroup_->hide();
        side->addWidget(segmentGroup_);
    }

    auto* body = new QHBoxLayout;
    body->addWidget(grid_, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(fields);
    layout->addLayout(modes);
    layout->addLayout(body, 1);
    layout->addWidget(progress_);
    resize(900, 520);

    // The work tables of this connection; other workstations have their own.
    db::Connection& c = db::Connection::main();
    procs::createPrintTables(c, continuous ? procs::continuousTables() : procs::ticketTables());
    if (!continuous && !config.exclusionTableOnDemand) {
        procs::createExclusionTable(c);
        exclusionTable_ = true;
    }
    if (bundles) {
        db::Query orders(QStringLiteral("SELECT DISTINCT makeid FROM printout ORDER BY makeid"));
        orders.exec();
        QStringList names;
        while (orders.next())
            names << orders.value(0).toString().trimmed();
        orderList_->addItems(names);
        orderList_->setCurrentIndex(-1);
        connect(orderList_, &QComboBox::currentTextChanged, this, &TicketPrintScreen::orderChanged);
    }

    QWidget* orderWidget = bundles ? static_cast<QWidget*>(orderList_) : orderBox_;
    for (QWidget* w : {orderWidget, static_cast<QWidget*>(from_), static_cast<QWidget*>(to_)}) {
        w->setProperty("enterMovesFocus", false);
        w->installEventFilter(this);
    }
    installEnterMovesFocus(this);

    connect(button(config.printCaption), &QPushButton::clicked, this, &TicketPrintScreen::btnprintClick);
    connect(button(QStringLiteral("另存为PDF")), &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("另存为PDF"),
                                                          windowTitle() + QStringLiteral(".pdf"),
                                                          QStringLiteral("PDF 文件 (*.pdf)"));
        if (!path.isEmpty())
            savePdf(path);
    });
    if (config.laserFlat != 0) {
        const QStringList lasers{QStringLiteral("激光8in"), QStringLiteral("激光10in"), QStringLiteral("激光12in")};
        for (int i = 0; i < lasers.size(); ++i)
            connect(button(lasers[i]), &QPushButton::clicked, this, [this, i] {
                const report::Document doc = laserDocument(tickets::kLaserLengths[i]);
                if (!doc.pages.isEmpty())
                    report::preview(doc, this);
            });
    }
    if (QPushButton* labels = button(QStringLiteral("扎号替换"))) {
        connect(labels, &QPushButton::clicked, this, [this] {
            // Opened on the lot being printed, when the screen prints one.
            auto* screen = new Tzhahaotihuanfrm;
            screen->setObjectName(QStringLiteral("zhahaotihuanfrm"));
            if (config_.kind == Kind::Lot && !order().isEmpty() && !to_->text().trimmed().isEmpty())
                screen->showLot(order(), to_->text().trimmed().toInt());
            screens::showScreen(screen, OpenMode::Modal);
            if (config_.kind != Kind::Continuous && grid_->rowCount() > 0)
                fill();  // the new labels go on the tickets
        });
    }
    if (QPushButton* exclude = button(QStringLiteral("不打印工序")))
        connect(exclude, &QPushButton::clicked, this, &TicketPrintScreen::btnexcludeClick);
    if (QPushButton* more = button(QStringLiteral("连续打印"))) {
        more->setEnabled(screens::isRegistered(QStringLiteral("Tprintchuangciallfrm")));
        connect(more, &QPushButton::clicked, this,
                [] { screens::open(QStringLiteral("Tprintchuangciallfrm"), OpenMode::Modal); });
    }
    connect(button(QStringLiteral("关闭")), &QPushButton::clicked, this, &QWidget::close);
    streamFactory_ = [this] {
        return report::printJobStream(windowTitle(), tickets::paperFor(config_.layout), this);
    };
}

TicketPrintScreen::~TicketPrintScreen()
{
    db::Connection& c = db::Connection::main();
    if (!c.isOpen())
        return;
    try {
        procs::dropPrintTables(c, config_.kind == Kind::Continuous ? procs::continuousTables() : procs::ticketTables());
        if (exclusionTable_)
            procs::dropExclusionTable(c);
        if (segmentTable_)
            procs::dropSegmentTable(c);
    } catch (const db::DbError&) {
        // The connection is going away; its temporary tables go with it.
    }
}

QPushButton* TicketPrintScreen::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

QString TicketPrintScreen::order() const
{
    return (orderList_ ? orderList_->currentText() : orderBox_->text()).trimmed();
}

void TicketPrintScreen::setPageStreamFactory(std::function<std::unique_ptr<report::PageStream>()> factory)
{
    streamFactory_ = std::move(factory);
}

void TicketPrintScreen::showEvent(QShowEvent* event)
{
    printing_ = false;
    QWidget::showEvent(event);
}

bool TicketPrintScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (!isEnter(event))
        return QWidget::eventFilter(watched, event);
    if (watched == orderList_ || watched == orderBox_)
        orderEnter();
    else if (watched == from_)
        fromEnter();
    else if (watched == to_)
        toEnter();
    return true;
}

bool TicketPrintScreen::modeChosen() const
{
    return lining_->isChecked() || shell_->isChecked();
}

void TicketPrintScreen::orderChanged()
{
    if (!modeChosen() && !order().isEmpty())
        msg::warning(QStringLiteral("请选择打印方式"), kError, this);
}

void TicketPrintScreen::orderEnter()
{
    switch (config_.kind) {
    case Kind::Bundles:
        from_->setFocus();
        return;
    case Kind::Lot:
        if (!modeChosen()) {
            msg::warning(QStringLiteral("请先选择打印方式"), kError, this);
            return;
        }
        break;
    case Kind::Continuous:
        break;
    }
    try {
        db::Query q(QStringLiteral("SELECT makeid FROM printout WHERE makeid=:a"));
        q.bind(QStringLiteral(":a"), order()).exec();
        if (!q.next()) {
            msg::info(config_.kind == Kind::Lot ? QStringLiteral("此单号不存在请从新输入") : QStringLiteral("此制单号不存在"),
                      kInfo, this);
            orderBox_->setFocus();
            orderBox_->selectAll();
            return;
        }
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return;
    }
    (config_.kind == Kind::Lot ? to_ : from_)->setFocus();
}

void TicketPrintScreen::fromEnter()
{
    to_->setFocus();
}

void TicketPrintScreen::toEnter()
{
    if (config_.kind == Kind::Lot) {
        try {
            db::Query q(QStringLiteral("SELECT bed FROM printout WHERE (bed=:a) AND (makeid=:b)"));
            q.bind(QStringLiteral(":a"), to_->text().trimmed().toInt()).bind(QStringLiteral(":b"), order()).exec();
            if (!q.next()) {
                msg::info(QStringLiteral("此床次不存在请从新输入"), kInfo, this);
                to_->selectAll();
                return;
            }
        } catch (const db::DbError& e) {
            msg::error(e.message(), QStringLiteral("错误"), this);
            return;
        }
        printing_ = false;  // every lot accepted may be printed once
    }
    fill();
}

bool TicketPrintScreen::selection(int* from, int* to) const
{
    bool ok1 = true;
    bool ok2 = false;
    *to = to_->text().trimmed().toInt(&ok2);
    *from = config_.kind == Kind::Lot ? *to : from_->text().trimmed().toInt(&ok1);
    return ok1 && ok2;
}

bool TicketPrintScreen::fill()
{
    if (!modeChosen()) {
        msg::warning(config_.kind == Kind::Lot ? QStringLiteral("请先选择打印方式") : QStringLiteral("请选择打印方式"), kError,
                     this);
        return false;
    }
    procs::TicketSelection s;
    s.makeid = order();
    s.lots = config_.kind != Kind::Bundles;
    if (!selection(&s.from, &s.to)) {
        msg::info(kNotNumbers, kInfo, this);
        return false;
    }
    db::Connection& c = db::Connection::main();
    try {
        const procs::PrintTables tables =
            config_.kind == Kind::Continuous ? procs::continuousTables() : procs::ticketTables();
        if (lining_->isChecked())
            procs::fillLining(c, tables, s);
        else if (config_.kind == Kind::Continuous)
            procs::fillProcessSplit(c, tables, s);
        else
            procs::fillShell(c, tables, s);
    } catch (const db::DbError& e) {
        msg::error(config_.kind == Kind::Bundles ? QStringLiteral("确认已经选择正确的制单号？") : e.message(),
                   QStringLiteral("错误"), this);
        return false;
    }
    refreshPreview();
    return true;
}

void TicketPrintScreen::refreshPreview()
{
    grid_->setRowCount(0);
    int from = 0;
    int to = 0;
    if (order().isEmpty() || !selection(&from, &to))
        return;
    const QString range = config_.kind == Kind::Bundles ? QStringLiteral("zhahao") : QStringLiteral("bed");
    try {
        db::Query q(QStringLiteral("SELECT makeid, color, bed, zhahao, sizename, amount, workid, barcode FROM printout "
                                   "WHERE makeid=:m AND %1>=:a AND %1<=:b ORDER BY bed, zhahao, workid")
                        .arg(range));
        q.bind(QStringLiteral(":m"), order()).bind(QStringLiteral(":a"), from).bind(QStringLiteral(":b"), to).exec();
        QList<QStringList> rows;
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < 8; ++i)
                row << q.value(i).toString().trimmed();
            rows << row;
        }
        grid_->setRowCount(int(rows.size()));
        for (int r = 0; r < rows.size(); ++r)
            for (int i = 0; i < 8; ++i)
                grid_->setItem(r, i, new QTableWidgetItem(rows[r][i]));
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}

void TicketPrintScreen::btnprintClick()
{
    if (printing_) {
        msg::warning(QStringLiteral("系统正在进行打印请稍后再执行此操作"), kError, this);
        return;
    }
    if (grid_->rowCount() == 0) {
        msg::warning(QStringLiteral("当前记录为空，没有可以打印的数据"), kError, this);
        return;
    }
    db::Connection& c = db::Connection::main();
    try {
        procs::createSegmentTable(c);
        segmentTable_ = true;
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return;
    }
    if (segmentCheck_ && segmentCheck_->isChecked()) {
        // The names are typed first; the group's 打印 runs the print.
        segmentGrid_->setRowCount(0);
        segmentGroup_->show();
        segmentFrom_->setFocus();
        return;
    }
    startPrint(false);
}

void TicketPrintScreen::segmentPrintClick()
{
    segmentGroup_->hide();
    startPrint(true);
}

void TicketPrintScreen::startPrint(bool segments)
{
    std::unique_ptr<report::PageStream> out = streamFactory_();
    runPrint(*out, segments, true);
    try {
        procs::dropSegmentTable(db::Connection::main());
        segmentTable_ = false;
    } catch (const db::DbError&) {
        // dropped with the screen
    }
}

bool TicketPrintScreen::runPrint(report::PageStream& out, bool segments, bool setFlag)
{
    if (grid_->rowCount() == 0) {
        msg::warning(QStringLiteral("没有打印的对象"), kError, this);
        return false;
    }
    if (setFlag)
        printing_ = true;  // stays set: a screen prints its selection once
    tickets::RunOptions options;
    options.layout = config_.layout;
    options.mode = lining_->isChecked() || config_.kind == Kind::Continuous ? tickets::Mode::Lining : tickets::Mode::Shell;
    options.segments = segments && config_.kind != Kind::Continuous;
    options.progress = [this](int page, int pages) {
        progress_->setMaximum(pages);
        progress_->setValue(page);
        progress_->repaint();
    };
    progress_->setValue(0);
    progress_->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    bool ok = true;
    try {
        tickets::printRun(db::Connection::main(),
                          config_.kind == Kind::Continuous ? procs::continuousTables() : procs::ticketTables(), out,
                          options, &error);
    } catch (const db::DbError& e) {
        error = e.message();
    }
    QApplication::restoreOverrideCursor();
    progress_->hide();
    if (!error.isEmpty()) {
        msg::error(QStringLiteral("打印没有完成，已经打印的页不会重打：\n") + error, QStringLiteral("错误"), this);
        ok = false;
    }
    return ok;
}

bool TicketPrintScreen::savePdf(const QString& path)
{
    if (grid_->rowCount() == 0) {
        msg::warning(QStringLiteral("当前记录为空，没有可以打印的数据"), kError, this);
        return false;
    }
    std::unique_ptr<report::PageStream> out =
        report::pdfStream(path, windowTitle(), tickets::paperFor(config_.layout));
    return runPrint(*out, segmentTable_, false);
}

report::Document TicketPrintScreen::laserDocument(double paperLengthMm)
{
    int from = 0;
    int to = 0;
    if (order().isEmpty() || !selection(&from, &to)) {
        msg::warning(QStringLiteral("当前记录为空，没有可以打印的数据"), kError, this);
        return {};
    }
    try {
        const QList<procs::LaserLine> lines =
            procs::SP_caiprint(db::Connection::main(), config_.laserFlat, order(), from, to);
        if (lines.isEmpty()) {
            msg::warning(QStringLiteral("当前记录为空，没有可以打印的数据"), kError, this);
            return {};
        }
        return tickets::laserSheet(lines, paperLengthMm);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return {};
    }
}

void TicketPrintScreen::btnexcludeClick()
{
    if (!exclusionTable_) {
        try {
            procs::createExclusionTable(db::Connection::main());
            exclusionTable_ = true;
        } catch (const db::DbError& e) {
            msg::error(e.message(), QStringLiteral("错误"), this);
            return;
        }
    }
    reloadRanges(exclusionGrid_, QStringLiteral("SELECT duanone, duantwo FROM gongxuduan ORDER BY duanone, duantwo"));
    exclusionGroup_->show();
    exclusionFrom_->setFocus();
}

void TicketPrintScreen::reloadRanges(QTableWidget* grid, const QString& sql)
{
    db::Query q(sql);
    q.exec();
    grid->setRowCount(0);
    while (q.next()) {
        const int r = grid->rowCount();
        grid->insertRow(r);
        for (int i = 0; i < grid->columnCount(); ++i)
            grid->setItem(r, i, new QTableWidgetItem(q.value(i).toString()));
    }
}

bool TicketPrintScreen::addExclusion(const QString& from, const QString& to)
{
    int a = 0;
    int b = 0;
    if (!twoNumbers(from, to, &a, &b)) {
        msg::info(kNotNumbers, kInfo, this);
        return false;
    }
    try {
        if (!exclusionTable_)
            btnexcludeClick();
        db::Query(QStringLiteral("INSERT INTO gongxuduan(duanone, duantwo) VALUES(:a, :b)"))
            .bind(QStringLiteral(":a"), a)
            .bind(QStringLiteral(":b"), b)
            .exec();
        reloadRanges(exclusionGrid_, QStringLiteral("SELECT duanone, duantwo FROM gongxuduan ORDER BY duanone, duantwo"));
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return false;
    }
    exclusionFrom_->clear();
    exclusionTo_->clear();
    return true;
}

void TicketPrintScreen::removeExclusion()
{
    removeCurrent(exclusionGrid_, QStringLiteral("gongxuduan"), {QStringLiteral("duanone"), QStringLiteral("duantwo")});
}

void TicketPrintScreen::runExclusions()
{
    db::Connection& c = db::Connection::main();
    try {
        if (exclusionTable_)
            procs::excludeProcesses(c, procs::ticketTables());
        if (config_.exclusionTableOnDemand && exclusionTable_) {
            procs::dropExclusionTable(c);
            exclusionTable_ = false;
        }
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return;
    }
    // The preview keeps listing the whole selection; only the print tables lost the ranges.
    exclusionGroup_->hide();
}

bool TicketPrintScreen::addSegment(const QString& from, const QString& to, const QString& name)
{
    if (from.trimmed().isEmpty() || to.trimmed().isEmpty() || name.trimmed().isEmpty()) {
        msg::info(QStringLiteral("请输入从工序、到和名称"), kInfo, this);
        return false;
    }
    int a = 0;
    int b = 0;
    if (!twoNumbers(from, to, &a, &b)) {
        msg::info(kNotNumbers, kInfo, this);
        return false;
    }
    try {
        db::Query(QStringLiteral("INSERT INTO gongxuming(duanone, duantwo, mingcheng) VALUES(:a, :b, :c)"))
            .bind(QStringLiteral(":a"), a)
            .bind(QStringLiteral(":b"), b)
            .bind(QStringLiteral(":c"), name.trimmed())
            .exec();
        reloadRanges(segmentGrid_, QStringLiteral("SELECT duanone, duantwo, mingcheng FROM gongxuming ORDER BY duanone"));
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return false;
    }
    segmentFrom_->clear();
    segmentTo_->clear();
    segmentName_->clear();
    return true;
}

void TicketPrintScreen::removeSegment()
{
    removeCurrent(segmentGrid_, QStringLiteral("gongxuming"),
                  {QStringLiteral("duanone"), QStringLiteral("duantwo"), QStringLiteral("mingcheng")});
}

void TicketPrintScreen::removeCurrent(QTableWidget* grid, const QString& table, const QStringList& columns)
{
    const int r = grid->currentRow();
    if (r < 0)
        return;
    QStringList match;
    for (int i = 0; i < columns.size(); ++i)
        match << QStringLiteral("%1=:v%2").arg(columns[i]).arg(i);
    try {
        db::Query remove(QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, match.join(QStringLiteral(" AND "))));
        for (int i = 0; i < columns.size(); ++i) {
            const QString text = grid->item(r, i)->text();
            remove.bind(QStringLiteral(":v%1").arg(i), columns[i] == QLatin1String("mingcheng") ? QVariant(text) : QVariant(text.toInt()));
        }
        remove.exec();
        reloadRanges(grid, QStringLiteral("SELECT %1 FROM %2 ORDER BY duanone, duantwo").arg(columns.join(QStringLiteral(", ")), table));
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}
