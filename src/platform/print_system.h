#pragma once

#include <QByteArray>
#include <QList>
#include <QMarginsF>
#include <QString>
#include <chrono>
#include <utility>

namespace platform {

/** What the print system said of the printer a run is for. */
struct PrinterLookup
{
    enum class Outcome { Ready, NoPrinter, Failed };
    Outcome outcome = Outcome::Failed;
    /** The printer's name: the one asked for, or the print system's default. */
    QString printer;
    /** The widest unprintable margin at each edge among the printer's papers. */
    QMarginsF unprintableMm;
    /** Why there is no printer, or why the print system failed. */
    QString reason;
};

/**
 * Asks the print system about a printer (empty: its default one). Ready means the printer is there, takes jobs and
 * has not been stopped. No print system to be reached counts as no printer when none was asked for. Each wait for
 * an answer gives up after `patience`. Blocks: run it off the user-interface thread.
 */
PrinterLookup lookUpPrinter(const QString& printer, std::chrono::milliseconds patience);

/**
 * Why the print system keeps the program waiting: the empty text when it answers within `patience`, or when there
 * is none to be reached at all. Blocks: run it off the user-interface thread.
 */
QString printSystemSilence(std::chrono::milliseconds patience);

/** A document for a printer. */
struct PrintJob
{
    QString printer;
    QString title;
    QByteArray pdf;
    QList<std::pair<QString, QString>> options;
};

/**
 * Hands the job to the print system and watches it for up to `watch`: the empty text when it went through (it is
 * done, or still going after the watch), else why it failed. A job the printer stopped on is cancelled, so that it
 * does not come out behind the clerk's back once the slip was printed again. Each wait for an answer gives up after
 * `patience`. Blocks: run it off the user-interface thread.
 */
QString printJob(const PrintJob& job, std::chrono::milliseconds patience, std::chrono::milliseconds watch);

} // namespace platform
