// Every piece of text of the windows reads under a light and under a dark desktop palette:
// the widget tree is walked and each label's colour measured against what lies under it,
// taken from the palette roles and style sheets that decide both.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <set>

#include "DarkPalette.h"
#include "WorkflowFixture.h"
#include "templates/TemplateLibrary.h"
#include "ui/TSpecialForm.h"
#include "ui/TThumbnailWizardForm.h"
#include "ui/TThumbnailWizardSchemeWizardForm.h"
#include "ui/TemplateSelectionDialog.h"

namespace fsc {
namespace {

using test::Find;
using test::Windows;

// Worked out here from the definition rather than taken from the program, so a fault in the
// program's own measure cannot hide a fault in its colours.
double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A colour a widget's own style sheet declares for `property` ("color", "background-color",
// "background"); invalid when it declares none.
QColor Declared(const QWidget* widget, const QString& property) {
    const QRegularExpression pattern("(?:^|[;{\\s])" + QRegularExpression::escape(property) +
                                     "\\s*:\\s*([^;}]+)");
    const QRegularExpressionMatch match = pattern.match(widget->styleSheet());
    if (!match.hasMatch()) return {};
    const QString value = match.captured(1).trimmed();
    const QRegularExpression rgb("rgb\\(\\s*(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*\\)");
    const QRegularExpressionMatch parts = rgb.match(value);
    if (parts.hasMatch())
        return QColor(parts.captured(1).toInt(), parts.captured(2).toInt(),
                      parts.captured(3).toInt());
    return QColor::fromString(value);
}

QColor Foreground(const QWidget* widget) {
    const QColor declared = Declared(widget, "color");
    if (declared.isValid()) return declared;
    return widget->palette().color(QPalette::Active, widget->foregroundRole());
}

// What is painted under the widget: the nearest widget upwards that fills its background,
// from its style sheet or its palette.
QColor Background(const QWidget* widget) {
    for (const QWidget* under = widget; under; under = under->parentWidget()) {
        for (const char* property : {"background-color", "background"}) {
            const QColor declared = Declared(under, property);
            if (declared.isValid()) return declared;
        }
        const QPalette::ColorRole role = under->backgroundRole();
        if ((under->autoFillBackground() || under->isWindow()) && role != QPalette::NoRole)
            return under->palette().color(QPalette::Active, role);
    }
    return QApplication::palette().color(QPalette::Window);
}

QString TextOf(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
    return {};
}

// Every text a user reads on a window's face that is shown and enabled (a disabled control
// is dimmed on purpose), with too little contrast: "window / name 'text': ratio".
std::vector<std::string> Unreadable(const std::vector<QWidget*>& roots) {
    std::vector<std::string> faults;
    for (QWidget* root : roots) {
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
        for (QWidget* widget : widgets) {
            const bool textWidget =
                qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget) ||
                qobject_cast<QRadioButton*>(widget) || qobject_cast<QGroupBox*>(widget);
            if (!textWidget || TextOf(widget).trimmed().isEmpty()) continue;
            if (!widget->isEnabled() || !widget->isVisibleTo(widget->window())) continue;
            const double ratio = Contrast(Foreground(widget), Background(widget));
            if (ratio < 4.5) {
                faults.push_back(widget->window()->windowTitle().toStdString() + " / " +
                                 widget->objectName().toStdString() + " '" +
                                 TextOf(widget).left(40).toStdString() +
                                 "': " + std::to_string(ratio) + " (" +
                                 Foreground(widget).name().toStdString() + " on " +
                                 Background(widget).name().toStdString() + ")");
            }
        }
    }
    return faults;
}

class DesktopThemeTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        original = QApplication::palette();
        w = std::make_unique<Windows>();
        w->ws.TemplateLibrary = TemplateLibraryFolder();
        w->ws.Selection.Entries = ListTemplates(w->ws.TemplateLibrary);
        w->main.show();
    }
    void TearDown() override {
        w.reset();
        QApplication::setPalette(original);
    }

    std::vector<QWidget*> Roots() {
        return {&w->main,
                &w->settings,
                &w->options,
                &w->compression,
                &w->tableOptions,
                &w->listOptions,
                &w->paraOptions,
                &w->collageOptions,
                &w->slideShowOptions,
                &w->navigationOptions,
                &w->imageHTMLOptions,
                &w->ask};
    }

    QPalette original;
    std::unique_ptr<Windows> w;
};

