#include "review/unit_change_window.h"

#include "platform/dialogs.h"
#include "platform/input_boxes.h"
#include "platform/twips.h"
#include "review/window_parts.h"
#include "store/bound_recordset.h"
#include "transaction/working_set.h"
#include "users/log_wording.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace review {

namespace {

const QString unitNameField = u"单位名称"_s;

/** The names in the register in stored order; nullopt when it cannot be read or holds no unit. */
std::optional<QStringList> unitNames(store::BoundRecordset& units)
{
    if (!units.isOpen() || !units.moveLast())
        return std::nullopt;
    const qsizetype nameField = units.fields().indexOf(unitNameField);
    if (nameField < 0)
        return std::nullopt;
    const QList<QStringList> records = units.allRecords();
    if (records.isEmpty())
        return std::nullopt;
    QStringList names;
    for (const QStringList& record : records)
        names << record.value(nameField);
    return names;
}

} // namespace

UnitChangeWindow::UnitChangeWindow(platform::Database& database, QWidget* parent)
    : QWidget(parent, reviewWindowFlags()), m_units(new store::BoundRecordset(database, u"单位"_s, this))
{
    setObjectName(u"修改"_s);
    setWindowTitle(u"Form1"_s);
    setFixedSize(platform::pixels(9870), platform::pixels(4920));
    m_units->setObjectName(u"Data1"_s);

    headingLabel(this, u"Label7"_s, u"修改购药单位"_s, 3135, 360, 3600, 420)->setAlignment(Qt::AlignCenter);
    auto* caption = new QLabel(u"请选择购药单位:"_s, this);
    caption->setObjectName(u"Label4"_s);
    platform::place(caption, 1440, 1560, 2400, 300);
    m_unitBox = new QComboBox(this);
    m_unitBox->setObjectName(u"Combo1"_s);
    m_unitBox->setEditable(true);
    // a typed name is taken as it stands, not added to the list
    m_unitBox->setInsertPolicy(QComboBox::NoInsert);
    platform::place(m_unitBox, 1440, 1920, 6960, 330);

    auto* confirming = placedButton(this, u"Command2"_s, u"确 定"_s, 2160, 3600, 1500, 495);
    auto* back = placedButton(this, u"Command1"_s, u"返  回"_s, 6210, 3600, 1500, 495);
    connect(confirming, &QPushButton::clicked, this, &UnitChangeWindow::confirm);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    platform::pressOnEscape(back);

    m_unitBox->setFocus();
    runOnceShown(this, [this] { fillUnits(); });
}

void UnitChangeWindow::fillUnits()
{
    if (m_ended)
        return;
    const std::optional<QStringList> names = unitNames(*m_units);
    if (!names) {
        platform::inform(u"目前没有交易单位！"_s);
        finish();
    } else {
        m_unitBox->addItems(*names);
        m_unitBox->setCurrentIndex(-1);
        m_unitBox->setEditText(QString());
    }
    // written whether or not there was a unit to show
    users::logAction(u"进入修改交易单位页面。"_s);
}

void UnitChangeWindow::confirm()
{
    const QString unit = m_unitBox->currentText();
    transaction::workingSet().CustomerUnit = unit;
    platform::inform(u"修改购药单位成功!"_s);
    users::logAction(u"修改交易单位为:"_s + unit + u",成功。"_s);
    finish();
}

void UnitChangeWindow::finish()
{
    m_ended = true;
    close();
}

void UnitChangeWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted() || m_ended)
        return;
    // the return button, Esc and the title bar all leave the window with the unit unchanged
    m_ended = true;
    users::logAction(u"退出修改交易单位页面。"_s);
}

} // namespace review
