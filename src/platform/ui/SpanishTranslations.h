#pragma once

class QTranslator;

namespace ui {

// Loads Qt's own Spanish texts (qtbase_es from the system's Qt translations), so the standard
// buttons of every box read "Sí", "No", "Cancelar", "Aceptar" like the rest of the screens.
// Call once, after the application object exists. Answers the installed translator (owned by
// the application), or null when the file is missing: the program then goes on with Qt's
// English button texts.
QTranslator* loadSpanishQtTranslations();

}  // namespace ui
