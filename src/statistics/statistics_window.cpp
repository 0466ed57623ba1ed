#include "statistics/statistics_window.h"

#include "platform/input_boxes.h"
#include "platform/timing.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

StatisticsWindow::StatisticsWindow(const QString& name, const QString& title, int widthTwips, int heightTwips)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_opening(new QTimer(this))
{
    setObjectName(name);
    setWindowTitle(title);
    setFixedSize(platform::pixels(widthTwips), platform::pixels(heightTwips));

    m_opening->setObjectName(u"Timer1"_s);
    m_opening->setSingleShot(true);
    connect(m_opening, &QTimer::timeout, this, [this] {
        if (!m_ended)
            opened();
    });
}

void StatisticsWindow::finish()
{
    m_ended = true;
    close();
}

QLabel* StatisticsWindow::addLabel(const QString& name, const QString& text, int left, int top, int width, int height)
{
    auto* label = new QLabel(text, this);
    if (!name.isEmpty())
        label->setObjectName(name);
    platform::place(label, left, top, width, height);
    return label;
}

QLabel* StatisticsWindow::addHeading(const QString& text, int left, int top, int width, int height)
{
    QLabel* heading = addLabel({}, text, left, top, width, height);
    heading->setAlignment(Qt::AlignCenter);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.5);
    heading->setFont(font);
    return heading;
}

QPushButton* StatisticsWindow::addButton(const QString& name, const QString& caption, int left, int top, int width,
                                         int height)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(true);
    platform::place(button, left, top, width, height);
    return button;
}

QPushButton* StatisticsWindow::addReturnButton(const QString& name, const QString& caption, int left, int top,
                                               int width, int height)
{
    QPushButton* button = addButton(name, caption, left, top, width, height);
    connect(button, &QPushButton::clicked, this, &QWidget::close);
    platform::pressOnEscape(button);
    return button;
}

QComboBox* StatisticsWindow::addChoiceBox(const QString& name, int left, int top, int width, int height)
{
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    // Editable only so that it can show a text that is no item; the text itself takes no keys.
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setReadOnly(true);
    platform::place(box, left, top, width, height);
    return box;
}

void StatisticsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_openingStarted) {
        m_openingStarted = true;
        m_opening->start(platform::timing().opening);
    }
}

void StatisticsWindow::closeEvent(QCloseEvent* event)
{
    if (!m_ended) {
        m_ended = true;
        leaving();
    }
    QWidget::closeEvent(event);
}

} // namespace statistics
