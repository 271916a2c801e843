// The game's dialogs in the Qt host, offscreen: each template control with its
// identifier, text and place from dialog units; the first focus, Tab and Enter; the
// high-score rows; the shortened welcome; the colour picker; and the help document
// opened from a folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/CMainWindow.h"
#include "app/GameOptions.h"
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
#include "tests/support/TempFolder.h"

namespace {

using namespace platform;
using Kind = DialogControl::Kind;

QRect Pixels(const Rect& units) {
    return QRect(QtDialog::UnitsToPixelsX(units.left), QtDialog::UnitsToPixelsY(units.top),
                 QtDialog::UnitsToPixelsX(units.Width()), QtDialog::UnitsToPixelsY(units.Height()));
}

// Runs the dialog; the player acts once it is up, and the dialog ends as Esc ends it if left open.
std::intptr_t Play(QtDialog& dialog, const std::function<void(QtDialog&)>& player) {
    QTimer::singleShot(0, &dialog, [&dialog, player] {
        player(dialog);
        if (dialog.isVisible()) dialog.reject();
    });
    return dialog.Run(0);
}

QWidget* Widget(Window& dialog, int id) {
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
    const std::map<Kind, const char*> classes = {{Kind::Static, "QLabel"},
                                                 {Kind::Icon, "platform::IconControl"},
                                                 {Kind::Edit, "QLineEdit"},
                                                 {Kind::PushButton, "QPushButton"},
                                                 {Kind::DefaultPushButton, "QPushButton"},
                                                 {Kind::CheckBox, "QCheckBox"},
                                                 {Kind::RadioButton, "QRadioButton"},
                                                 {Kind::EtchedLine, "QFrame"}};
    for (const int id : {IDD_ABOUT, IDD_OPTIONS, IDD_HIGH_SCORES, IDD_WELCOME, IDD_NEXT_LEVEL}) {
        const DialogTemplate& shape = *FindDialogTemplate(id);
        SCOPED_TRACE(id);
        QtDialog dialog(shape, nullptr, nullptr, nullptr);
        EXPECT_EQ(dialog.size(), Pixels(shape.place).size());
        QList<QWidget*> widgets = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        if (!shape.caption) widgets.removeFirst();  // the border drawn round a dialog without a caption
        ASSERT_EQ(static_cast<std::size_t>(widgets.size()), shape.controls.size());
        for (std::size_t i = 0; i < shape.controls.size(); ++i) {
            const DialogControl& control = shape.controls[i];
            QWidget* widget = widgets[static_cast<qsizetype>(i)];
            SCOPED_TRACE(control.text);
            EXPECT_STREQ(widget->metaObject()->className(), classes.at(control.kind));
            QRect place = Pixels(control.place);
            if (control.kind == Kind::EtchedLine) place.setHeight(2);
            EXPECT_EQ(widget->geometry(), place);
            // Labels show no mnemonics; buttons keep theirs.
            QString text = QString::fromStdString(control.text);
            if (control.kind == Kind::Static && !control.noPrefix) text = QtControl::WithoutMnemonics(text);
            const auto* label = qobject_cast<QLabel*>(widget);
            const auto* button = qobject_cast<QAbstractButton*>(widget);
            EXPECT_EQ(label ? label->text() : button ? button->text() : text, text);
            const auto* push = qobject_cast<QPushButton*>(widget);
            EXPECT_EQ(push && push->isDefault(), control.kind == Kind::DefaultPushButton);
            EXPECT_TRUE(control.id == -1 || Widget(dialog, control.id) == widget);
            EXPECT_EQ(widget->focusPolicy() == Qt::StrongFocus, control.tabStop);
        }
    }
}

// OK has the focus first and Enter presses it, also About's, which is no default button; Tab
// goes round the tab stops in template order. Of the welcome only the top is kept: 200 pixels
// less, OK the lowest control.
TEST_F(QtDialogsTest, FocusStartsOnOkAndTabFollowsTheTemplateOrder) {
    const std::pair<int, DialogProc> dialogs[] = {{IDD_ABOUT, AboutDlgProc},
                                                  {IDD_OPTIONS, OptionsDlgProc},
                                                  {IDD_HIGH_SCORES, HighScoreDlgProc},
                                                  {IDD_WELCOME, WelcomeDlgProc}};
    GameOptions.OneDeck = 2;  // nothing greyed: Tab passes a greyed box over
    GameOptions.UpDown = 1;
    for (const auto& [id, procedure] : dialogs) {
        const DialogTemplate& shape = *FindDialogTemplate(id);
        QtDialog dialog(shape, nullptr, nullptr, procedure);
        std::vector<int> stops, visited;
        for (const DialogControl& control : shape.controls)
            if (control.tabStop) stops.push_back(control.id);
        std::vector<int> expected = stops;
        expected.push_back(IDOK);
        int lowest = 0;
        QSize size;
        EXPECT_EQ(
            Play(dialog,
                 [&](QtDialog& open) {
                     size = open.size();
                     for (const QWidget* child : open.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                         lowest = std::max(lowest, child->geometry().bottom());
                     for (std::size_t i = 0; i < expected.size(); ++i) {
                         if (i > 0) QTest::keyClick(open.focusWidget(), Qt::Key_Tab);
                         for (int stop : stops)
                             if (Widget(open, stop) == open.focusWidget()) visited.push_back(stop);
                     }
                     QTest::keyClick(open.focusWidget(), Qt::Key_Return);
                 }),
            id == IDD_OPTIONS ? IDCANCEL : IDOK)  // the options' OK without a change
            << shape.title;
        EXPECT_EQ(visited, expected) << shape.title;
        if (id != IDD_WELCOME) continue;
        EXPECT_EQ(size, QSize(QtDialog::UnitsToPixelsX(248), QtDialog::UnitsToPixelsY(242) - 200));
        EXPECT_EQ(lowest, Widget(dialog, IDOK)->geometry().bottom());
    }
}

// The new entry's row alone is open, on the base colour, for 255 characters.
TEST_F(QtDialogsTest, HighScoreRowsAreReadOnlyButTheNewEntrys) {
    CMainWindow app;
    app.highScorePending = 1;
    app.pendingScore = 5000;
    QtDialog dialog(*FindDialogTemplate(IDD_HIGH_SCORES), nullptr, nullptr, HighScoreDlgProc);
    std::vector<bool> readOnly;
    Play(dialog, [&](QtDialog& open) {
        for (int k = 0; k < 10; ++k)
            readOnly.push_back(static_cast<QLineEdit*>(Widget(open, IDC_NAME0 + k))->isReadOnly());
        EXPECT_EQ(open.focusWidget(), Widget(open, IDC_NAME0 + 3));
    });
    EXPECT_EQ(readOnly, (std::vector<bool>{true, true, true, false, true, true, true, true, true, true}));
    EXPECT_EQ(static_cast<QLineEdit*>(Widget(dialog, IDC_NAME0 + 3))->maxLength(), 255);
    EXPECT_EQ(Widget(dialog, IDC_NAME0)->palette().color(QPalette::Base),
              dialog.palette().color(QPalette::Window));
    EXPECT_EQ(Widget(dialog, IDC_NAME0 + 3)->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));
}

// The picker opens on the colour and shows the caller's custom colours; Cancel keeps the colour,
// and the custom colours the player set come back either way.
TEST(QtColorPickerTest, StartsAtTheColourAndKeepsCustomColours) {
    ColorPicker::CustomColors custom{Rgb(1, 2, 3)};
    for (const bool accept : {true, false}) {
        ColorRef color = Rgb(0x40, 0, 0x40);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            EXPECT_EQ((std::pair{dialog->currentColor(), QColorDialog::customColor(0)}),
                      (std::pair{QColor(0x40, 0, 0x40), QColor(1, 2, 3)}));
            QColorDialog::setCustomColor(2, QColor(9, 8, 7));
            dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
            accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(QtColorPicker().ChooseColor(nullptr, color, custom), accept);
        EXPECT_EQ(color, accept ? Rgb(0x12, 0x34, 0x56) : Rgb(0x40, 0, 0x40));
        EXPECT_EQ(custom[2], Rgb(9, 8, 7));
    }
}

// Stands in for the desktop's browser.
class Browser : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened.push_back(url); }

public:
    std::vector<QUrl> opened;
};

// The document is found in the current folder; a missing one gives the system's text.
using QtDocumentOpenerTest = TempFolderTest;
TEST_F(QtDocumentOpenerTest, OpensFromTheCurrentFolderAndReportsAMissingFile) {
    const std::filesystem::path before = std::filesystem::current_path(), folder = dir_;
    std::filesystem::current_path(folder);
    std::ofstream(folder / "DeckfallHelp.htm") << "<!doctype html><title>Help</title>";
    Browser browser;
    QDesktopServices::setUrlHandler("file", &browser, "open");
    QtDocumentOpener documents;
    EXPECT_TRUE(documents.Open("DeckfallHelp.htm"));
    std::filesystem::remove(folder / "DeckfallHelp.htm");
    EXPECT_FALSE(documents.Open("DeckfallHelp.htm"));
    EXPECT_EQ(GetLastError().message, std::strerror(ENOENT));
    EXPECT_EQ(
        browser.opened,
        std::vector{QUrl::fromLocalFile(QString::fromStdString((folder / "DeckfallHelp.htm").string()))});
    QDesktopServices::unsetUrlHandler("file");
    std::filesystem::current_path(before);
}

}  // namespace

#include "QtDialogsTest.moc"
