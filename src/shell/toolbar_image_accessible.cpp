#include "shell/toolbar_image_accessible.h"

#include "shell/toolbar_image.h"

#include <QAccessibleWidget>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

class ToolbarImageAccessible final : public QAccessibleWidget
{
public:
    explicit ToolbarImageAccessible(ToolbarImage* image) : QAccessibleWidget(image, QAccessible::Button) { }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return widget()->toolTip();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        return QStringList { pressAction() } + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<ToolbarImage*>(widget())->press();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction())
            return { u"Space"_s };
        return QAccessibleWidget::keyBindingsForAction(action);
    }
};

QAccessibleInterface* toolbarImageInterface(const QString& className, QObject* object)
{
    if (className != u"shell::ToolbarImage"_s)
        return nullptr;
    auto* image = qobject_cast<ToolbarImage*>(object);
    // the picture without a tooltip is decoration
    if (!image || image->toolTip().isEmpty())
        return nullptr;
    return new ToolbarImageAccessible(image);
}

} // namespace

void installToolbarImageAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    QAccessible::installFactory(toolbarImageInterface);
    installed = true;
}

} // namespace shell
