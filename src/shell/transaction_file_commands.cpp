#include "platform/data_folder.h"
#include "platform/dialogs.h"
#include "shell/main_window.h"
#include "shell/wiring.h"
#include "transaction/transaction_file.h"

using namespace Qt::Literals::StringLiterals;

namespace shell {

void wireTransactionFileCommands(MainWindow& main, platform::Database& database)
{
    main.setCommand(u"保存交易"_s, [] {
        const auto outcome = transaction::SaveTransactionFile(transaction::workingSet(), platform::dataFolder());
        if (outcome != transaction::SaveOutcome::Saved)
            platform::inform(transaction::saveMessage(outcome));
    });

    main.setCommand(u"读取交易"_s, [&database] {
        const QString path
            = platform::dialogs().openFile({ u"Quenvale"_s, u"存盘文件*.dat (*.dat)"_s, platform::dataFolder() });
        if (path.isEmpty())
            return;
        if (!transaction::ReadTransactionFile(database, transaction::workingSet(), path))
            platform::inform(QString::fromUtf16(transaction::mainReadFailed));
    });
}

} // namespace shell
