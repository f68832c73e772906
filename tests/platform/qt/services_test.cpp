// The Qt services: the real dialogs and boxes, answered offscreen as a person would, the
// system clipboard, the shell and the program's end.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "app/common_dialog.h"
#include "platform/qt/qt_colour_dialog.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_font_dialog.h"
#include "platform/qt/qt_rich_text_box.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/when_shown.h"

namespace pennory::platform::qt {
namespace {

using pennory::testing::whenShown;

class QtServicesTest : public ::testing::Test {
protected:
    QtServicesTest() {
        // A dialog left open by a failing test would block the rest: end it after a while.
        m_watchdog.setInterval(10000);
        QObject::connect(&m_watchdog, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a dialog was left open";
                dialog->done(QDialog::Rejected);
            }
        });
        m_watchdog.start();
    }

    QtServices services;

private:
    QTimer m_watchdog;
};

QString qtText16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

// ---- File dialogs

struct FilterCase {
    std::u16string filter;
    std::vector<QString> expected;
};

const FilterCase kProgramFilters[] = {
    {u"所有文件(*.*)|*.*|text文件(*.txt)|*.txt|rtf文件(*.rtf)|*.rtf|",
     {u"所有文件(*.*) (*)"_qs, u"text文件(*.txt) (*.txt)"_qs, u"rtf文件(*.rtf) (*.rtf)"_qs}},
    {u"rtf文件(*.rtf)|*.rtf|", {u"rtf文件(*.rtf) (*.rtf)"_qs}},
    {u"rtf文件(*.rtf)|*.rtf", {u"rtf文件(*.rtf) (*.rtf)"_qs}},
    {u"txt文件(*.txt)|*.txt", {u"txt文件(*.txt) (*.txt)"_qs}},
    {u"*.bmp文件|*.bmp|*.gif文件|*gif|*.jpg文件|*.jpg|所有文件|*.*|",
     {u"*.bmp文件 (*.bmp)"_qs, u"*.gif文件 (*gif)"_qs, u"*.jpg文件 (*.jpg)"_qs,
      u"所有文件 (*)"_qs}},
};

TEST(QtNameFilters, EveryFilterOfTheProgram) {
    for (const auto& [filter, expected] : kProgramFilters) {
        SCOPED_TRACE(qtText16(filter).toStdString());
        const QStringList filters = qtNameFilters(app::parseFilter(filter));
        EXPECT_EQ(std::vector<QString>(filters.begin(), filters.end()), expected);
    }
}

TEST(QtNameFilters, SeveralPatternsInOneEntry) {
    const QStringList filters = qtNameFilters({{u"图片", u"*.bmp;*.gif; *.jpg"}});
    EXPECT_EQ(filters, QStringList{u"图片 (*.bmp *.gif *.jpg)"_qs});
}

// What Qt's file dialog offers under each filter: "*.*" offers files without a dot too,
// "*gif" any name ending in gif.
TEST(QtNameFilters, TheFileDialogMatchesThePatterns) {
    QTemporaryDir dir;
    for (const char* name : {"稿子.rtf", "b.txt", "readme", "c.gif", "xgif", "d.jpg", "e.bmp"}) {
        QFile(dir.filePath(QString::fromUtf8(name))).open(QIODevice::WriteOnly);
    }
    QFileDialog dialog(nullptr, QString(), dir.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    const QModelIndex root = model->index(dir.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) == 7; }, 5000));

    // The dialog hides what its filter does not match, once the model has sorted again.
    auto offered = [&](const QString& filter, const QStringList& expected) {
        dialog.selectNameFilter(filter);
        QStringList names;
        // A time-out is no failure here: the caller compares the names it ends with.
        (void)QTest::qWaitFor(
            [&] {
                names.clear();
                for (int row = 0; row < model->rowCount(root); ++row) {
                    names << model->fileName(model->index(row, 0, root));
                }
                names.sort();
                return names == expected;
            },
            2000);
        return names;
    };
    const QStringList all = {u"b.txt"_qs,  u"c.gif"_qs, u"d.jpg"_qs,   u"e.bmp"_qs,
                             u"readme"_qs, u"xgif"_qs,  u"稿子.rtf"_qs};
    const QStringList open = qtNameFilters(app::parseFilter(kProgramFilters[0].filter));
    dialog.setNameFilters(open);
    EXPECT_EQ(offered(open[1], {u"b.txt"_qs}), QStringList{u"b.txt"_qs});
    EXPECT_EQ(offered(open[2], {u"稿子.rtf"_qs}), QStringList{u"稿子.rtf"_qs});
    EXPECT_EQ(offered(open[0], all), all);
    const QStringList picture = qtNameFilters(app::parseFilter(kProgramFilters[4].filter));
    dialog.setNameFilters(picture);
    const QStringList gifs = {u"c.gif"_qs, u"xgif"_qs};
    EXPECT_EQ(offered(picture[1], gifs), gifs);
    EXPECT_EQ(offered(picture[3], all), all);
}

