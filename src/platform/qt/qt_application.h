#pragma once
// What the application needs before its window is made.

#include <QIcon>

class QApplication;
class QCoreApplication;

namespace pennory::platform::qt {

// Qt's own texts (dialog buttons, the file dialog) in Chinese, from Qt's zh_CN
// translations; the Chinese locale for the dialogs; the font substitutions for SimSun.
// A missing translation file leaves Qt's texts in English and is not an error.
void prepareApplication(QApplication& application);
// The translations alone, also for an application without a window.
void installQtTranslations(QCoreApplication& application);

// The window icon: a pen nib, 32 x 32 and 16 x 16.
QIcon pennoryIcon();

}  // namespace pennory::platform::qt
