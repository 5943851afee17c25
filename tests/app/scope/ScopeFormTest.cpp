// The scope window on the offscreen platform: axis entries and their boxes,
// the update tick and restart, zoom, pan and read-out with the mouse, colour
// slots, the "All" boxes, the preferences section and the two file exports.
#include "ColourSwatch.h"
#include "PictureLabel.h"
#include "Pictures.h"
#include "Preferences.h"
#include "ScopeChart.h"
#include "ScopeForm.h"
#include "ScopeTexts.h"
#include "ScopeTrace.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace scope;

namespace {

struct Host : IScopeHost, IScopeMessages {
    bool streaming = true;
    bool delta = false;
    std::array<bool, 6> enabled{true, true, true, true, true, true};
    QStringList errors;
    bool isStreaming() const override { return streaming; }
    bool deltaOnly() const override { return delta; }
    bool channelEnabled(int n) const override { return enabled[static_cast<std::size_t>(n)]; }
    void addScopeError(const QString& text) override { errors << text; }
};

struct FormRig {
    QTemporaryDir dir;
    Host host;
    Pictures pictures = Pictures::draw();
    TPreferences prefs{(dir.path() + "/KelvanMFS380A.ini").toStdString()};
    std::unique_ptr<TScopeForm> form = make();
    QStringList boxes; // error boxes shown

