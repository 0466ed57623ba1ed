#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

QString titleOrDefault(const QString& title)
{
    return title.isEmpty() ? u"Quenvale"_s : title;
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

/**
 * Gives the keyboard back to the window that was active before a dialog. A window manager does this by itself; without
 * one (a bare X server) the keyboard would stay nowhere once the dialog closed.
 */
class ActivationKeeper
{
public:
    ActivationKeeper() : m_window(QApplication::activeWindow()) { }
    ~ActivationKeeper()
    {
        if (m_window && m_window->isVisible())
            m_window->activateWindow();
    }
    ActivationKeeper(const ActivationKeeper&) = delete;
    ActivationKeeper& operator=(const ActivationKeeper&) = delete;

private:
    QPointer<QWidget> m_window;
};

} // namespace

Answer QtDialogs::ask(const Prompt& prompt)
{
    const ActivationKeeper keeper;
    QMessageBox box(toQt(prompt.icon), titleOrDefault(prompt.title), prompt.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    switch (prompt.buttons) {
    case Buttons::Ok:
        box.addButton(u"确定"_s, QMessageBox::AcceptRole);
        box.exec();
        return Answer::Ok;
    case Buttons::OkCancel: {
        auto* ok = box.addButton(u"确定"_s, QMessageBox::AcceptRole);
        auto* cancel = box.addButton(u"取消"_s, QMessageBox::RejectRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
    }
    case Buttons::YesNo: {
        auto* yes = box.addButton(u"是(&Y)"_s, QMessageBox::YesRole);
        auto* no = box.addButton(u"否(&N)"_s, QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    }
    return Answer::Cancel;
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& defaultText)
{
    const ActivationKeeper keeper;
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(titleOrDefault(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(u"确定"_s);
    dialog.setCancelButtonText(u"取消"_s);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtDialogs::openFile(const OpenFileRequest& request)
{
    const ActivationKeeper keeper;
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), request.title, request.folder, request.filter);
}

SaveFileChoice QtDialogs::saveFile(const SaveFileRequest& request)
{
    const ActivationKeeper keeper;
    QFileDialog dialog(QApplication::activeWindow(), request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return { dialog.selectedFiles().constFirst(),
             int(std::max<qsizetype>(0, request.filters.indexOf(dialog.selectedNameFilter()))) };
}

} // namespace platform
