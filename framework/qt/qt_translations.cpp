#include "framework/qt/qt_translations.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace framework::qt {

namespace {

// The name the installed translator goes by, so that a second platform in the same process
// does not install it twice.
constexpr auto kTranslatorName = "quillorn-qtbase-ja";

}  // namespace

bool InstallQtJapanese(const QString& folder) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return false;
  if (application->findChild<QTranslator*>(QLatin1StringView(kTranslatorName), Qt::FindDirectChildrenOnly) != nullptr) {
    return true;
  }
  auto* translator = new QTranslator(application);
  translator->setObjectName(QLatin1StringView(kTranslatorName));
  if (!translator->load(QStringLiteral("qtbase_ja"), folder) || !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

}  // namespace framework::qt
