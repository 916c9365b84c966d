// The template selection on the main window's "Template" tab with the shipped templates:
// choosing one (and refusing), its parameter rows, "Open Template", and leaving the tab.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>

#include "WorkflowFixture.h"
#include "base/Paths.h"
#include "templates/TemplateLibrary.h"
#include "ui/TOnePara.h"
#include "ui/TemplateSelectionDialog.h"

namespace fsc {
namespace {

using test::Find;
using test::Windows;

class TemplateTabTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        w = std::make_unique<Windows>();
        w->ws.TemplateLibrary = TemplateLibraryFolder();
        w->ws.Selection.Entries = ListTemplates(w->ws.TemplateLibrary);
        form = std::make_unique<TemplateSelectionDialog>(w->ws, w->ask, [this] { ++applied; });
    }

    // The user picks `entry` from the template list.
    void Choose(QWidget* parent, const char* entry) {
        auto* list = Find<QComboBox>(parent, "TemplateComboBox");
        const int index = list->findText(entry);
        ASSERT_GE(index, 0) << entry;
        list->setCurrentIndex(index);
        list->activated(index);
    }
    std::vector<TOnePara*> Rows(QWidget* parent) {
        auto rows = Find<QWidget>(parent, "ParameterRows")->findChildren<TOnePara*>();
        return {rows.begin(), rows.end()};
    }

    std::unique_ptr<Windows> w;
    std::unique_ptr<TemplateSelectionDialog> form;
    int applied = 0;
};

TEST_F(TemplateTabTest, ChoosingATemplateShowsItsDescriptionPreviewAndParameters) {
    QWidget* panel = form->Panel();
    EXPECT_EQ(form->windowTitle(), "Folioscope Select Template");
    EXPECT_TRUE(Find<QRadioButton>(panel, "NoTemplateRadioButton")->isChecked());
    form->show();
    Choose(panel, "Modern");
    EXPECT_TRUE(Find<QRadioButton>(panel, "UseTemplateRadioButton")->isChecked());
    EXPECT_TRUE(Find<QLabel>(panel, "DescriptionLabel")->text().startsWith("Modern: a responsive"));
    EXPECT_TRUE(Find<QLabel>(panel, "TemplatePreview")->isVisible());
    EXPECT_EQ(Rows(panel).size(), 10u);
    EXPECT_EQ(w->ws.Main.TemplateName, "Modern");
    // Outside the main window the choice waits for "OK".
    EXPECT_EQ(w->ws.Main.ThumbWidth, MainSettings().ThumbWidth);
    Find<QPushButton>(panel, "OKButton")->click();
    EXPECT_EQ(w->ws.Main.ThumbWidth, 360);
    EXPECT_GE(applied, 1);
}

// The first window at start is the tab's panel on its own: as large as its rows need, so
// they scroll up and down only and colour values read whole, and growing with its window.
TEST_F(TemplateTabTest, OnItsOwnThePanelFitsItsRowsAndGrowsWithTheDialog) {
    auto* dialog = w->main.findChild<TemplateSelectionDialog*>();
    ASSERT_NE(dialog, nullptr);
    w->ws.Selection.ItemIndex = IndexOfLine(w->ws.Selection.Entries, "Modern");
    TemplateContext context = w->ws.Templates();
    SelectTemplate(context, TTemplateSender::MainWindow, {}, w->ask);
    int colourRows = 0;
    test::AnswerNextModal([&](QWidget* modal) {
        ASSERT_EQ(modal, dialog);
        QWidget* panel = dialog->Panel();
        EXPECT_EQ(panel->window(), dialog);
        const QWidget* viewport = Find<QScrollArea>(panel, "ScrollBox1")->viewport();
        for (TOnePara* row : Rows(panel)) {
            auto* deleteButton = Find<QPushButton>(row, "DeleteButton");
            EXPECT_LE(deleteButton->mapTo(viewport, QPoint(deleteButton->width(), 0)).x(),
                      viewport->width());
            if (!row->findChild<QWidget*>("ColourList")) continue;
            ++colourRows;
            auto* value = Find<QLineEdit>(row, "ValueEdit");
            // The line edit's own margin of 2 pixels and the frame on each side.
            const int room =
                value->width() - 2 * 2 -
                2 * value->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, value);
            EXPECT_GE(room, value->fontMetrics().horizontalAdvance(value->text()))
                << value->text().toStdString();
        }
        const QSize before = panel->size();
        dialog->resize(dialog->size() + QSize(300, 200));
        QApplication::processEvents();
        EXPECT_GE(panel->width(), before.width() + 300);
        EXPECT_GE(panel->height(), before.height() + 200);
        Find<QPushButton>(panel, "CancelButton")->click();
    });
    dialog->ExecOnItsOwn();
    EXPECT_GE(colourRows, 2);
    EXPECT_FALSE(dialog->isVisible());
    // Back on its tab.
    EXPECT_NE(dialog->Panel()->window(), dialog);
}

