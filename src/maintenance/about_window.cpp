#include "maintenance/about_window.h"

#include "maintenance/enter_key.h"
#include "maintenance/system_info.h"
#include "platform/data_folder.h"
#include "platform/database_choice.h"
#include "platform/dialogs.h"
#include "platform/input_boxes.h"
#include "platform/timing.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

namespace {

const QString productName = u"Quenvale"_s;

/** A green cross on a white tile, the mark of a pharmacy. */
QPixmap productIcon(int side)
{
    QPixmap icon(side, side);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 110, 60), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(1, 1, side - 2, side - 2), side / 6.0, side / 6.0);
    const qreal arm = side / 5.0;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(arm * 2, arm, arm, arm * 3), QColor(0, 150, 80));
    painter.fillRect(QRectF(arm, arm * 2, arm * 3, arm), QColor(0, 150, 80));
    return icon;
}

} // namespace

AboutWindow::AboutWindow()
    : QWidget(nullptr,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::CustomizeWindowHint)
    , m_timer(new QTimer(this))
{
    setObjectName(u"frmAbout"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"关于"_s + productName);

    auto* icon = new QLabel;
    icon->setObjectName(u"picIcon"_s);
    icon->setPixmap(productIcon(48));
    icon->setAlignment(Qt::AlignTop);
    auto* title = new QLabel(productName);
    title->setObjectName(u"lblTitle"_s);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* version = new QLabel(u"版本 V1.00"_s);
    version->setObjectName(u"lblVersion"_s);
    // the one place a user learns where the data lives, to back it up
    auto* dataFolder = new QLabel(u"数据目录：%1"_s.arg(QDir::toNativeSeparators(platform::dataFolder())));
    dataFolder->setObjectName(u"lblDataFolder"_s);
    dataFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* databaseName = new QLabel(u"数据库：%1"_s.arg(platform::shownDatabaseName()));
    databaseName->setObjectName(u"lblDatabase"_s);
    databaseName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* notice = new QLabel(u"本程序受著作权法保护。未经许可，不得复制、修改或传播本程序的全部或部分。"_s);
    notice->setObjectName(u"lblDisclaimer"_s);
    notice->setWordWrap(true);
    notice->setFixedWidth(260);
    auto* ok = new QPushButton(u"确定"_s);
    ok->setObjectName(u"cmdOK"_s);
    auto* systemInfo = new QPushButton(u"系统信息(&S)..."_s);
    systemInfo->setObjectName(u"cmdSysInfo"_s);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setHorizontalSpacing(16);
    layout->setVerticalSpacing(8);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(title, 0, 1, 1, 2);
    layout->addWidget(version, 1, 1, 1, 2);
    layout->addWidget(dataFolder, 2, 1, 1, 2);
    layout->addWidget(databaseName, 3, 1, 1, 2);
    layout->setRowMinimumHeight(3, 24);
    layout->addWidget(line, 4, 0, 1, 3);
    layout->addWidget(notice, 5, 0, 2, 2, Qt::AlignTop);
    layout->addWidget(ok, 5, 2);
    layout->addWidget(systemInfo, 6, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    pressOnEnter(ok);
    platform::pressOnEscape(ok);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(systemInfo, &QPushButton::clicked, this, [] {
        if (!startSystemInfoViewer())
            platform::inform(u"此时系统信息不可用"_s);
    });

    // kept as a run-once opening step that has nothing to do
    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setSingleShot(true);
}

void AboutWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    m_timer->start(platform::timing().opening);
}

} // namespace maintenance
