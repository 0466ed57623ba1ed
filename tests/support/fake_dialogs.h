#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QString>

namespace testsupport {

/**
 * Scripted dialogs: a test queues the prompts it expects with their answers; every prompt shown is recorded.
 * verifyDone() fails the test when a queued answer was left unused or a prompt came that was not expected, so a
 * test cannot pass on a prompt nobody checked. Installed for its lifetime.
 */
class FakeDialogs final : public platform::Dialogs
{
public:
    enum class Kind { Message, Input, OpenFile, SaveFile };

    struct Shown
    {
        Kind kind = Kind::Message;
        platform::Prompt prompt; ///< for input and file dialogs: text holds the prompt or filters, title the title
        QString defaultText; ///< input: the default text; open-file: the starting folder; save-file: the suggestion
    };

    FakeDialogs();
    ~FakeDialogs() override;

    /** Expects a message or question with this text; the answer is what the user presses. */
    void expect(const QString& text, platform::Answer answer = platform::Answer::Ok);
    /** Expects an input box whose prompt contains the text; answers with the reply (empty = cancelled). */
    void expectInput(const QString& promptPart, const QString& reply);
    /** Expects an open-file dialog; answers with the path (empty = cancelled). */
    void expectOpenFile(const QString& path);
    /** Expects a save-file dialog; answers with the path (empty = cancelled) and the index of the filter chosen. */
    void expectSaveFile(const QString& path, int filter = 0);

    const QList<Shown>& shown() const { return m_shown; }
    /** The last prompt shown; the test fails when none was. */
    Shown last() const;
    /** Checks that every expected prompt came and nothing else did, then forgets them. */
    bool verifyDone(QString* problem = nullptr);

    platform::Answer ask(const platform::Prompt& prompt) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const platform::OpenFileRequest& request) override;
    platform::SaveFileChoice saveFile(const platform::SaveFileRequest& request) override;

private:
    struct Expected
    {
        Kind kind;
        QString text;
        platform::Answer answer;
        QString reply;
        int filter = 0;
    };

    QList<Expected> m_expected;
    QList<Shown> m_shown;
    QStringList m_unexpected;
};

} // namespace testsupport
