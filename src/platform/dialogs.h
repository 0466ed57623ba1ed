#pragma once

#include <QString>
#include <QStringList>

namespace platform {

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Information, Question, Warning, Critical };
enum class Answer { Ok, Cancel, Yes, No };

/** One message box or question as the user sees it. An empty title shows the program's name. */
struct Prompt
{
    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
};

/** A file chosen in the open-file dialog; the empty text when the user cancelled. */
struct OpenFileRequest
{
    QString title;
    QString filter; ///< in Qt's form, e.g. "存盘文件*.dat (*.dat)"
    QString folder;
};

/** A file to write, chosen in the save-file dialog, which asks before an existing file is replaced. */
struct SaveFileRequest
{
    QString title;
    QStringList filters; ///< in Qt's form, e.g. "CSV 文件 (*.csv)"; the user picks one
    QString suggestedPath; ///< the folder and name the dialog starts with
    QString defaultSuffix; ///< added to a name typed without one, e.g. "csv"
};

/** What the user chose in the save-file dialog; an empty path when the user cancelled. */
struct SaveFileChoice
{
    QString path;
    int filter = 0; ///< the index of the chosen filter in the request's list
};

/**
 * Every message box, question, input box and file dialog of the program goes through this interface, so that
 * tests can answer them from a script instead of blocking on a modal window.
 */
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual Answer ask(const Prompt& prompt) = 0;
    /** returns the empty text when the user cancelled, like an input box that was closed */
    virtual QString input(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    virtual QString openFile(const OpenFileRequest& request) = 0;
    virtual SaveFileChoice saveFile(const SaveFileRequest& request) = 0;
};

/** The installed dialogs; the Qt implementation until a test installs another. */
Dialogs& dialogs();
/** Installs replacement dialogs (not owned); nullptr restores the Qt implementation. */
void setDialogs(Dialogs* replacement);

/** A message with an OK button. */
void inform(const QString& text, const QString& title = {}, Icon icon = Icon::None);
/** An OK/Cancel question; true for OK. */
bool confirmOkCancel(const QString& text, const QString& title = {}, Icon icon = Icon::None);
/** A Yes/No question with the question icon; true for Yes. */
bool confirmYesNo(const QString& text, const QString& title = {});

} // namespace platform
