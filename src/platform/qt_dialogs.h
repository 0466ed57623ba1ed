#pragma once

#include "platform/dialogs.h"

namespace platform {

/** The dialogs the user sees: Qt's message box, input dialog and file dialog. */
class QtDialogs final : public Dialogs
{
public:
    Answer ask(const Prompt& prompt) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const OpenFileRequest& request) override;
    SaveFileChoice saveFile(const SaveFileRequest& request) override;
};

} // namespace platform
