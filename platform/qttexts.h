#pragma once

class QCoreApplication;

// Qt's own texts (message-box buttons, context menus) in German, whatever the desktop's
// language, from Qt's translations; false when they are not installed, and Qt's English
// stays.
bool installGermanQtTexts(QCoreApplication &application);