TEST_F(DesktopThemeTest, EveryLabelReadsUnderALightAndADarkPalette) {
    // A template with colour parameters, so its rows are on the Template tab.
    w->main.Tabs()->setCurrentIndex(TemplateTab);
    auto* list = Find<QComboBox>(&w->main, "TemplateComboBox");
    const int classic = list->findText("Classic");
    ASSERT_GE(classic, 0);
    test::ClickInNextModal("YesButton");  // "You selected a new template."
    list->setCurrentIndex(classic);
    list->activated(classic);
    ASSERT_FALSE(Find<QWidget>(&w->main, "ParameterRows")->findChildren<QLabel*>().isEmpty());

    const struct {
        const char* Name;
        QPalette Colours;
    } themes[] = {{"light", QApplication::style()->standardPalette()},
                  {"dark", test::DarkDesktopPalette()}};
    // Switched back and forth while the windows exist, as a desktop does when its theme
    // changes under a running program.
    for (int round = 0; round < 2; ++round) {
        for (const auto& theme : themes) {
            SCOPED_TRACE(theme.Name);
            QApplication::setPalette(theme.Colours);
            for (int tab = 0; tab < w->main.Tabs()->count(); ++tab) {
                SCOPED_TRACE(w->main.Tabs()->tabText(tab).toStdString());
                w->main.Tabs()->setCurrentIndex(tab);
                QCoreApplication::processEvents();
                const std::vector<std::string> faults = Unreadable(Roots());
                EXPECT_TRUE(faults.empty()) << faults.size() << " unreadable, first "
                                            << (faults.empty() ? "" : faults.front());
            }
        }
    }
}

// The wizard's "HTML-File" label blinks between two colours while the name is missing;
// both must read in either theme.
TEST_F(DesktopThemeTest, TheBlinkingHTMLFileLabelReadsInBothColoursAndThemes) {
    TThumbnailWizardSchemeWizardForm launcher(*w->main.findChild<TSpecialForm*>(), [] {});
    TThumbnailWizardForm wizard(TGalleryWizardParts{w->ws, w->settings, w->main.ImagesPanel(),
                                                    *w->main.findChild<TemplateSelectionDialog*>(),
                                                    launcher, w->ask, w->main.Services(), [] {}});
    w->ws.Main.HTMLFile.clear();
    w->settings.ShowSettings();
    test::AnswerNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TemplateSelectionDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        Find<QPushButton>(dialog->Panel(), "CancelButton")->click();
    });
    wizard.show();
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QLabel* label = nullptr;
    for (auto* candidate : wizard.findChildren<QLabel*>())
        if (candidate->text() == "HTML-File") label = candidate;
    ASSERT_NE(label, nullptr);

    for (const QPalette& colours :
         {test::DarkDesktopPalette(), QApplication::style()->standardPalette()}) {
        QApplication::setPalette(colours);
        std::set<QRgb> seen;
        for (int tick = 0; tick < 2; ++tick) {
            const QColor shown = label->palette().color(QPalette::WindowText);
            seen.insert(shown.rgb());
            EXPECT_GE(Contrast(shown, Background(label)), 4.5) << shown.name().toStdString();
            EXPECT_TRUE(Unreadable({&wizard}).empty()) << Unreadable({&wizard}).front();
            QTRY_VERIFY(label->palette().color(QPalette::WindowText) != shown);
        }
        EXPECT_EQ(seen.size(), 2u) << "it blinks";
    }
    wizard.close();
}

}  // namespace
}  // namespace fsc