TEST_F(QtServicesTest, OpenDialogShowsTheLabelsAndReturnsTheChosenFile) {
    QTemporaryDir dir;
    const QString chosen = dir.filePath(u"稿子.rtf"_qs);
    QFile(chosen).open(QIODevice::WriteOnly);

    QStringList shownFilters;
    QString title;
    QString selectedFilter;
    bool native = true;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
        selectedFilter = dialog->selectedNameFilter();
        if (auto* combo = dialog->findChild<QComboBox*>(u"fileTypeCombo"_qs)) {
            for (int i = 0; i < combo->count(); ++i) shownFilters << combo->itemText(i);
        }
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept();
    });
    FileDialogRequest request{u"打开", app::parseFilter(kProgramFilters[0].filter), 3, 4, u""};
    const auto result = services.dialogs().showOpen(request);

    ASSERT_TRUE(result);
    EXPECT_EQ(qtText16(*result), chosen);
    EXPECT_EQ(title, u"打开"_qs);
    EXPECT_FALSE(native);
    EXPECT_EQ(shownFilters,
              (QStringList{u"所有文件(*.*)"_qs, u"text文件(*.txt)"_qs, u"rtf文件(*.rtf)"_qs}));
    EXPECT_EQ(selectedFilter, u"rtf文件(*.rtf)"_qs);  // the third entry, as shown
}

TEST_F(QtServicesTest, CancelledFileDialogReturnsNothing) {
    whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(services.dialogs().showOpen({u"打开", {}, 1, 4, u""}));
}

TEST_F(QtServicesTest, SaveDialogStartsWithTheGivenNameAndAddsNoExtension) {
    QTemporaryDir dir;
    const QString previous = dir.filePath(u"上次.rtf"_qs);
    QString directory;
    QStringList prefilled;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        directory = dialog->directory().absolutePath();
        prefilled = dialog->selectedFiles();
        dialog->selectFile(dir.filePath(u"无扩展名"_qs));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto result = services.dialogs().showSave(
        {u"另存为", app::parseFilter(u"rtf文件(*.rtf)|*.rtf"), 1, 4, previous.toStdU16String()});
    EXPECT_EQ(directory, dir.path());
    EXPECT_EQ(prefilled, QStringList{previous});
    ASSERT_TRUE(result);
    EXPECT_EQ(qtText16(*result), dir.filePath(u"无扩展名"_qs));
}

TEST_F(QtServicesTest, SaveDialogDoesNotAskBeforeReplacingAFile) {
    QTemporaryDir dir;
    const QString existing = dir.filePath(u"已有.rtf"_qs);
    QFile(existing).open(QIODevice::WriteOnly);
    bool asked = false;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        QTimer* confirmation = whenShown<QMessageBox>([&](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::Yes)->click();
        });
        QPointer<QTimer> pending(confirmation);
        dialog->selectFile(existing);
        static_cast<QDialog*>(dialog)->accept();
        delete pending.data();
    });
    const auto result = services.dialogs().showSave({u"保存", {}, 1, 4, u""});
    EXPECT_FALSE(asked);
    ASSERT_TRUE(result);
    EXPECT_EQ(qtText16(*result), existing);
}

// ---- Font and colour

QStringList rows(const QListWidget* list) {
    QStringList out;
    for (int row = 0; row < list->count(); ++row) out << list->item(row)->text();
    return out;
}

void clickRow(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
}

