#include "qt_form_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/window_design.h"
#include "platform/qt/qt_conversions.h"

namespace pennory::testing {

namespace {

// Where main() opens the client area, in twips.
constexpr platform::Geometry kStartPlace = {165, 630, app::kClientWidth, app::kClientHeight};

QAction* findAction(const QWidget* container, std::u16string_view caption) {
    const QString text = qt::toQtCaption(caption);
    for (QAction* action : container->actions()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

}  // namespace

void closeMenus() {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

void chooseMenu(QMenuBar* bar, std::initializer_list<std::u16string_view> path) {
    QWidget* container = bar;
    std::size_t depth = 0;
    for (auto caption : path) {
        ++depth;
        QAction* action = findAction(container, caption);
        if (!action) {
            ADD_FAILURE() << "no menu item " << qt::toQString(caption).toStdString();
            break;
        }
        const QRect place = container == bar
                                ? bar->actionGeometry(action)
                                : static_cast<QMenu*>(container)->actionGeometry(action);
        QTest::mouseMove(container, place.center());
        QTest::mouseClick(container, Qt::LeftButton, Qt::NoModifier, place.center());
        if (depth == path.size()) break;
        QMenu* menu = action->menu();
        if (!menu) {
            ADD_FAILURE() << qt::toQString(caption).toStdString() << " opens no menu";
            break;
        }
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); })) {
            ADD_FAILURE() << qt::toQString(caption).toStdString() << " did not open";
            break;
        }
        container = menu;
    }
    QApplication::processEvents();
    closeMenus();
}

QtFormTest::QtFormTest(Dialogs dialogs)
    : m_factory(std::make_unique<qt::QtFactory>()), m_keys(m_factory->mainWindow()) {
    m_factory->setProgramEnded([this] { return m_program.ended(); });
    platform::DialogService* shownDialogs = &m_dialogs;
    m_output = std::make_unique<qt::QtDocumentOutput>(mainWindow());
    m_findPanel = std::make_unique<qt::QtFindPanel>(mainWindow());
    if (dialogs == Dialogs::Real) {
        m_realDialogs = std::make_unique<qt::QtDialogs>(mainWindow());
        shownDialogs = m_realDialogs.get();
        m_dialogWatchdog.setInterval(10000);
        QObject::connect(&m_dialogWatchdog, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a dialog was left open";
                dialog->done(QDialog::Rejected);
            }
        });
        m_dialogWatchdog.start();
    }
    m_form = std::make_unique<app::Form1>(
        *m_factory,
        platform::Services{*shownDialogs, m_messages, m_clipboard, m_keys, m_shell, m_program,
                           nullptr, {}, m_output.get(), m_findPanel.get()});
    m_form->Form_Load();
    m_factory->window().setGeometry(kStartPlace);
    mainWindow()->showNormal();
    mainWindow()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(mainWindow()));
}

QtFormTest::~QtFormTest() {
    closeMenus();
    m_form.reset();
    m_factory.reset();
}

QMainWindow* QtFormTest::mainWindow() const { return m_factory->mainWindow(); }

QWidget* QtFormTest::clientArea() const { return m_factory->clientArea(); }

QWidget* QtFormTest::panel() { return qt::QtFactory::widgetOf(form().Picture1()); }

QTextEdit* QtFormTest::editor() { return widgetOf<QTextEdit>(form().RichTextBox1()); }

QTextEdit* QtFormTest::reference() { return widgetOf<QTextEdit>(form().RichTextBox2()); }

qt::PictureView* QtFormTest::image() { return widgetOf<qt::PictureView>(form().Image1()); }

QScrollBar* QtFormTest::hScroll() { return widgetOf<QScrollBar>(form().HScroll1()); }

QScrollBar* QtFormTest::vScroll() { return widgetOf<QScrollBar>(form().VScroll1()); }

QTabWidget* QtFormTest::tabStrip() { return widgetOf<QTabWidget>(form().TabStrip1()); }

QLabel* QtFormTest::wordBankLabel(int index) { return widgetOf<QLabel>(form().Label2(index)); }

QLineEdit* QtFormTest::phraseBox(int index) { return widgetOf<QLineEdit>(form().Text1(index)); }

QPushButton* QtFormTest::keypadButton(int index) {
    return widgetOf<QPushButton>(form().Command1(index));
}

QToolButton* QtFormTest::toolbarButton(std::u16string_view key) {
    for (int i = 0; i < form().toolbarButtonCount(); ++i) {
        if (form().Toolbar1(i).key() == key) return widgetOf<QToolButton>(form().Toolbar1(i));
    }
    ADD_FAILURE() << "no toolbar button " << qt::toQString(key).toStdString();
    return nullptr;
}

QAction* QtFormTest::menuAction(std::initializer_list<std::u16string_view> path) {
    const QWidget* container = m_factory->menuBar();
    QAction* action = nullptr;
    for (auto caption : path) {
        if (!container) break;
        action = findAction(container, caption);
        if (!action) {
            ADD_FAILURE() << "no menu item " << qt::toQString(caption).toStdString();
            return nullptr;
        }
        container = action->menu();
    }
    return action;
}

QWidget* QtFormTest::focusWidget() const { return mainWindow()->focusWidget(); }

void QtFormTest::click(QWidget* widget, QPoint at) {
    ASSERT_NE(widget, nullptr);
    if (at == QPoint(-1, -1)) at = widget->rect().center();
    // The click goes to whatever lies in front at that place, as a real one does.
    QWidget* window = widget->window();
    const QPoint inWindow = widget->mapTo(window, at);
    QWidget* target = window->childAt(inWindow);
    if (!target) target = window;
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(window, inWindow));
    QApplication::processEvents();
}

void QtFormTest::clickToolbar(std::u16string_view key) { click(toolbarButton(key)); }

void QtFormTest::clickMenu(std::initializer_list<std::u16string_view> path) {
    chooseMenu(m_factory->menuBar(), path);
}

bool QtFormTest::menuEnabled(std::initializer_list<std::u16string_view> path) {
    QAction* action = menuAction(path);
    return action && action->isEnabled();
}

void QtFormTest::clickKeypad(int index) { click(keypadButton(index)); }

void QtFormTest::clickWordBank(int index) { click(wordBankLabel(index)); }

void QtFormTest::clickPhraseBox(int index) { click(phraseBox(index)); }

void QtFormTest::resizeClient(int widthTwips, int heightTwips) {
    const QSize target(qt::twipsToPixels(widthTwips), qt::twipsToPixels(heightTwips));
    const QSize around = mainWindow()->size() - clientArea()->size();
    mainWindow()->resize(target + around);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clientArea()->size() == target; }))
        << "client area " << clientArea()->width() << " x " << clientArea()->height();
}

}  // namespace pennory::testing
