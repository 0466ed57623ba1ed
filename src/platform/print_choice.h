#pragma once

#include <QList>
#include <QPageLayout>
#include <QString>
#include <optional>
#include <utility>

namespace platform {

/** What the user chose in the printer set-up dialog: every slip run of the program prints by it. */
struct PrintChoice
{
    /** The printer; empty for the print system's default printer. */
    QString printer;
    /** The PDF file the slips go to instead of a printer; empty when they go to a printer. */
    QString outputFile;
    /** The paper chosen (size and orientation); none when each page is to be the size of the slip. */
    std::optional<QPageLayout> form;
    int copies = 1;
    bool collateCopies = true;
    /** "one-sided", "two-sided-long-edge" or "two-sided-short-edge"; empty leaves it to the printer. */
    QString sides;
    /** Further options for the print system, as name and value: the printer's own settings chosen in the dialog. */
    QList<std::pair<QString, QString>> systemOptions;
};

/** The program's choice, empty until the user accepts the set-up dialog. */
PrintChoice& printChoice();

} // namespace platform