    std::unique_ptr<TScopeForm> make()
    {
        auto f = std::make_unique<TScopeForm>(host, host, prefs, pictures);
        f->showError = [this](const QString& text) { boxes << text; };
        f->ScopeGraph->setZoomAnimationMs(0);
        return f;
    }
    QString prefsText() const
    {
        QFile f(QString::fromStdString(prefs.path().string()));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    void writePrefs(const QString& text)
    {
        QFile f(QString::fromStdString(prefs.path().string()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    // n samples with counts 0 and 1 and the Hall value.
    void feed(int n, double base = 1000)
    {
        for (int i = 0; i < n; ++i) {
            TScopeSample s;
            s.Count = true;
            for (int t : {0, 1, scopetrace::Hall}) {
                s.Present.set(static_cast<std::size_t>(t));
                s.Points[static_cast<std::size_t>(t)] = base + t * 100 + (i % 10);
            }
            form->addSample(s);
        }
    }
    TScopeChart* chart() const { return form->ScopeGraph; }
};

QPoint pixelOf(TScopeChart* c, double x, double y)
{
    return QPoint(int(c->xAxis->coordToPixel(x)), int(c->yAxis->coordToPixel(y)));
}

// A click on a box's caption (a box stretched over its cell only reacts there).
void clickBox(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

void drag(QWidget* w, Qt::MouseButton button, QPoint from, QPoint to)
{
    QTest::mousePress(w, button, Qt::NoModifier, from);
    QTest::mouseMove(w, (from + to) / 2);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, button, Qt::NoModifier, to);
}

} // namespace

TEST(ScopeForm, AxisEntriesRefuseBadValuesWithTheirMessageAndResetTheEdit)
{
    FormRig r;
    TScopeForm& f = *r.form;
    f.MaxEdit->setText("0"); // equal to the minimum
    QTest::mouseClick(f.SetMaxButton, Qt::LeftButton);
    EXPECT_EQ(r.boxes, QStringList{msg::kMaxNotAboveMin});
    EXPECT_EQ(f.MaxEdit->text(), "1500");

    f.MinEdit->setText("12.5");
    QTest::keyClick(f.MinEdit, Qt::Key_Return); // Enter does what the button does
    EXPECT_EQ(r.boxes.last(), msg::kNotWhole);
    EXPECT_EQ(f.MinEdit->text(), "0");

    f.MinEdit->setText("-50");
    QTest::keyClick(f.MinEdit, Qt::Key_Return);
    f.MaxEdit->setText("700");
    QTest::mouseClick(f.SetMaxButton, Qt::LeftButton);
    EXPECT_EQ(r.boxes.size(), 2);
    EXPECT_EQ(r.chart()->yRange(), (TAxisRange{-50, 700}));

    f.XRangeSpin->setValue(1000);
    QTest::keyClick(f.XRangeSpin, Qt::Key_Return);
    EXPECT_EQ(f.model().XRange(), 1000);
    EXPECT_EQ(r.chart()->xRange(), (TAxisRange{0, 1000}));
    EXPECT_EQ(r.chart()->yRange(), (TAxisRange{0, 1500})); // the view was reset
    f.YIncSpin->setValue(50);
    QTest::mouseClick(f.YIncButton, Qt::LeftButton);
    EXPECT_EQ(r.chart()->yLabelIncrement(), 50);
}

TEST(ScopeForm, TicksHandTheBuffersOverAndRestartEmptiesTheTraces)
{
    FormRig r;
    TScopeForm& f = *r.form;
    f.show();
    r.host.enabled[1] = false; // CH1 selected, its channel off: not drawn
    for (int tick = 0; tick < 70; ++tick) { // ten samples a tick
        r.feed(10);
        EXPECT_TRUE(f.updateTimerActive());
        f.UpdateTimerTimer();
    }
    TScopeTrace* t0 = r.chart()->trace(0);
    EXPECT_EQ(t0->pointCount(), 700);
    EXPECT_TRUE(t0->visible());
    EXPECT_FALSE(r.chart()->trace(1)->visible());
    EXPECT_EQ(r.chart()->trace(scopetrace::Hall)->pointCount(), 700); // fed, not selected
    EXPECT_FALSE(r.chart()->trace(scopetrace::Hall)->visible());
    EXPECT_GT(t0->drawnPoints(), 100); // drawn by the tick's repaint
    // Rescaled (on ticks 1, 22, 43, 64): counts 1000..1009 of trace 0, and
    // trace 1's 1100..1109 too.
    EXPECT_EQ(r.chart()->yRange(), (TAxisRange{900, 1209}));
    EXPECT_EQ(f.MaxEdit->text(), "1209");
    EXPECT_EQ(r.chart()->xRange(), (TAxisRange{100, 700})); // scrolled with the newest sample

    // Streaming stopped: ticks change nothing.
    r.host.streaming = false;
    r.feed(5);
    f.UpdateTimerTimer();
    EXPECT_EQ(t0->pointCount(), 700);
    r.host.streaming = true;

    f.XRangeSpin->setValue(300);
    QTest::mouseClick(f.RestartScopeButton, Qt::LeftButton);
    EXPECT_EQ(t0->pointCount(), 0);
    EXPECT_FALSE(f.updateTimerActive());
    EXPECT_EQ(f.model().XPos, 0);
    EXPECT_EQ(r.chart()->xRange(), (TAxisRange{0, 300}));
    r.feed(3);
    EXPECT_TRUE(f.updateTimerActive());
    f.UpdateTimerTimer();
    EXPECT_EQ(t0->pointCount(), 3);
    EXPECT_EQ(f.model().buffers().x(0, 0), 0);
}

TEST(ScopeForm, DragsZoomUndoAndPanAndTheReadoutFollowsThePointer)
{
    FormRig r;
    TScopeForm& f = *r.form;
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    TScopeChart* c = r.chart();
    c->replot(QCustomPlot::rpImmediateRefresh);

    drag(c, Qt::LeftButton, pixelOf(c, 100, 1200), pixelOf(c, 300, 400));
    TAxisRange x = c->xRange();
    EXPECT_NEAR(x.Min, 100, 3);
    EXPECT_NEAR(x.Max, 300, 3);
    EXPECT_NEAR(c->yRange().Min, 400, 10);
    EXPECT_EQ(f.model().X, c->xRange());

    c->replot(QCustomPlot::rpImmediateRefresh);
    const QPoint mid = pixelOf(c, 200, 800);
    drag(c, Qt::RightButton, mid, mid + QPoint(-100, 0)); // the view moves right
    EXPECT_GT(c->xRange().Min, x.Min + 10);
    EXPECT_NEAR(c->xRange().span(), x.span(), 1e-6);
    EXPECT_EQ(f.model().X, c->xRange());

    c->replot(QCustomPlot::rpImmediateRefresh);
    drag(c, Qt::LeftButton, pixelOf(c, 250, 800), pixelOf(c, 150, 600)); // right to left
    EXPECT_EQ(c->xRange(), (TAxisRange{0, 600}));
    EXPECT_EQ(c->yRange(), (TAxisRange{0, 1500}));

    c->replot(QCustomPlot::rpImmediateRefresh);
    QTest::mouseMove(c, pixelOf(c, 321, 654));
    EXPECT_TRUE(f.CoordinatesLabel->text().startsWith("X: 32")) << f.CoordinatesLabel->text().toStdString();
    EXPECT_TRUE(f.CoordinatesLabel->text().contains("   Y: 65"));
}

TEST(ScopeForm, SharedColourSlotsRecolourBothTracesAndBothSwatches)
{
    FormRig r;
    TScopeForm& f = *r.form;
    f.chooseColour = [](const QColor&) { return QColor(10, 20, 30); };
    QTest::mouseClick(f.Swatches[scopetrace::Lta0 + 1], Qt::LeftButton);
    EXPECT_EQ(f.model().Colours[1], 10 | (20 << 8) | (30 << 16));
    EXPECT_EQ(f.Swatches[1]->colour(), QColor(10, 20, 30));
    EXPECT_EQ(r.chart()->trace(1)->pen().color(), QColor(10, 20, 30));
    EXPECT_EQ(r.chart()->trace(scopetrace::Lta0 + 1)->pen().color(), QColor(10, 20, 30));
    EXPECT_EQ(r.chart()->trace(1)->pen().width(), 2);
    EXPECT_EQ(r.chart()->trace(scopetrace::Lta0 + 1)->pen().width(), 1);
    EXPECT_EQ(r.chart()->trace(0)->pen().capStyle(), Qt::SquareCap);

    f.chooseColour = [](const QColor&) { return QColor(); }; // cancelled
    QTest::mouseClick(f.Swatches[scopetrace::Hall], Qt::LeftButton);
    EXPECT_EQ(f.model().Colours[8], 4227327);
}

TEST(ScopeForm, GreyedAllBoxesReturnToTheSavedStatesNotTheDefaults)
{
    FormRig r;
    r.writePrefs("[ScopeForm]\nCS0=0\nCS1=-1\nCS2=-1\nCS5=-1\nLT0=-1\nLT2=0\n");
    TScopeForm& f = *r.form;
    f.show(); // first activation applies them
    EXPECT_FALSE(f.Selectors[0]->isChecked());
    EXPECT_TRUE(f.Selectors[2]->isChecked());

    f.Selectors[2]->setChecked(false);
    f.Selectors[3]->setChecked(true);
    f.Selectors[scopetrace::Lta0 + 2]->setChecked(true);
    ASSERT_EQ(f.CSAllCheck->checkState(), Qt::PartiallyChecked);
    clickBox(f.CSAllCheck); // checked
    for (int n = 0; n < 6; ++n)
        EXPECT_TRUE(f.Selectors[static_cast<std::size_t>(n)]->isChecked());
    clickBox(f.CSAllCheck); // unchecked
    EXPECT_FALSE(f.model().ActiveChannels() && f.model().selected(0));
    clickBox(f.CSAllCheck); // greyed: the file's states
    const std::array<bool, 6> saved{false, true, true, false, false, true};
    for (int n = 0; n < 6; ++n)
        EXPECT_EQ(f.Selectors[static_cast<std::size_t>(n)]->isChecked(), saved[static_cast<std::size_t>(n)]) << n;

    clickBox(f.LTAllCheck); // checked: CH0 and CH1 only
    clickBox(f.LTAllCheck); // unchecked
    EXPECT_FALSE(f.Selectors[scopetrace::Lta0]->isChecked());
    EXPECT_TRUE(f.Selectors[scopetrace::Lta0 + 2]->isChecked());
    EXPECT_TRUE(r.host.errors.isEmpty());

    r.writePrefs("[ScopeForm]\nCS0=maybe\n");
    clickBox(f.LTAllCheck); // greyed, unreadable
    EXPECT_EQ(r.host.errors, QStringList{msg::kLoadError});
}

TEST(ScopeForm, PreferencesAreReadAtFirstShowAndWrittenOnlyWhenShown)
{
    FormRig r;
    r.form.reset(); // never shown: writes nothing
    EXPECT_FALSE(r.prefs.exists());

    r.writePrefs("[ScopeForm]\nCH3Color=123\nXRange=900\nYInc=25\nScopeMax=2000\nAutoScale=0\n"
                 "Temp=-1\nState=Max\nLeft=-30000\nTop=-30000\n");
    r.form = r.make();
    TScopeForm& f = *r.form;
    f.show();
    EXPECT_EQ(f.model().Colours[3], 123);
    EXPECT_EQ(f.model().Colours[7], 65793); // MDCol read default
    EXPECT_EQ(f.model().XRange(), 900);
    EXPECT_EQ(r.chart()->xRange(), (TAxisRange{0, 900}));
    EXPECT_EQ(f.model().YInc(), 25);
    EXPECT_EQ(f.MaxEdit->text(), "2000");
    EXPECT_EQ(r.chart()->yRange().Max, 1500); // shown, not applied
    EXPECT_FALSE(f.AutoScaleCheck->isChecked());
    EXPECT_TRUE(f.Selectors[scopetrace::Temperature]->isChecked());
    EXPECT_FALSE(f.isMaximized()); // its saved place is on no screen
    EXPECT_TRUE(r.host.errors.isEmpty());

    f.Selectors[scopetrace::Hall]->setChecked(true);
    f.model().Colours[0] = 255;
    r.form.reset();
    const QString text = r.prefsText();
    for (const char* line : {"CH0Color=255", "CH3Color=123", "MDCol=65793", "XRange=900",
                             "YInc=25", "ScopeMax=2000", "ScopeMin=0", "AutoScale=0", "CS0=-1",
                             "CS2=0", "HALL=-1", "Temp=-1", "State=Nor", "Width=", "Left="})
        EXPECT_TRUE(text.contains(QString::fromLatin1(line))) << line << "\n" << text.toStdString();

    // A bad value: what was read before it stays, the rest keeps its value.
    r.writePrefs("[ScopeForm]\nXRange=300\nQRD=-1\nMD=oops\nHALL=-1\n");
    r.form = r.make();
    r.form->show();
    EXPECT_EQ(r.form->model().XRange(), 300);
    EXPECT_TRUE(r.form->Selectors[scopetrace::QuickRelease]->isChecked());
    EXPECT_FALSE(r.form->Selectors[scopetrace::Hall]->isChecked());
    EXPECT_EQ(r.host.errors, QStringList{msg::kLoadError});
}

TEST(ScopeForm, SavesTheChartAsPngAndTheShownTracesAsCsv)
{
    FormRig r;
    TScopeForm& f = *r.form;
    f.show();
    const QString png = r.dir.path() + "/scope.png";
    const QString csv = r.dir.path() + "/scope.csv";
    EXPECT_FALSE(f.exportCsvTo(csv)); // nothing fed yet
    EXPECT_EQ(r.boxes, QStringList{msg::kNothingToExport});

    r.feed(4);
    f.UpdateTimerTimer();
    ASSERT_TRUE(f.saveImageTo(png));
    const QImage image(png);
    EXPECT_EQ(image.size(), r.chart()->size() * r.chart()->devicePixelRatio());

    ASSERT_TRUE(f.exportCsvTo(csv));
    QFile in(csv);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(in.readAll()), "Sample,CH0 Count,CH1 Count\n"
                                               "0,1000,1100\n1,1001,1101\n"
                                               "2,1002,1102\n3,1003,1103\n");

    f.chooseSaveFile = [](const QString&, const QString&, const QString&) {
        return QStringLiteral("/nonexistent-folder/x.csv");
    };
    QTest::mouseClick(f.ExportCsvButton, Qt::LeftButton);
    EXPECT_EQ(r.boxes.last(), msg::kCsvNotSaved);
}
