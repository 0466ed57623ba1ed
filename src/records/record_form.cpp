#include "records/record_form.h"

#include "platform/input_boxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace records {

namespace {

/**
 * The box takes at most `longest` typed characters. setText() may show a longer stored text whole; the user can then
 * shorten it, and it never grows again.
 */
void limitTyping(QLineEdit* box, int longest)
{
    box->setMaxLength(longest);
    QObject::connect(box, &QLineEdit::textEdited, box, [box, longest](const QString& text) {
        if (box->maxLength() > longest && text.size() < box->maxLength()) {
            const int cursor = box->cursorPosition();
            box->setMaxLength(std::max(longest, int(text.size())));
            box->setCursorPosition(cursor);
        }
    });
}

} // namespace

QList<InputBox> unitBoxes(const QString& creditBoxName)
{
    return {
        { u"Text1"_s, u"单位名称："_s, 50, InputMethod::On },   { u"Text2"_s, u"责 任 人："_s, 10, InputMethod::On },
        { u"Text3"_s, u"地    址："_s, 50, InputMethod::On },   { u"Text4"_s, u"电    话："_s, 15, InputMethod::Off },
        { u"Text5"_s, u"传    真："_s, 20, InputMethod::Off },  { u"Text6"_s, u"邮    编："_s, 6, InputMethod::Off },
        { creditBoxName, u"信 誉 度："_s, 6, InputMethod::On },
    };
}

RecordForm::RecordForm(const FormControls& controls)
    : RecordWindow(controls.name, controls.heading)
    , m_confirm(new QPushButton(controls.confirmCaption, this))
    , m_cancel(new QPushButton(controls.cancelCaption, this))
    , m_grid(new QGridLayout(this))
{
    m_grid->setSizeConstraint(QLayout::SetFixedSize);
    m_grid->setContentsMargins(24, 16, 24, 16);
    m_grid->setVerticalSpacing(8);
    m_grid->addWidget(heading(), 0, 0, 1, 2);
    m_grid->setRowMinimumHeight(1, 8);

    int row = 2;
    QLineEdit* previous = nullptr;
    QList<QWidget*> tabOrder;
    QList<QLineEdit*> asideBoxes; // those still waiting for the box after them
    QList<QWidget*> asideTabOrder;
    for (const InputBox& input : controls.boxes) {
        auto* label = new QLabel(input.label, this);
        label->setObjectName(u"Label%1"_s.arg(row));
        auto* box = new QLineEdit(this);
        box->setObjectName(input.name);
        box->setMinimumWidth(260);
        if (input.longest > 0)
            limitTyping(box, input.longest);
        if (input.inputMethod == InputMethod::Off)
            platform::disableInputMethod(box);
        else if (input.inputMethod == InputMethod::On)
            box->setAttribute(Qt::WA_InputMethodEnabled, true);
        label->setBuddy(box);
        m_grid->addWidget(label, row, 0);
        m_grid->addWidget(box, row, 1);
        m_boxes.insert(input.name, box);
        m_longest.insert(input.name, input.longest);
        ++row;
        if (input.aside) {
            asideBoxes << box;
            asideTabOrder << box;
            continue;
        }
        for (QLineEdit* aside : std::as_const(asideBoxes))
            platform::moveFocusOnEnter(aside, box);
        asideBoxes.clear();
        tabOrder << box;
        if (previous)
            platform::moveFocusOnEnter(previous, box);
        previous = box;
    }
    if (previous)
        platform::moveFocusOnEnter(previous, m_confirm);
    for (QLineEdit* aside : std::as_const(asideBoxes))
        platform::moveFocusOnEnter(aside, m_confirm);

    m_confirm->setObjectName(u"Command1"_s);
    m_cancel->setObjectName(u"Command2"_s);
    // The Enter order ends on the confirm button, where one more Enter presses it.
    m_confirm->setAutoDefault(true);
    m_cancel->setAutoDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_confirm);
    buttons->addSpacing(32);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    m_grid->setRowMinimumHeight(row++, 8);
    m_grid->addLayout(buttons, row, 0, 1, 2);

    connect(m_confirm, &QPushButton::clicked, this, [this] { confirm(); });
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
    platform::pressOnEscape(m_cancel);

    // Tab goes the way Enter does and ends with the buttons; the window opens in its first box, ready for typing.
    tabOrder << m_confirm << m_cancel << asideTabOrder;
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    tabOrder.first()->setFocus();
}

QString RecordForm::text(const QString& name) const
{
    const QLineEdit* found = box(name);
    return found ? found->text() : QString();
}

void RecordForm::setText(const QString& name, const QString& text)
{
    QLineEdit* found = box(name);
    if (!found)
        return;
    // The longest input limits typing only: a stored text longer than that is shown, and written back, whole.
    if (const int longest = m_longest.value(name); longest > 0)
        found->setMaxLength(std::max(longest, int(text.size())));
    found->setText(text);
}

void RecordForm::addBelowButtons(QWidget* widget)
{
    m_grid->addWidget(widget, m_grid->rowCount(), 0, 1, 2);
}

} // namespace records
