#include "shell/maincai.h"

#include "shell/mainform.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

const QColor Tmaincaifrm::kDefaultButtonColour(209, 192, 218);

const std::vector<NavCategory>& navCategories()
{
    static const std::vector<NavCategory> list = {
        {QStringLiteral("裁单管理"), QColor(255, 149, 149), 1},
        {QStringLiteral("菲票管理"), QColor(0, 102, 151), 2},
        {QStringLiteral("工资计算"), QColor(128, 128, 128), 3},
        {QStringLiteral("生产管理"), QColor(128, 64, 64), 4},
        {QStringLiteral("考勤管理"), QColor(0, 128, 64), 5},
        {QStringLiteral("售饭管理"), QColor(64, 0, 128), 0},
        {QStringLiteral("系统维护"), QColor(0, 64, 128), 6},
    };
    return list;
}

const std::vector<NavIconSpec>& navIcons()
{
    auto s = [](int page, const char* caption, const char* entry) {
        return NavIconSpec{page, QString::fromUtf8(caption), QString::fromUtf8(entry)};
    };
    static const std::vector<NavIconSpec> list = {
        s(1, "制单录入", "订单录入"), s(1, "总工序录入", "总工序录入"), s(1, "款式-工序模板定义", ""),
        s(1, "部门管理", "部门设定"), s(1, "员工基本资料", "员工管理"), s(1, "离职管理", "调动、离职"),
        s(2, "裁床拉布", "录入拉布记录"), s(2, "床次打印", "床次条码打印"),
        s(2, "扎号打印", "扎号条码打印"), s(2, "工序明细录入", "工序明细录入"),
        s(3, "手工计件", "菲票手工录入"), s(3, "条形码计件", "条形码菲票录入"),
        s(3, "工资汇总", "员工工资报表"), s(3, "菲票查询", "菲票查询"),
        s(3, "时工工资录入", "时工工资录入"), s(3, "日薪统计", "日薪统计"),
        s(3, "员工工资报表", "员工工资报表"),
        s(4, "生产进程", "生产进程"), s(4, "生产监控", "生产监控"), s(4, "月生产报表", "月生产报表"),
        s(4, "日生产报表", "日生产报表"), s(4, "订单分析", "订单分析"),
        s(4, "客户订单分析", "客户订单分析"), s(4, "裁床分析报表", "裁床分析报表"),
        s(5, "排班管理", "排班管理"), s(5, "排班查询", "排班查询"), s(5, "考勤数据汇总", "考勤综合报表"),
        s(5, "班次设定", "排班项目设置"), s(5, "考勤机管理", "考勤机设置"),
        s(5, "公休停工", "公休停工设定"), s(5, "出差、外勤、加班", "出差、外勤、加班"),
        s(5, "考勤记录手工输入", "手工输入刷卡记录"), s(5, "考勤原始数据", "员工考勤原始记录"),
        s(6, "用户管理", "用户管理"), s(6, "权限管理", "权限管理"), s(6, "数据备份", "数据库备份"),
        s(6, "系统日志", ""), s(6, "系统维护", ""),
    };
    return list;
}

// ---- NavIcon ----

NavIcon::NavIcon(const NavIconSpec& spec, const QColor& colour, QWidget* parent)
    : QWidget(parent), spec_(spec), colour_(colour)
{
    setObjectName(QStringLiteral("nav:") + spec.caption);
    setFixedSize(104, 84);
    setCursor(Qt::PointingHandCursor);
    setToolTip(spec.menuEntry.isEmpty() ? spec.caption : spec.menuEntry);
}

void NavIcon::setHighlighted(bool on)
{
    if (highlighted_ == on)
        return;
    highlighted_ = on;
    update();
}

void NavIcon::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF picture(width() / 2.0 - 24, 4, 48, 48);
    QLinearGradient fill(picture.topLeft(), picture.bottomRight());
    const QColor base = highlighted_ ? colour_.lighter(135) : colour_;
    fill.setColorAt(0, base.lighter(150));
    fill.setColorAt(1, base.darker(115));
    QPainterPath path;
    path.addRoundedRect(picture, 10, 10);
    p.fillPath(path, fill);
    p.setPen(QPen(highlighted_ ? QColor(255, 200, 0) : base.darker(140), highlighted_ ? 3 : 1));
    p.drawPath(path);
    QFont glyph = font();
    glyph.setPointSize(18);
    glyph.setBold(true);
    p.setFont(glyph);
    p.setPen(Qt::white);
    p.drawText(picture, Qt::AlignCenter, spec_.caption.left(1));
    p.setFont(font());
    p.setPen(highlighted_ ? Qt::red : Qt::black);
    p.drawText(QRectF(0, 56, width(), height() - 56), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               spec_.caption);
}

