#pragma once

// Qt's own texts (the standard context menu of a text field, for one) in Japanese, as every text
// of the program is.

#include <QString>

namespace framework::qt {

// Installs Qt's Japanese translation of its standard widgets from `folder` into the running
// application, once. Returns whether it is installed; without the file Qt keeps its English
// texts, and nothing is reported to the user.
bool InstallQtJapanese(const QString& folder);

// The folder Qt's translations were installed in.
QString QtTranslationsFolder();

}  // namespace framework::qt
