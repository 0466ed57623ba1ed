#include "records/catalogue_browse_window.h"

#include "platform/dialogs.h"
#include "platform/input_boxes.h"
#include "records/display_boxes.h"
#include "records/focus_hooks.h"
#include "records/medicine_records.h"
#include "store/bound_recordset.h"
#include "users/log_wording.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace records {

CatalogueView CatalogueView::browsing()
{
    return { u"药品档案查询"_s, u"药品档案查询"_s, u"没有任何药品档案！"_s, false };
}

CatalogueView CatalogueView::deletion()
{
    return { u"Form3"_s, u"删除药品"_s, u"已经没有任何药品档案！"_s, true };
}

CatalogueBrowseWindow::CatalogueBrowseWindow(platform::Database& database, const CatalogueView& view)
    : RecordWindow(view.name, view.heading)
    , m_view(view)
    , m_catalogue(new store::BoundRecordset(database, catalogueTable(), this))
    , m_browser(*m_catalogue)
    , m_search(*m_catalogue)
{
    m_catalogue->setObjectName(u"Data1"_s);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(24, 16, 24, 16);
    grid->setVerticalSpacing(8);
    grid->addWidget(heading(), 0, 0, 1, 2);
    grid->setRowMinimumHeight(1, 8);
    const QList<QLineEdit*> boxes = addDisplayBoxes(this, grid, 2, m_catalogue,
                                                    {
                                                        { u"Text1"_s, u"药品名称:"_s, {} },
                                                        { u"Text2"_s, u"生产厂家:"_s, u"生产厂家"_s },
                                                        { u"Text3"_s, u"规    格:"_s, u"规格"_s },
                                                        { u"Text4"_s, u"单    位:"_s, u"单位"_s },
                                                        { u"Text6"_s, u"单    价:"_s, u"单价"_s },
                                                        { u"Text5"_s, u"类    型:"_s, u"类型"_s },
                                                        { u"Text7"_s, u"进    价:"_s, u"进价"_s },
                                                    });
    m_name = boxes.first();
    if (!m_view.deleting) {
        // Neither the box nor its label is shown, and the box holds nothing that could be revealed.
        QLineEdit* purchasePrice = boxes.last();
        disconnect(m_catalogue, nullptr, purchasePrice, nullptr);
        purchasePrice->clear();
        purchasePrice->hide();
        for (QLabel* label : findChildren<QLabel*>()) {
            if (label->buddy() == purchasePrice)
                label->hide();
        }
    }
    const int buttonsRow = grid->rowCount() + 1;
    grid->setRowMinimumHeight(buttonsRow - 1, 8);

    QPushButton* first = addButton(u"Command6"_s, u"第一条"_s);
    QPushButton* previous = addButton(u"Command4"_s, u"上一条"_s);
    QPushButton* next = addButton(u"Command5"_s, u"下一条"_s);
    QPushButton* last = addButton(u"Command7"_s, u"最后一条"_s);
    QPushButton* find = addButton(u"Command8"_s, u"查找"_s);
    QPushButton* findFirst = addButton(u"Command11"_s, u"第一条"_s);
    QPushButton* findPrevious = addButton(u"Command2"_s, u"上一条"_s);
    QPushButton* findNext = addButton(u"Command3"_s, u"下一条"_s);
    QPushButton* findLast = addButton(u"Command12"_s, u"最后一条"_s);
    QPushButton* backToBrowsing = addButton(u"Command10"_s, u"查看"_s);
    m_previous = previous;
    m_next = next;
    m_browseSet = { first, previous, next, last, find };
    m_findSet = { findFirst, findPrevious, findNext, findLast, backToBrowsing };
    auto* sets = new QHBoxLayout;
    sets->setSpacing(8);
    for (QPushButton* button : m_browseSet + m_findSet)
        sets->addWidget(button);
    grid->addLayout(sets, buttonsRow, 0, 1, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    if (m_view.deleting) {
        QPushButton* remove = addButton(u"Command9"_s, u"删除"_s);
        connect(remove, &QPushButton::clicked, this, &CatalogueBrowseWindow::removeMedicine);
        bottom->addWidget(remove);
        bottom->addSpacing(32);
    }
    QPushButton* back = addButton(u"Command1"_s, u"返回"_s);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(back);
    bottom->addStretch();
    grid->addLayout(bottom, buttonsRow + 1, 0, 1, 2);
    platform::pressOnEscape(back);

    connect(first, &QPushButton::clicked, this, [this] { browseStep(m_browser.first()); });
    connect(previous, &QPushButton::clicked, this, [this] {
        const auto step = m_browser.previous();
        if (step == store::CountedBrowser::Step::AtFirst)
            platform::inform(u"已是第一条记录!"_s);
        browseStep(step);
    });
    connect(next, &QPushButton::clicked, this, [this] {
        const auto step = m_browser.next();
        if (step == store::CountedBrowser::Step::AtLast)
            platform::inform(u"已是最后一条记录!"_s);
        browseStep(step);
    });
    connect(last, &QPushButton::clicked, this, [this] { browseStep(m_browser.last()); });
    connect(find, &QPushButton::clicked, this, [this] {
        setFindMode(true);
        m_name->setFocus();
    });

    connect(findFirst, &QPushButton::clicked, this, [this] { findEnd(m_search.first()); });
    connect(findLast, &QPushButton::clicked, this, [this] { findEnd(m_search.last()); });
    connect(findPrevious, &QPushButton::clicked, this, [this] {
        if (m_search.previous())
            showName();
    });
    connect(findNext, &QPushButton::clicked, this, [this] {
        if (m_search.next())
            showName();
    });
    connect(backToBrowsing, &QPushButton::clicked, this, [this] {
        setFindMode(false);
        browseStep(m_browser.first());
        m_next->setFocus();
    });

    platform::moveFocusOnEnter(m_name, findPrevious);
    onFocusLeaving(m_name, [this] { search(); });
    setFindMode(false);
}

QPushButton* CatalogueBrowseWindow::addButton(const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(true);
    return button;
}

void CatalogueBrowseWindow::opened()
{
    if (m_view.deleting)
        users::logAction(u"进入删除药品档案页面。"_s);
    if (!m_browser.start()) {
        platform::inform(m_view.emptyMessage);
        finish();
        return;
    }
    showName();
}

void CatalogueBrowseWindow::leaving()
{
    if (m_view.deleting)
        users::logAction(u"退出删除药品档案页面。"_s);
}

void CatalogueBrowseWindow::showName()
{
    m_name->setText(m_catalogue->value(u"名称"_s).value_or(QString()));
}

void CatalogueBrowseWindow::showBrowseButtons()
{
    m_previous->setEnabled(m_browser.previousEnabled());
    m_next->setEnabled(m_browser.nextEnabled());
}

void CatalogueBrowseWindow::setFindMode(bool on)
{
    m_name->setEnabled(on);
    for (QPushButton* button : m_browseSet)
        button->setVisible(!on);
    for (QPushButton* button : m_findSet)
        button->setVisible(on);
}

void CatalogueBrowseWindow::browseStep(store::CountedBrowser::Step step)
{
    showBrowseButtons();
    if (step == store::CountedBrowser::Step::Moved)
        showName();
}

void CatalogueBrowseWindow::search()
{
    if (m_search.search(m_name->text()) == CatalogueSearch::Result::NotFound) {
        platform::inform(u"无此药品,请重新输入!"_s);
        m_name->setFocus();
    }
}

void CatalogueBrowseWindow::findEnd(CatalogueSearch::Result result)
{
    if (result == CatalogueSearch::Result::NotFound) {
        platform::inform(u"无此药品,请重新输入!"_s);
        m_name->setFocus();
    } else if (result == CatalogueSearch::Result::Found) {
        showName();
    }
}

void CatalogueBrowseWindow::removeMedicine()
{
    // The question names, and the deletion takes, the medicine whose fields are on show, even when the name box
    // holds a name typed for a search that has not run.
    const QString name = m_catalogue->value(u"名称"_s).value_or(QString());
    if (!platform::confirmYesNo(u"真的要删除此"_s + name + u"吗?"_s, u"警告!"_s))
        return;
    if (!m_catalogue->remove()) {
        platform::inform(u"已经没有药品档案！"_s);
        finish();
        return;
    }
    platform::inform(u"已删除此药品!"_s);
    users::logAction(u"成功删除"_s + name);
    if (m_browser.removed() != store::CountedBrowser::Step::Moved) {
        platform::inform(u"已经没有药品档案！"_s);
        finish();
        return;
    }
    showName();
}

} // namespace records