TEST_F(TemplateTabTest, ColourRowsTakeTheListsChoiceAndPaintTheirValue) {
    QWidget* panel = form->Panel();
    Choose(panel, "Classic");
    // Classic asks for a title, then three colours.
    TOnePara* background = Rows(panel).at(1);
    auto* colours = Find<QComboBox>(background, "ColourList");
    auto* value = Find<QLineEdit>(background, "ValueEdit");
    struct ColourCase {
        const char* Entry;
        const char* Value;
        QColor Ground, Text;
    };
    // The text takes the opposite of each channel: 255 where the ground is dark, else 0.
    const ColourCase cases[] = {
        {"navy = #000080 ", "navy", QColor(0, 0, 0x80), QColor(255, 255, 255)},
        {"mediumpurple  #9370DB ", "#9370DB", QColor(0x93, 0x70, 0xDB), QColor(0, 255, 0)},
    };
    for (const ColourCase& colour : cases) {
        SCOPED_TRACE(colour.Entry);
        const int index = colours->findText(colour.Entry);
        ASSERT_GE(index, 0);
        colours->activated(index);
        EXPECT_EQ(value->text(), colour.Value);
        EXPECT_EQ(w->ws.Selection.DialogTemplate.Parameters[1].Value, colour.Value);
        EXPECT_EQ(value->palette().color(QPalette::Base), colour.Ground);
        EXPECT_EQ(value->palette().color(QPalette::Text), colour.Text);
    }
    // A typed value is stored and painted as it is typed.
    value->selectAll();
    value->insert("#C0C0C0");
    EXPECT_EQ(w->ws.Selection.DialogTemplate.Parameters[1].Value, "#C0C0C0");
    EXPECT_EQ(value->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(value->palette().color(QPalette::Text), QColor(Qt::black));
    // A text parameter has no colour list.
    EXPECT_EQ(Rows(panel).at(0)->findChild<QComboBox*>("ColourList"), nullptr);
}

TEST_F(TemplateTabTest, ParametersAreAddedThroughTheirDialogAndDeleted) {
    QWidget* panel = form->Panel();
    Choose(panel, "Modern");
    test::AnswerNextModal([](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), "Add Template Parameter");
        auto* ok = Find<QPushButton>(modal, "OKButton");
        EXPECT_FALSE(ok->isEnabled());
        Find<QLineEdit>(modal, "NameEdit")->setText("Border");
        Find<QRadioButton>(modal, "StringRadioButton")->click();
        ok->click();
    });
    Find<QPushButton>(panel, "AddButton")->click();
    const std::vector<TParameter>& parameters = w->ws.Selection.DialogTemplate.Parameters;
    ASSERT_EQ(parameters.size(), 11u);
    EXPECT_EQ(parameters.back().Name, "Border");
    EXPECT_EQ(parameters.back().Kind, ParameterText);
    ASSERT_EQ(Rows(panel).size(), 11u);

    Find<QPushButton>(Rows(panel).at(0), "DeleteButton")->click();
    QApplication::processEvents();
    ASSERT_EQ(parameters.size(), 10u);
    EXPECT_EQ(parameters.front().Name, "Subtitle");
    EXPECT_EQ(Rows(panel).size(), 10u);
}

TEST_F(TemplateTabTest, OnTheTabAChoiceIsConfirmedAndAppliedAtOnce) {
    w->main.show();
    w->main.Tabs()->setCurrentIndex(TemplateTab);
    QWidget* tab = w->main.Tabs()->currentWidget();
    auto* list = Find<QComboBox>(tab, "TemplateComboBox");
    // "No" keeps the previous choice and changes nothing.
    test::ClickInNextModal("NoButton");
    Choose(tab, "Classic");
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(w->ws.Main.TemplateName, NoTemplateName);

    test::ClickInNextModal("YesButton");
    Choose(tab, "Modern");
    EXPECT_EQ(w->ws.Main.TemplateName, "Modern");
    EXPECT_EQ(w->ws.Main.ThumbWidth, 360);
    // The "General" tab shows what the template set.
    EXPECT_EQ(Find<QLineEdit>(&w->main, "TemplateNameEdit")->text(), "Modern");

    // A switch to "no Template" takes effect when the user leaves the tab.
    Find<QRadioButton>(tab, "NoTemplateRadioButton")->click();
    EXPECT_EQ(w->ws.Main.TemplateName, "Modern");
    w->main.Tabs()->setCurrentIndex(GeneralTab);
    EXPECT_EQ(w->ws.Main.TemplateName, NoTemplateName);
    EXPECT_EQ(Find<QLineEdit>(&w->main, "TemplateNameEdit")->text(), NoTemplateName);
}

TEST_F(TemplateTabTest, OpenTemplateAppliesAFileFromAnywhere) {
    const std::string copy = w->root / "mine.tpl";
    CopyFileBytes(JoinPath(TemplateLibraryFolder(), "Modern.tpl"), copy);
    w->main.show();
    test::AnswerNextModal([&copy](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(copy));
        static_cast<QDialog*>(dialog)->accept();
    });
    Find<QAction>(&w->main, "OpenTemplate1")->trigger();
    EXPECT_EQ(w->main.Tabs()->currentIndex(), TemplateTab);
    EXPECT_EQ(w->ws.Selection.Entries.front(), "USER:" + copy);
    EXPECT_EQ(w->ws.Main.TemplateName, "USER:" + copy);
    EXPECT_EQ(w->ws.Main.ThumbWidth, 360);
    // A template from elsewhere has no preview in the library.
    EXPECT_FALSE(Find<QLabel>(w->main.Tabs()->currentWidget(), "TemplatePreview")->isVisible());
}

}  // namespace
}  // namespace fsc