TEST_F(QtServicesTest, FontDialogShowsThePresetAndKeepsItWhenConfirmed) {
    const text::Font initial{u"宋体", 11.0f, false, false, false, false};
    QString family, size, familyRow, sizeRow;
    bool effectsShown = true;
    whenShown<FontDialog>([&](FontDialog* dialog) {
        family = dialog->findChild<QLineEdit*>(u"family"_qs)->text();
        size = dialog->findChild<QLineEdit*>(u"size"_qs)->text();
        familyRow = dialog->findChild<QListWidget*>(u"familyList"_qs)->currentItem()->text();
        sizeRow = dialog->findChild<QListWidget*>(u"sizeList"_qs)->currentItem()->text();
        effectsShown = dialog->findChild<QGroupBox*>(u"effects"_qs)->isVisible();
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    EXPECT_EQ(services.dialogs().showFont(initial, 3), initial);
    EXPECT_EQ(family, u"宋体"_qs);
    EXPECT_EQ(familyRow, u"宋体"_qs);
    EXPECT_EQ(size, u"11"_qs);
    EXPECT_EQ(sizeRow, u"11"_qs);
    EXPECT_FALSE(effectsShown);
}

TEST_F(QtServicesTest, FontDialogListsChineseNamesAndChineseSizes) {
    QStringList families, sizes;
    std::vector<QString> faces;
    whenShown<FontDialog>([&](FontDialog* dialog) {
        const auto* familyList = dialog->findChild<QListWidget*>(u"familyList"_qs);
        families = rows(familyList);
        for (int row = 0; row < 4; ++row) {
            faces.push_back(QFontInfo(familyList->item(row)->font()).family());
        }
        sizes = rows(dialog->findChild<QListWidget*>(u"sizeList"_qs));
        dialog->reject();
    });
    services.dialogs().showFont({u"宋体", 11.0f}, 3);
    ASSERT_GT(families.size(), 4);
    EXPECT_EQ(families.mid(0, 4), (QStringList{u"宋体"_qs, u"黑体"_qs, u"楷体"_qs, u"仿宋"_qs}));
    EXPECT_TRUE(families.contains(u"DejaVu Sans"_qs));  // the other installed families follow
    // Each Chinese name is drawn with an installed CJK face, not a Latin fallback; 宋体 and
    // 黑体 look different.
    for (const QString& face : faces) EXPECT_TRUE(face.contains(u"CJK"_qs)) << face.toStdString();
    EXPECT_NE(faces[0], faces[1]);
    const QStringList chinese = {u"初号"_qs, u"小初"_qs, u"一号"_qs, u"小一"_qs,
                                 u"二号"_qs, u"小二"_qs, u"三号"_qs, u"小三"_qs,
                                 u"四号"_qs, u"小四"_qs, u"五号"_qs, u"小五"_qs,
                                 u"六号"_qs, u"小六"_qs, u"七号"_qs, u"八号"_qs};
    EXPECT_EQ(sizes.mid(0, 16), chinese);
    EXPECT_TRUE(sizes.contains(u"10.5"_qs));
    EXPECT_TRUE(sizes.contains(u"72"_qs));
}

TEST_F(QtServicesTest, FontDialogTakesClickedFamilyChineseSizeAndStyle) {
    whenShown<FontDialog>([&](FontDialog* dialog) {
        clickRow(dialog->findChild<QListWidget*>(u"familyList"_qs), u"黑体"_qs);
        clickRow(dialog->findChild<QListWidget*>(u"sizeList"_qs), u"五号"_qs);
        QTest::mouseClick(dialog->findChild<QCheckBox*>(u"bold"_qs), Qt::LeftButton);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    const auto chosen = services.dialogs().showFont({u"宋体", 11.0f}, 3);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, (text::Font{u"黑体", 10.5f, true, false, false, false}));
}

TEST_F(QtServicesTest, FontDialogTakesATypedFractionalSizeAndRefusesNonsense) {
    bool acceptedNonsense = true;
    whenShown<FontDialog>([&](FontDialog* dialog) {
        auto* size = dialog->findChild<QLineEdit*>(u"size"_qs);
        size->selectAll();
        QTest::keyClicks(size, u"abc"_qs);
        acceptedNonsense = dialog->okButton()->isEnabled();
        size->selectAll();
        QTest::keyClicks(size, u"11.5"_qs);
        QTest::keyClick(size, Qt::Key_Return);
    });
    const auto chosen = services.dialogs().showFont({u"楷体", 9.0f, false, true}, 3);
    EXPECT_FALSE(acceptedNonsense);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, (text::Font{u"楷体", 11.5f, false, true, false, false}));
}

TEST_F(QtServicesTest, FontDialogWithoutEffectsKeepsUnderlineAndStrikethrough) {
    const text::Font initial{u"宋体", 10.5f, true, false, true, true};
    whenShown<FontDialog>([&](FontDialog* dialog) {
        clickRow(dialog->findChild<QListWidget*>(u"familyList"_qs), u"仿宋"_qs);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    EXPECT_EQ(services.dialogs().showFont(initial, 3),
              (text::Font{u"仿宋", 10.5f, true, false, true, true}));
}

TEST_F(QtServicesTest, FontDialogWithEffectsReturnsThem) {
    bool effectsShown = false;
    whenShown<FontDialog>([&](FontDialog* dialog) {
        effectsShown = dialog->findChild<QGroupBox*>(u"effects"_qs)->isVisible();
        QTest::mouseClick(dialog->findChild<QCheckBox*>(u"underline"_qs), Qt::LeftButton);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    const auto chosen = services.dialogs().showFont({u"宋体", 9.0f}, 3 | 0x100);
    EXPECT_TRUE(effectsShown);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(chosen->underline);
    EXPECT_FALSE(chosen->strikethrough);
}

TEST_F(QtServicesTest, CancelledFontDialogReturnsNothing) {
    whenShown<FontDialog>([](FontDialog* dialog) {
        clickRow(dialog->findChild<QListWidget*>(u"familyList"_qs), u"黑体"_qs);
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(services.dialogs().showFont({u"宋体", 9.0f}, 3));
}

TEST_F(QtServicesTest, ColourDialogStartsWithTheColourAndReturnsTheChoice) {
    QColor shown;
    whenShown<QColorDialog>([&](QColorDialog* dialog) {
        shown = dialog->currentColor();
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
    });
    EXPECT_EQ(services.dialogs().showColor(text::rgb(255, 128, 0), 0), text::rgb(1, 2, 3));
    EXPECT_EQ(shown, QColor(255, 128, 0));

    whenShown<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(services.dialogs().showColor(0, 0));
}

TEST(QtColours, WindowsOrderConverts) {
    EXPECT_EQ(toQColor(0x00332211), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(fromQColor(QColor(0x11, 0x22, 0x33)), 0x00332211u);
}

// ---- Message boxes

struct BoxSeen {
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::Information;
    bool openAfterEscape = false;
    bool openAfterClose = false;
};

// Shows a box and answers it with `answer`, after trying Escape and the close box first
// when asked to.
int answerBox(QtServices& services, int style, std::u16string_view title,
              std::function<void(QMessageBox*)> answer, BoxSeen& seen) {
    whenShown<QMessageBox>([&seen, answer](QMessageBox* box) {
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.icon = box->icon();
        answer(box);
    });
    return services.messages().msgBox(u"要保存文稿吗？", style, title);
}

void click(QMessageBox* box, QMessageBox::StandardButton button) {
    QTest::mouseClick(box->button(button), Qt::LeftButton);
}

TEST_F(QtServicesTest, OkBox) {
    BoxSeen seen;
    EXPECT_EQ(answerBox(
                  services, vbOKOnly, u"", [](QMessageBox* b) { click(b, QMessageBox::Ok); }, seen),
              vbOK);
    EXPECT_EQ(seen.title, u"Pennory"_qs);
    EXPECT_EQ(seen.text, u"要保存文稿吗？"_qs);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);

    EXPECT_EQ(answerBox(
                  services, vbOKOnly, u"",
                  [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }, seen),
              vbOK);
}

TEST_F(QtServicesTest, YesNoCancelBoxAnswersEachButton) {
    const std::pair<QMessageBox::StandardButton, int> answers[] = {
        {QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
    for (const auto& [button, answer] : answers) {
        BoxSeen seen;
        EXPECT_EQ(answerBox(
                      services, vbYesNoCancel, u"退出前确认",
                      [button = button](QMessageBox* b) { click(b, button); }, seen),
                  answer);
        EXPECT_EQ(seen.title, u"退出前确认"_qs);
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    }
}

TEST_F(QtServicesTest, YesNoCancelBoxClosedAnswersCancel) {
    BoxSeen seen;
    EXPECT_EQ(answerBox(
                  services, vbYesNoCancel, u"",
                  [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }, seen),
              vbCancel);
    EXPECT_EQ(answerBox(
                  services, vbYesNoCancel, u"", [](QMessageBox* b) { b->close(); }, seen),
              vbCancel);
}

TEST_F(QtServicesTest, YesNoBoxReturnKeyAnswersYes) {
    BoxSeen seen;
    EXPECT_EQ(answerBox(
                  services, vbYesNo, u"请确认",
                  [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); }, seen),
              vbYes);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);
}

// The replace question: Return answers No, the default.
TEST_F(QtServicesTest, YesNoBoxWithSecondDefaultReturnKeyAnswersNo) {
    BoxSeen seen;
    EXPECT_EQ(answerBox(
                  services, vbYesNo | vbDefaultButton2, u"",
                  [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); }, seen),
              vbNo);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.defaultButton, QMessageBox::No);
}

// New must not take a dismissed question for No, which would clear the manuscript.
TEST_F(QtServicesTest, YesNoBoxCannotBeDismissed) {
    for (const auto& [button, answer] :
         {std::pair{QMessageBox::No, int(vbNo)}, std::pair{QMessageBox::Yes, int(vbYes)}}) {
        BoxSeen seen;
        EXPECT_EQ(answerBox(
                      services, vbYesNo, u"请确认",
                      [&seen, button = button](QMessageBox* b) {
                          QTest::keyClick(b, Qt::Key_Escape);
                          seen.openAfterEscape = b->isVisible();
                          b->close();
                          seen.openAfterClose = b->isVisible();
                          click(b, button);
                      },
                      seen),
                  answer);
        EXPECT_TRUE(seen.openAfterEscape);
        EXPECT_TRUE(seen.openAfterClose);
    }
}

// A question whose Yes cannot be undone: No is the default and Esc or the close box say No.
TEST_F(QtServicesTest, YesNoBoxWithNoAsDefault) {
    const std::pair<std::function<void(QMessageBox*)>, int> answers[] = {
        {[](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); }, vbNo},
        {[](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }, vbNo},
        {[](QMessageBox* b) { b->close(); }, vbNo},
        {[](QMessageBox* b) { click(b, QMessageBox::Yes); }, vbYes},
        {[](QMessageBox* b) { click(b, QMessageBox::No); }, vbNo},
    };
    for (std::size_t i = 0; i < std::size(answers); ++i) {
        SCOPED_TRACE(i);
        BoxSeen seen;
        EXPECT_EQ(answerBox(services, vbYesNo | vbDefaultButton2, u"", answers[i].first, seen),
                  answers[i].second);
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(seen.defaultButton, QMessageBox::No);
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    }
}

// ---- Input box

TEST_F(QtServicesTest, InputBoxStartsEmptyAndReturnsTheEntry) {
    for (const bool masked : {false, true}) {
        SCOPED_TRACE(masked);
        QString title, label, initial;
        QLineEdit::EchoMode echo = QLineEdit::NoEcho;
        whenShown<QInputDialog>([&](QInputDialog* dialog) {
            title = dialog->windowTitle();
            label = dialog->labelText();
            initial = dialog->textValue();
            echo = dialog->textEchoMode();
            auto* field = dialog->findChild<QLineEdit*>();
            ASSERT_NE(field, nullptr);
            QTest::keyClicks(field, "pass, \"word\" ");
            dialog->accept();
        });
        EXPECT_EQ(services.messages().inputBox(u"请输入登录密码：", masked), u"pass, \"word\" ");
        EXPECT_EQ(title, u"Pennory"_qs);
        EXPECT_EQ(label, u"请输入登录密码："_qs);
        EXPECT_TRUE(initial.isEmpty());
        EXPECT_EQ(echo, masked ? QLineEdit::Password : QLineEdit::Normal);
    }
}

TEST_F(QtServicesTest, CancelledInputBoxReturnsEmptyText) {
    whenShown<QInputDialog>([](QInputDialog* dialog) {
        dialog->setTextValue(u"typed"_qs);
        dialog->reject();
    });
    EXPECT_EQ(services.messages().inputBox(u"请输入旧密码：", true), u"");
}

// ---- Clipboard

TEST_F(QtServicesTest, ClipboardCarriesPlainText) {
    QtClipboard& clipboard = services.clipboard();
    ASSERT_TRUE(clipboard.setText(u"行一\r\n\t行二\u00A0"));
    EXPECT_EQ(clipboard.text(), u"行一\r\n\t行二\u00A0");
    ASSERT_TRUE(clipboard.clear());
    EXPECT_EQ(clipboard.text(), u"");
}

TEST_F(QtServicesTest, ClipboardWithoutTextReadsEmpty) {
    auto* data = new QMimeData;
    data->setData(u"image/png"_qs, QByteArray("not text"));
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_EQ(services.clipboard().text(), u"");
}

TEST_F(QtServicesTest, RichClipboardContentPastesAsPlainText) {
    QWidget window;
    QtRichTextBox box(&window, text::CharFormat{u"宋体", 9.0f}, {});
    auto* data = new QMimeData;
    data->setHtml(u"<b style=\"color:red\">粗体</b><br>第二行"_qs);
    data->setText(u"粗体\n第二行"_qs);
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_EQ(services.clipboard().text(), u"粗体\n第二行");

    box.widget()->paste();
    EXPECT_EQ(box.content(), text::StyledText(u"粗体\r\n第二行", text::CharFormat{u"宋体", 9.0f}));
}

TEST_F(QtServicesTest, EditorCopiesPlainTextOnly) {
    QWidget window;
    QtRichTextBox box(&window, text::CharFormat{u"宋体", 9.0f}, {});
    text::StyledText content(u"甲\r\n", text::CharFormat{u"黑体", 12.0f, true});
    content.append(u"乙\r", text::CharFormat{u"宋体", 9.0f});
    box.setContent(content);
    box.setSelLength(5);
    box.widget()->copy();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_FALSE(copied->hasHtml());
    EXPECT_EQ(copied->text(), u"甲\n乙\r"_qs);
}

// ---- Shell

TEST(QtShellTest, OpensLinksAndExistingFilesInTheGivenFolder) {
    QTemporaryDir dir;
    QFile(dir.filePath(u"Pennory帮助.htm"_qs)).open(QIODevice::WriteOnly);
    struct Launch {
        QString program;
        QStringList arguments;
        QString folder;
    };
    std::vector<Launch> launched;
    QtShell shell([&](const QString& program, const QStringList& arguments, const QString& folder) {
        launched.push_back({program, arguments, folder});
        return true;
    });
    const std::filesystem::path folder(QFile::encodeName(dir.path()).toStdString());

    shell.shellExecute(u"open", u"mailto:editor@example.com", u"", folder, 1);
    shell.shellExecute(u"open", u"Pennory帮助.htm", u"", folder, 1);
    shell.shellExecute(u"open", u"没有这个文件.htm", u"", folder, 1);
    ASSERT_EQ(launched.size(), 2u);
    EXPECT_EQ(launched[0].program, u"xdg-open"_qs);
    EXPECT_EQ(launched[0].arguments, QStringList{u"mailto:editor@example.com"_qs});
    EXPECT_EQ(launched[0].folder, dir.path());
    EXPECT_EQ(launched[1].arguments, QStringList{dir.filePath(u"Pennory帮助.htm"_qs)});
    EXPECT_EQ(launched[1].folder, dir.path());
}

TEST(QtShellTest, TheDesktopOpenerStartsInTheProgramsFolder) {
    // A stand-in xdg-open on the path writes down the folder it was started in.
    QTemporaryDir bin, program;
    const QString record = bin.filePath(u"started-in"_qs);
    QFile script(bin.filePath(u"xdg-open"_qs));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\npwd > '" + record.toUtf8() + ".part' && mv '" + record.toUtf8() +
                  ".part' '" + record.toUtf8() + "'\n"));
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile(program.filePath(u"Pennory帮助.htm"_qs)).open(QIODevice::WriteOnly);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ":" + path);

    QtShell().shellExecute(u"open", u"Pennory帮助.htm", u"",
                           std::filesystem::path(QFile::encodeName(program.path()).toStdString()),
                           1);
    qputenv("PATH", path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 5000));
    QFile started(record);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(started.readAll()).trimmed(),
              QFileInfo(program.path()).canonicalFilePath());
}

// ---- Program

TEST(QtProgramTest, PasswordFileFollowsTheConfigurationFolder) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", "/tmp/pennory-config", 1);
    EXPECT_EQ(QtProgram().passwordFile(),
              std::filesystem::path("/tmp/pennory-config/pennory/print.txt"));
    if (saved) {
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

// A window whose closing would be the close prompt.
class CountingWindow : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        QWidget::closeEvent(event);
    }
};

// Ending leaves the event loop for good, so it runs in a child process.
TEST(QtProgramDeathTest, EndLeavesTheEventLoopAfterTheHandlerWithoutClosingWindows) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CountingWindow window;
            window.show();
            QtProgram program;
            bool handlerFinished = false;
            bool endedInHandler = false;
            QTimer::singleShot(0, [&] {
                program.end();
                endedInHandler = program.ended();
                handlerFinished = true;
            });
            const int code = QApplication::exec();
            std::exit(code == 0 && handlerFinished && endedInHandler && window.closes == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace pennory::platform::qt
