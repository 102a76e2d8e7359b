#include "platform/ui/SpanishTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ui {

QTranslator* loadSpanishQtTranslations()
{
    auto* app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    // Owned by the application, so it lives as long as the texts it translates.
    auto* translator = new QTranslator(app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_es"), folder)) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

}  // namespace ui