void NavIcon::enterEvent(QEnterEvent*)
{
    // Only one icon is highlighted: the page restores the others.
    if (auto* page = parentWidget())
        for (NavIcon* other : page->findChildren<NavIcon*>())
            other->setHighlighted(other == this);
}

void NavIcon::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

// ---- Tmaincaifrm ----

Tmaincaifrm::Tmaincaifrm(Tmainfrm* mainWindow) : QWidget(nullptr), main_(mainWindow)
{
    setObjectName(QStringLiteral("maincaifrm"));
    setWindowTitle(QStringLiteral("系统导航"));

    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    const auto& categories = navCategories();
    for (size_t i = 0; i < categories.size(); ++i) {
        auto* button = new QPushButton(categories[i].caption, this);
        button->setFixedSize(110, 46);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this,
                [this, i] { selectCategory(static_cast<int>(i)); });
        buttons_.push_back(button);
        column->addWidget(button);
        styleButton(static_cast<int>(i), false);
    }
    column->addStretch();

    pages_ = new QStackedWidget(this);
    for (int page = 1; page <= 6; ++page) {
        auto* sheet = new QWidget(pages_);
        sheet->setAutoFillBackground(true);
        QPalette pal = sheet->palette();
        pal.setColor(QPalette::Window, QColor(250, 248, 240));
        sheet->setPalette(pal);
        sheet->setMouseTracking(true);
        sheet->installEventFilter(this);
        auto* grid = new QGridLayout(sheet);
        grid->setSpacing(8);
        QColor colour;
        for (const NavCategory& c : categories)
            if (c.page == page)
                colour = c.colour;
        int n = 0;
        for (const NavIconSpec& spec : navIcons()) {
            if (spec.page != page)
                continue;
            auto* icon = new NavIcon(spec, colour, sheet);
            connect(icon, &NavIcon::clicked, this, [this, icon] {
                if (!icon->spec().menuEntry.isEmpty())
                    main_->openEntry(icon->spec().menuEntry);
            });
            icons_.push_back(icon);
            grid->addWidget(icon, n / 4, n % 4, Qt::AlignCenter);
            ++n;
        }
        grid->setRowStretch(grid->rowCount(), 1);
        pages_->addWidget(sheet);
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(column);
    layout->addWidget(pages_, 1);
    setFixedSize(614, 396);

    // The page shown first is 系统维护.
    selectCategory(static_cast<int>(categories.size()) - 1);
}

void Tmaincaifrm::styleButton(int index, bool chosen)
{
    const NavCategory& c = navCategories()[static_cast<size_t>(index)];
    const QColor back = chosen ? c.colour : kDefaultButtonColour;
    buttons_[static_cast<size_t>(index)]->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid #7a6a85; "
                       "border-radius: 4px; font-weight: bold; }")
            .arg(back.name(), chosen ? QStringLiteral("white") : QStringLiteral("black")));
}

void Tmaincaifrm::selectCategory(int index)
{
    selected_ = index;
    for (size_t i = 0; i < buttons_.size(); ++i)
        styleButton(static_cast<int>(i), static_cast<int>(i) == index);
    const int page = navCategories()[static_cast<size_t>(index)].page;
    if (page > 0)
        pages_->setCurrentIndex(page - 1);
}

int Tmaincaifrm::currentPage() const
{
    return pages_->currentIndex() + 1;
}

NavIcon* Tmaincaifrm::icon(const QString& caption) const
{
    for (NavIcon* i : icons_)
        if (i->spec().caption == caption && i->spec().page == currentPage())
            return i;
    return nullptr;
}

void Tmaincaifrm::clickIcon(const QString& caption)
{
    if (NavIcon* i = icon(caption))
        emit i->clicked();
}

bool Tmaincaifrm::eventFilter(QObject* watched, QEvent* event)
{
    // The pointer over the page background restores every icon.
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
        for (NavIcon* i : icons_)
            if (i->parentWidget() == watched)
                i->setHighlighted(false);
    return QWidget::eventFilter(watched, event);
}

void Tmaincaifrm::showInFrame()
{
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) {
        frame = main_->mdiArea()->addSubWindow(
            this, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint);
        frame->setWindowTitle(windowTitle());
    }
    show();
    frame->showNormal();
    frame->adjustSize();
    frame->move(20, 20);
    main_->mdiArea()->setActiveSubWindow(frame);
}

void Tmaincaifrm::closeEvent(QCloseEvent* event)
{
    // Closing only minimises.
    event->ignore();
    if (QWidget* frame = parentWidget())
        frame->showMinimized();
}
