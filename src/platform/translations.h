#pragma once

class QCoreApplication;

namespace platform {

/**
 * Gives Qt's own dialogs (the file dialog, the printer dialog) their Simplified Chinese texts, like every other text
 * of the program. false when Qt's translations are not installed; the dialogs then speak English.
 */
bool installChineseTranslations(QCoreApplication& application);

} // namespace platform
