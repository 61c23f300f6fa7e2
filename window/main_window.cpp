// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window.h"

#include "platform/guard.h"
#include "platform/picture_box.h"
#include "window/background_menu.h"
#include "window/disk_readout.h"
#include "window/events_dialog.h"
#include "window/form.h"
#include "window/grs_dialog.h"
#include "window/results_panel.h"
#include "window/translation.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace veltrax {

using platform::Guard;
using platform::Guarded;

namespace {

void Complain(const QString& why)
{
    std::fprintf(stderr, "veltrax: %s\n", why.toLocal8Bit().constData());
}

// "key = "value"" lines under a note, one for each value that cannot be used.
QString ProblemLines(const std::vector<SettingsProblem>& problems)
{
    QString lines;
    for (const SettingsProblem& p : problems)
        lines += QLatin1Char('\n') + QString::fromStdString(p.key) + QStringLiteral(" = \"") +
                 QString::fromStdString(p.value) + QStringLiteral("\"");
    return lines;
}

}  // namespace

MainWindow::MainWindow()
{
    const WindowForm form = BuildForm(this);
    formTexts_ = form.texts;
    words_ = ResultsPanel::Words();
    input_ = new MomentInput(form.moment, seams.clock, this);
    view_ = new ViewController(form.view, [this] { return FrameHeightPx(); }, this);
    panel_ = std::make_unique<ResultsPanel>(form.results);
    input_->recalculate = [this] { Recalc(); };
    input_->yearRefused = [this] { panel_->ShowYearRefused(); };
    // "終了": closing is never cancelled, and ends the program at once.
    connect(form.exit, &QPushButton::clicked, this, Guarded([this] {
                close();
                QCoreApplication::exit(0);
            }));

    menu_ = new BackgroundMenu(this, {form.view.sky, form.view.labels});
    connect(menu_, &BackgroundMenu::grsRequested, this, Guarded([this] { OpenGrsDialog(); }));
    connect(menu_, &BackgroundMenu::switchesChosen, this,
            [this](const ViewSwitches& s) { Guard([&] { ChooseSwitches(s); }); });
    connect(menu_, &BackgroundMenu::planRequested, this, Guarded([this] { OpenPlan(); }));
    connect(menu_, &BackgroundMenu::languageChosen, this,
            [this](Language l) { Guard([&] { ChooseLanguage(l); }); });
    menu_->ShowLanguage(LanguageInUse());
    readout_ = new DiskReadout(form.view.sky);
    connect(view_, &ViewController::Drawn, readout_, &DiskReadout::Shown);
    // The plan's light curve draws its geometry turned as the picture is.
    connect(view_, &ViewController::Drawn, this, [this] {
        if (plan_ && !closed_)
            plan_->SetOrientation(view_->State().Orientation());
    });
    panel_->ShowGrsSource(settings_.grs, settings_.grsForThisRun);
}

MainWindow::~MainWindow() = default;

void MainWindow::StartUp()
{
    view_->StartSlider();
    panel_->StartUp();
    input_->StartUp();
    grsTable_ = GrsTable::Standard();
    view_->StartLayout();
    started_ = true;
    Recalc();
    input_->StopAnimation();
    view_->FinishStartUp();
}

void MainWindow::Recalc()
{
    const RecalcOutcome o =
        Recalculate(input_->Fields(), input_->MonthDays(), settings_.grs.Source(grsTable_), words_);
    if (!o.ok())
        return;  // the display keeps what it showed
    results_ = *o.results;
    panel_->Show(results_);
    ++recalculations_;
    view_->Show(PictureMoment{results_.CurrentJDE, results_.CM2, results_.GrsLongitude});
    if (plan_ && plan_->isVisible() && !closed_)
        plan_->Follow(results_.CurrentJDE);
}

WindowState MainWindow::State() const
{
    return WindowState{view_->State(),     view_->Geometry(),            view_->Moment(), results_,
                       input_->MonthDays(), input_->AnimationRunning(), recalculations_, view_->DrawCount()};
}

void MainWindow::SetSettings(WindowSettings s)
{
    settings_ = std::move(s);
    panel_->ShowGrsSource(settings_.grs, settings_.grsForThisRun);
    menu_->Show(settings_.view);
    view_->SetSwitches(settings_.view, false);
    if (started_)
        Recalc();
}

void MainWindow::ChooseLanguage(Language language)
{
    ShowLanguage(UseLanguage(language));
    settings_.language = language;
    QString why;
    if (!SaveSettingsGroup(settings_.filePath, kViewGroup, settings_, why))
        Complain(why);
}

void MainWindow::ShowLanguage(Language language)
{
    ShowFormTexts(formTexts_);
    input_->ShowTexts();
    view_->ShowTexts();
    panel_->StartUp();
    panel_->ShowGrsSource(settings_.grs, settings_.grsForThisRun);
    menu_->ShowLanguage(language);
    if (plan_)
        plan_->ShowTexts();
    words_ = ResultsPanel::Words();
    if (started_)
        Recalc();
}

