#include "shell/window_opening.h"

#include "platform/top_level_windows.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace shell {

namespace {

/**
 * Lives as a child of an exclusively opened window and gives the main window back once per opening: when the window
 * is hidden by the program (close() hides it) or destroyed. A hide the window system sends, as on minimizing, does
 * not count.
 */
class MainWindowReturn final : public QObject
{
public:
    explicit MainWindowReturn(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

    ~MainWindowReturn() override { giveBack(); }

    void arm(QWidget& mainWindow) { m_mainWindow = &mainWindow; }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            giveBack();
        return false;
    }

private:
    void giveBack()
    {
        if (!m_mainWindow)
            return;
        QWidget* mainWindow = m_mainWindow;
        m_mainWindow = nullptr;
        mainWindow->setEnabled(true);
        mainWindow->activateWindow();
        mainWindow->setFocus();
    }

    QPointer<QWidget> m_mainWindow;
};

} // namespace

void openPlainly(QWidget& window)
{
    if (window.isMinimized())
        window.showNormal();
    else
        window.show();
    window.raise();
    window.activateWindow();
}

void openExclusively(QWidget& window, QWidget& mainWindow)
{
    openPlainly(window);
    mainWindow.setEnabled(false);
    // Not findChild(): without Q_OBJECT this class has QObject's meta-object, so findChild() would take any child.
    MainWindowReturn* giveBack = nullptr;
    for (QObject* child : window.children()) {
        if ((giveBack = dynamic_cast<MainWindowReturn*>(child)))
            break;
    }
    if (!giveBack)
        giveBack = new MainWindowReturn(window);
    giveBack->arm(mainWindow);
}

QWidget& loadedWindow(const QString& name, const std::function<QWidget*()>& load, const QWidget* centredOver)
{
    QWidget* window = platform::topLevelWindow(name);
    if (window && window->isVisible())
        return *window;
    window = load();
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (centredOver) {
        window->adjustSize();
        window->move(centredOver->frameGeometry().center() - window->rect().center());
    }
    return *window;
}

} // namespace shell
