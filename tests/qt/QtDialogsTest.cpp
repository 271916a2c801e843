// The game's dialogs in the Qt host, offscreen: every control of each template with
// its identifier, text and place from dialog units; where the focus starts; the
// high-score rows, read-only but for the new entry's, which takes 255 characters;
// the shortened welcome dialog; Enter and Esc; the colour picker and the document
// opener.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
#include "app/Registry.h"
#include "dialogs/AboutDlgProc.h"
#include "dialogs/CHighScoreDlg.h"
#include "dialogs/COptionsDlg.h"
#include "dialogs/WelcomeDlgProc.h"
#include "platform/LastError.h"
#include "platform/Services.h"
#include "platform/linux/SqliteSettingsStore.h"
#include "platform/qt/QtColorPicker.h"
#include "platform/qt/QtControl.h"
#include "platform/qt/QtDialog.h"
#include "platform/qt/QtDocumentOpener.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

namespace {

using namespace platform;
using Kind = DialogControl::Kind;

QRect Pixels(const Rect& units) {
    return QRect(QtDialog::UnitsToPixelsX(units.left), QtDialog::UnitsToPixelsY(units.top),
                 QtDialog::UnitsToPixelsX(units.Width()), QtDialog::UnitsToPixelsY(units.Height()));
}

bool IsKind(const QWidget* widget, Kind kind) {
    switch (kind) {
        case Kind::Static:
        case Kind::Icon:
            return qobject_cast<const QLabel*>(widget);
        case Kind::Edit:
            return qobject_cast<const QLineEdit*>(widget);
        case Kind::PushButton:
            return qobject_cast<const QPushButton*>(widget) &&
                   !static_cast<const QPushButton*>(widget)->isDefault();
        case Kind::DefaultPushButton:
            return qobject_cast<const QPushButton*>(widget) &&
                   static_cast<const QPushButton*>(widget)->isDefault();
        case Kind::CheckBox:
            return qobject_cast<const QCheckBox*>(widget);
        case Kind::RadioButton:
            return qobject_cast<const QRadioButton*>(widget);
        case Kind::EtchedLine:
            return qobject_cast<const QFrame*>(widget) &&
                   static_cast<const QFrame*>(widget)->frameShape() == QFrame::HLine;
    }
    return false;
}

QString Shown(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    return {};
}

// Runs the dialog modally; the player acts once it is up, and the dialog ends as Esc
// ends it if the player leaves it open.
std::intptr_t Play(QtDialog& dialog, const std::function<void(QtDialog&)>& player) {
    QTimer::singleShot(0, &dialog, [&dialog, player] {
        player(dialog);
        if (dialog.isVisible()) dialog.reject();
    });
    return dialog.Run(0);
}

// Keys that type characters of any script, one at a time.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

QWidget* Widget(QtDialog& dialog, int id) {
    return static_cast<QtControl*>(dialog.GetDlgItem(id))->Widget();
}

class QtDialogsTest : public ::testing::Test {
protected:
    QtDialogsTest() { GameOptions = {}; }
    std::unique_ptr<SqliteSettingsStore> store = SqliteSettingsStore::InMemory();
    ScopedServices services{{.settings = store.get()}};
};

// Each control stands where its dialog units put it, in template order, with its text.
TEST_F(QtDialogsTest, EveryControlOfEveryTemplateIsBuiltWhereItsUnitsSay) {
    for (const int id : {IDD_ABOUT, IDD_OPTIONS, IDD_HIGH_SCORES, IDD_WELCOME}) {
        const DialogTemplate& shape = *FindDialogTemplate(id);
        SCOPED_TRACE(shape.title);
        QtDialog dialog(shape, nullptr, nullptr, nullptr);
        EXPECT_EQ(dialog.windowTitle().toStdString(), shape.title);
        EXPECT_EQ(dialog.size(), Pixels(shape.place).size());
        const QList<QWidget*> widgets = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(static_cast<std::size_t>(widgets.size()), shape.controls.size());
        for (std::size_t i = 0; i < shape.controls.size(); ++i) {
            const DialogControl& control = shape.controls[i];
            const QWidget* widget = widgets[static_cast<qsizetype>(i)];
            SCOPED_TRACE(control.text);
            EXPECT_TRUE(IsKind(widget, control.kind));
            QRect place = Pixels(control.place);
            if (control.kind == Kind::EtchedLine) place.setHeight(2);
            EXPECT_EQ(widget->geometry(), place);
            // Labels show no mnemonics; buttons keep theirs.
            const QString text = QString::fromStdString(control.text);
            EXPECT_EQ(Shown(widget), control.kind == Kind::Static && !control.noPrefix
                                         ? QtControl::WithoutMnemonics(text)
                                         : text);
            if (control.id != -1) {
                EXPECT_EQ(Widget(dialog, control.id), widget);
            }
            EXPECT_EQ(widget->focusPolicy() == Qt::StrongFocus, control.tabStop);
        }
    }
}

// OK has the focus first everywhere but in a list that takes a new name.
TEST_F(QtDialogsTest, FocusStartsOnOk) {
    const std::pair<int, DialogProc> dialogs[] = {{IDD_ABOUT, AboutDlgProc},
                                                  {IDD_OPTIONS, OptionsDlgProc},
                                                  {IDD_HIGH_SCORES, HighScoreDlgProc},
                                                  {IDD_WELCOME, WelcomeDlgProc}};
    for (const auto& [id, procedure] : dialogs) {
        QtDialog dialog(*FindDialogTemplate(id), nullptr, nullptr, procedure);
        QWidget* focus = nullptr;
        Play(dialog, [&](QtDialog& open) { focus = open.focusWidget(); });
        EXPECT_EQ(focus, Widget(dialog, IDOK)) << id;
    }
}

// The new entry's row alone is open; it takes 255 characters of any script, and Enter is OK.
TEST_F(QtDialogsTest, HighScoreRowsAreReadOnlyButTheNewEntrys) {
    CMainWindow app;
    app.highScorePending = 1;
    app.pendingScore = 5000;
    QtDialog dialog(*FindDialogTemplate(IDD_HIGH_SCORES), nullptr, nullptr, HighScoreDlgProc);
    std::vector<bool> readOnly;
    QWidget* focus = nullptr;
    const std::intptr_t result = Play(dialog, [&](QtDialog& open) {
        for (int k = 0; k < 10; ++k)
            readOnly.push_back(static_cast<QLineEdit*>(Widget(open, IDC_NAME0 + k))->isReadOnly());
        focus = open.focusWidget();
        Type(focus, QString(300, QChar(0x0416)));
        QTest::keyClick(focus, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(readOnly, (std::vector<bool>{true, true, true, false, true, true, true, true, true, true}));
    EXPECT_EQ(focus, Widget(dialog, IDC_NAME0 + 3));
    std::string name;
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, HighScoresKey, "Name3", name, 1024));
    EXPECT_EQ(QString::fromStdString(name), QString(255, QChar(0x0416)));

    // Read-only rows are drawn on the dialog's colour, the open one on the base colour.
    const QPalette rows = Widget(dialog, IDC_NAME0)->palette();
    EXPECT_EQ(rows.color(QPalette::Base), dialog.palette().color(QPalette::Window));
    EXPECT_EQ(Widget(dialog, IDC_NAME0 + 3)->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));
}

// Tab goes through the tab stops in template order and round again; with swap mode 2 no
// radio button is selected.
TEST_F(QtDialogsTest, OptionsTabThroughTheTemplateOrderAndShowNoModeForModeTwo) {
    GameOptions.SwapMode = 2;
    GameOptions.OneDeck = 2;  // no box greyed: a greyed one is passed over
    const DialogTemplate& shape = *FindDialogTemplate(IDD_OPTIONS);
    QtDialog dialog(shape, nullptr, nullptr, OptionsDlgProc);
    std::vector<int> expected;
    for (const DialogControl& control : shape.controls)
        if (control.tabStop) expected.push_back(control.id);
    expected.push_back(expected.front());
    std::vector<int> visited;
    std::vector<bool> radios;
    Play(dialog, [&](QtDialog& open) {
        for (std::size_t i = 0; i < expected.size(); ++i) {
            for (const DialogControl& control : shape.controls)
                if (control.id != -1 && Widget(open, control.id) == open.focusWidget())
                    visited.push_back(control.id);
            QTest::keyClick(open.focusWidget(), Qt::Key_Tab);
        }
        for (int id : {IDC_DRAW_POKER, IDC_SEVEN_CARD_POKER, IDC_STUD_POKER})
            radios.push_back(static_cast<QRadioButton*>(Widget(open, id))->isChecked());
    });
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(radios, (std::vector<bool>{false, false, false}));
}

// Only the top of the welcome template is kept: 200 pixels less, OK the lowest control.
TEST_F(QtDialogsTest, WelcomeIsShortenedBelowItsOkButton) {
    QtDialog dialog(*FindDialogTemplate(IDD_WELCOME), nullptr, nullptr, WelcomeDlgProc);
    QSize size;
    int lowest = 0;
    Play(dialog, [&](QtDialog& open) {
        size = open.size();
        for (const QWidget* child : open.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            lowest = std::max(lowest, child->geometry().bottom());
    });
    EXPECT_EQ(size, QSize(QtDialog::UnitsToPixelsX(248), QtDialog::UnitsToPixelsY(242) - 200));
    EXPECT_EQ(lowest, Widget(dialog, IDOK)->geometry().bottom());
    EXPECT_LT(lowest, size.height());
}

// Enter presses the focused button even when it is not the default; Esc is Cancel.
TEST_F(QtDialogsTest, EnterAndEscEndTheAboutDialog) {
    for (const auto& [key, expected] : {std::pair{Qt::Key_Return, IDOK}, {Qt::Key_Escape, IDCANCEL}}) {
        QtDialog dialog(*FindDialogTemplate(IDD_ABOUT), nullptr, nullptr, AboutDlgProc);
        EXPECT_EQ(Play(dialog, [key](QtDialog& open) { QTest::keyClick(open.focusWidget(), key); }),
                  expected);
    }
}

// Qt's colour dialog opens on the colour; the custom colours go in and come back out.
TEST(QtColorPickerTest, StartsAtTheColourAndKeepsCustomColours) {
    QtColorPicker picker;
    ColorPicker::CustomColors custom{};
    custom[1] = Rgb(1, 2, 3);
    for (const bool accept : {true, false}) {
        ColorRef color = Rgb(0x40, 0x00, 0x40);
        QColor initial;
        QColor customSeen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            initial = dialog->currentColor();
            customSeen = QColorDialog::customColor(1);
            QColorDialog::setCustomColor(2, QColor(9, 8, 7));
            dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
            accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(picker.ChooseColor(nullptr, color, custom), accept);
        EXPECT_EQ(initial, QColor(0x40, 0x00, 0x40));
        EXPECT_EQ(customSeen, QColor(1, 2, 3));
        EXPECT_EQ(color, accept ? Rgb(0x12, 0x34, 0x56) : Rgb(0x40, 0x00, 0x40));
        EXPECT_EQ(custom[2], Rgb(9, 8, 7));
    }
}

// Stands in for the desktop's browser.
class FileOpener : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened.push_back(url); }

public:
    std::vector<QUrl> opened;
};

// The document is found in the current folder; a missing one gives the system's text.
TEST(QtDocumentOpenerTest, OpensFromTheCurrentFolderAndReportsAMissingFile) {
    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "deckfall-help-test";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    std::ofstream(folder / "DeckfallHelp.htm") << "<!doctype html><title>Help</title>";
    FileOpener browser;
    QDesktopServices::setUrlHandler("file", &browser, "open");

    QtDocumentOpener documents;
    EXPECT_TRUE(documents.Open("DeckfallHelp.htm"));
    EXPECT_EQ(browser.opened, std::vector<QUrl>{QUrl::fromLocalFile(
                                  QString::fromStdString((folder / "DeckfallHelp.htm").string()))});

    std::filesystem::remove(folder / "DeckfallHelp.htm");
    EXPECT_FALSE(documents.Open("DeckfallHelp.htm"));
    EXPECT_EQ(GetLastError().message, std::strerror(ENOENT));
    EXPECT_EQ(browser.opened.size(), 1u);

    QDesktopServices::unsetUrlHandler("file");
    std::filesystem::current_path(before);
    std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "QtDialogsTest.moc"