void MainWindow::ChooseSwitches(const ViewSwitches& s)
{
    settings_.view = s;
    QString why;
    if (SaveSettingsGroup(settings_.filePath, kViewGroup, settings_, why))
        settings_.ClearUnusable(kViewGroup);
    else
        Complain(why);
    menu_->Show(s);
    view_->SetSwitches(s, true);
}

void MainWindow::OpenGrsDialog()
{
    input_->StopAnimation();
    QString note;
    if (!settings_.fileProblem.isEmpty() || !settings_.UnusableIn(kGrsGroup).empty()) {
        note = tr("設定ファイル %1 の値が使えないため、内蔵の表を使っています。OK で保存すると書き直されます。")
                   .arg(settings_.filePath) +
               ProblemLines(settings_.UnusableIn(kGrsGroup));
        if (!settings_.fileProblem.isEmpty())
            note += QLatin1Char('\n') + tr("ファイルを読めません。");
    }
    GrsDialog dialog(settings_.grs, note, this);
    if (dialog.exec() != QDialog::Accepted || closed_)
        return;
    const GrsModel model = dialog.Model();
    QString why;
    veltrax::Settings chosen = settings_;
    chosen.grs = model;
    if (SaveSettingsGroup(settings_.filePath, kGrsGroup, chosen, why)) {
        settings_.ClearUnusable(kGrsGroup);
        settings_.fileProblem.clear();
    } else {
        Complain(why);
        QMessageBox::warning(this, tr("大赤斑の経度"),
                             tr("設定ファイルに保存できませんでした（この実行では使います）。") + QLatin1Char('\n') + why);
    }
    settings_.grs = model;
    settings_.grsForThisRun = false;
    panel_->ShowGrsSource(settings_.grs, settings_.grsForThisRun);
    Recalc();
}

void MainWindow::OpenPlan()
{
    if (!plan_) {
        QString note;
        if (!settings_.UnusableIn(kSiteGroup).empty())
            note = tr("設定ファイル %1 の観測地の値が使えないため、観測地なしで表示しています。保存すると書き直されます。")
                       .arg(settings_.filePath) +
                   ProblemLines(settings_.UnusableIn(kSiteGroup));
        if (!settings_.UnusableIn(kViewGroup).empty()) {
            if (!note.isEmpty())
                note += QLatin1Char('\n');
            note += tr("設定ファイル %1 の表示の値が使えないため、その項目を切にしています。メニューで切り替えると書き直されます。")
                        .arg(settings_.filePath) +
                    ProblemLines(settings_.UnusableIn(kViewGroup));
        }
        plan_ = new EventsDialog(settings_.site, note, this);
        plan_->setWindowFlag(Qt::Window);
        // The dialog calls these from Qt's signals: each runs guarded.
        plan_->onMoment = [this](const JstMoment& m) {
            Guard([&] { input_->Type(CivilTime{m.year, m.month, m.day, m.hour, m.minute, m.second}); });
        };
        plan_->onSite = [this](const std::optional<Site>& site) { settings_.site = site; };
        plan_->UsePlan(settings_.plan);
        plan_->grsSource = [this] { return std::optional<GrsSource>(settings_.grs.Source(grsTable_)); };
        plan_->onPlan = [this](const PlanSettings& plan) {
            Guard([&] {
                settings_.plan = plan;
                QString why;
                if (!SaveSettingsGroup(settings_.filePath, kPlanGroup, settings_, why))
                    Complain(why);
            });
        };
        plan_->onSaveSite = [this](const std::optional<Site>& site, QString& why) {
            bool saved = false;
            Guard([&] {
                veltrax::Settings chosen = settings_;
                chosen.site = site;
                saved = SaveSettingsGroup(settings_.filePath, kSiteGroup, chosen, why);
                if (saved)
                    settings_.ClearUnusable(kSiteGroup);
                else
                    Complain(why);
            });
            return saved;
        };
    }
    plan_->SetOrientation(view_->State().Orientation());
    plan_->show();
    plan_->raise();
    plan_->activateWindow();
    plan_->Follow(results_.CurrentJDE, true);
}

int MainWindow::FrameHeightPx() const
{
    if (seams.frameHeightPx)
        return seams.frameHeightPx();
    // The offscreen platform reports a frame of 2 pixels a side that nothing
    // draws: only a real window system's frame counts.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return 0;
    return frameGeometry().height() - geometry().height();
}

void MainWindow::resizeEvent(QResizeEvent*)
{
    if (closed_)
        return;
    Guard([this] { view_->Relayout(); });
}

void MainWindow::moveEvent(QMoveEvent*)
{
    // The window system reports the frame once the window is shown (it moves
    // the window into it): the layout then fits the outer height again.
    if (closed_ || !view_->FrameChanged())
        return;
    Guard([this] { view_->Relayout(); });
}

void MainWindow::closeEvent(QCloseEvent* e)
{
    // Closing is never cancelled. Whatever is still on the call stack (an
    // animation loop, a redraw's event processing) sees Closed() and ends
    // without touching the window.
    closed_ = true;
    input_->Close();
    view_->Close();
    e->accept();
}

}  // namespace veltrax
