#include "shell/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

struct Entry
{
    int depth; ///< 0 for the menu bar; a row followed by a deeper one is a submenu
    const char16_t* name;
    const char16_t* caption;
    const char16_t* shortcut;
};

constexpr Entry entries[] = {
    { 0, u"file", u"文件(&F)", u"" },
    { 1, u"读取交易", u"读取交易(&O)", u"Ctrl+O" },
    { 1, u"保存交易", u"保存交易(&S)", u"Ctrl+S" },
    { 1, u"dysz", u"打印设置(&U)", u"Ctrl+F" },
    { 1, u"print", u"打印(&P)", u"Ctrl+P" },
    { 1, u"dyyl", u"打印预览(&V)", u"" },
    { 1, u"djwjj", u"打开单据文件夹(&D)", u"" },
    { 1, u"清空", u"清空(&C)", u"Ctrl+C" },
    { 1, u"exit", u"退出(&X)", u"Ctrl+Q" },
    { 0, u"edit", u"新建(&E)", u"" },
    { 1, u"newa", u"开始新交易(&N)", u"Ctrl+N" },
    { 1, u"新药品", u"建立新药品档案(&N)", u"" },
    { 1, u"新单位", u"建立新单位档案(&C)", u"" },
    { 1, u"添加新用户", u"添加制单员(&N)", u"" },
    { 0, u"查询", u"查询(&L)", u"" },
    { 1, u"查看交易记录", u"查看以往交易(&L)", u"Ctrl+L" },
    { 1, u"交易明细", u"交易明细(&T)", u"" },
    { 1, u"查看药品档案", u"查看药品档案(&Y)", u"" },
    { 1, u"查看单位档案", u"查看单位档案(&D)", u"" },
    { 1, u"查看本次交易1", u"查看本次交易(&B)", u"Ctrl+K" },
    { 1, u"交易利润1", u"查看本次交易利润(&I)", u"Ctrl+I" },
    { 0, u"modi", u"修改(&M)", u"" },
    { 1, u"修改购药单位", u"修改购药单位(&G)", u"Ctrl+E" },
    { 1, u"修改药", u"修改药品档案(&M)", u"Ctrl+G" },
    { 1, u"修改单位", u"修改单位档案(&C)", u"" },
    { 1, u"修改标题", u"修改标题(&T)", u"" },
    { 1, u"密码修改", u"密码修改(&P)", u"" },
    { 2, u"超级用户1", u"系统管理员(&S)", u"" },
    { 3, u"超级用户", u"超级用户密码修改(&P)", u"" },
    { 3, u"普通用户1", u"普通用户密码修改(&G)", u"" },
    { 2, u"普通用户", u"普通用户密码修改(&X)", u"" },
    { 0, u"tj", u"数据统计(&C)", u"" },
    { 1, u"按月统计", u"按月统计(&M)", u"Ctrl+M" },
    { 1, u"按年统计", u"按年统计(&Y)", u"Ctrl+Y" },
    { 1, u"单位数统计", u"单位数统计(&D)", u"" },
    { 1, u"dwtj", u"药品销售统计(&C)", u"Ctrl+A" },
    { 1, u"yptj", u"药品总数统计(&A)", u"" },
    { 1, u"salesChart", u"销售图表(&T)", u"" },
    { 0, u"system", u"系统维护(&S)", u"" },
    { 1, u"删除制单员", u"删除制单员(&X)", u"Ctrl+X" },
    { 1, u"删除药品", u"删除药品(&Y)", u"Ctrl+D" },
    { 1, u"删除单位", u"删除单位(&D)", u"" },
    { 1, u"backup", u"数据备份(&B)", u"Ctrl+B" },
    { 1, u"导入数据", u"导入数据(&L)", u"Ctrl+Z" },
    { 1, u"操作日志", u"操作日志(&R)", u"" },
    { 1, u"options", u"选项(&O)", u"" },
    { 0, u"help", u"帮助(&H)", u"" },
    { 1, u"helpzt", u"帮助主题(&H)", u"" },
    { 1, u"技术支持", u"技术支持(&T)", u"" },
    { 1, u"aboutus", u"关于....(&A)", u"Ctrl+H" },
    { 1, u"hompage", u"访问主页(&W)", u"Ctrl+W" },
};

} // namespace

QList<QAction*> buildMainMenu(QMenuBar& menuBar)
{
    QList<QAction*> commands;
    QList<QMenu*> open; // open[d] receives the entries of depth d + 1
    const auto count = std::size(entries);
    for (std::size_t i = 0; i < count; ++i) {
        const Entry& entry = entries[i];
        const QString name = QString::fromUtf16(entry.name);
        const QString caption = QString::fromUtf16(entry.caption);
        open.resize(entry.depth);
        const bool submenu = i + 1 < count && entries[i + 1].depth > entry.depth;
        if (submenu) {
            QMenu* menu = entry.depth == 0 ? menuBar.addMenu(caption) : open.last()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            open.append(menu);
            continue;
        }
        QAction* action = open.last()->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(QString::fromUtf16(entry.shortcut)));
        commands.append(action);
    }
    return commands;
}

} // namespace shell
