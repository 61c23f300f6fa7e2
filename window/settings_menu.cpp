// SPDX-License-Identifier: GPL-3.0-or-later
// The window's settings: the background menu, the spot's dialog and the tool
// tip that says which spot is in force.
#include "window/main_window.h"

#include "window/disk_readout.h"
#include "window/events_dialog.h"
#include "window/grs_dialog.h"
#include "window/view_options.h"
#include "window/window_shortcuts.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <cstdio>
#include <utility>

namespace veltrax {

QAction* MainWindow::AddBackgroundAction(const QString& text, const QKeySequence& shortcut,
                                         void (MainWindow::*handler)())
{
    QAction* a = backgroundMenu->addAction(text);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);  // the shortcut works with the menu closed
    connect(a, &QAction::triggered, this, [this, handler] { Guard([this, handler] { (this->*handler)(); }); });
    return a;
}

void MainWindow::CreateBackgroundMenu()
{
    backgroundMenu = new QMenu(this);
    backgroundMenu->setObjectName(QStringLiteral("backgroundMenu"));
    AddBackgroundAction(QStringLiteral("大赤斑の経度…"), QKeySequence(Qt::CTRL | Qt::Key_G), &MainWindow::GrsSettings_Click);
    shadowsAction = AddBackgroundAction(QStringLiteral("衛星の影"), QKeySequence(Qt::CTRL | Qt::Key_H), &MainWindow::Shadows_Click);
    shadowsAction->setCheckable(true);
    // The precise places and the mirror: saved with the shadows, then drawn;
    // the compass follows a mirror as it follows the orientation.
    viewOptions = new ViewOptions(backgroundMenu, this);
    diskReadout = new DiskReadout(Picture1);
    connect(viewOptions, &ViewOptions::Toggled, this, [this] {
        Guard([this] {
            const ViewChoices v = viewOptions->Choices();
            settings.view.precise = v.precise;
            settings.view.mirror = v.mirror;
            settings.view.grid = v.grid;
            QString why;
            if (SaveSettingsGroup(settings.filePath, kViewGroup, settings, why))
                settings.ClearUnusable(kViewGroup);
            else
                std::fprintf(stderr, "veltrax: %s\n", why.toLocal8Bit().constData());
            if (loaded_)
                Option1_Click(0);
        });
    });
    AddBackgroundAction(QStringLiteral("衛星現象…"), QKeySequence(Qt::CTRL | Qt::Key_E), &MainWindow::Events_Click);
    new WindowShortcuts(this);  // and from inside the fields too

    // A right click on the window's background opens the menu; the two
    // pictures keep their right button to themselves.
    setContextMenuPolicy(Qt::CustomContextMenu);
    Picture1->setContextMenuPolicy(Qt::PreventContextMenu);
    Picture2->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { Guard([&] { backgroundMenu->popup(mapToGlobal(at)); }); });
}

void MainWindow::UpdateGrsToolTip()
{
    QString tip;
    if (const auto& o = settings.grs.observation) {
        const GrsSettingsTexts t = GrsSettingsValues(*o);
        const double perMonth = o->driftDegPerDay * kDaysPerDriftMonth;
        tip = QStringLiteral("大赤斑の予想経度は観測者の経度によります: ") + QString::fromStdString(t.longitude) +
              QStringLiteral("°（") + QString::fromStdString(t.epoch) + QStringLiteral(" 世界時0時）、ドリフト ") +
              (perMonth == 0 ? QStringLiteral("なし") : QString::fromStdString(ShortDecimal(perMonth, 6)) + QStringLiteral("°／月")) +
              QStringLiteral("。");
        if (settings.grsForThisRun)
            tip += QChar(13) + QStringLiteral("（コマンドラインの --grs による、この実行だけの設定です）");
    } else {
        tip = QStringLiteral("大赤斑の予想経度は内蔵の表によります。表は2021年で終わり、その後は外挿のため実際の位置とずれます。");
        if (settings.grsForThisRun)
            tip += QChar(13) + QStringLiteral("（コマンドラインの --grs table による、この実行だけの設定です）");
    }
    tip += QChar(13) + QStringLiteral("Ctrl+G で観測した経度を設定できます。");
    SetToolTipCaption(Taikei, tip);
}

void MainWindow::SetSettings(WindowSettings s)
{
    settings = std::move(s);
    UpdateGrsToolTip();
    shadowsAction->setChecked(settings.view.shadows);
    viewOptions->SetChoices(ViewChoices{settings.view.precise, settings.view.mirror, settings.view.grid});
    // The compass as the mirror leaves it.
    const ViewOrientation view = OrientationFor(Option1[1]->isChecked(), settings.view.mirror);
    for (auto [label, text] : {std::pair{Label4, view.top}, std::pair{Label5, view.left}, std::pair{Label6, view.right}})
        label->SetCaption(QString::fromUtf8(text));
    if (loaded_)
        Recalc();
}

void MainWindow::GrsSettings_Click()
{
    global.AnimRunning = kFalse;
    QString note;
    if (!settings.fileProblem.isEmpty() || !settings.UnusableIn(kGrsGroup).empty()) {
        note = QStringLiteral("設定ファイル ") + settings.filePath +
               QStringLiteral(" の値が使えないため、内蔵の表を使っています。OK で保存すると書き直されます。");
        for (const SettingsProblem& p : settings.UnusableIn(kGrsGroup))
            note += QLatin1Char('\n') + QString::fromStdString(p.key) + QStringLiteral(" = \"") +
                    QString::fromStdString(p.value) + QStringLiteral("\"");
        if (!settings.fileProblem.isEmpty())
            note += QStringLiteral("\nファイルを読めません。");
    }
    GrsDialog dialog(settings.grs, note, this);
    if (dialog.exec() != QDialog::Accepted || closed_)
        return;
    const GrsModel model = dialog.Model();
    QString why;
    Settings chosen = settings;
    chosen.grs = model;
    if (SaveSettingsGroup(settings.filePath, kGrsGroup, chosen, why)) {
        settings.ClearUnusable(kGrsGroup);
        settings.fileProblem.clear();
    } else {
        std::fprintf(stderr, "veltrax: %s\n", why.toLocal8Bit().constData());
        QMessageBox::warning(this, QStringLiteral("大赤斑の経度"),
                             QStringLiteral("設定ファイルに保存できませんでした（この実行では使います）。\n") + why);
    }
    settings.grs = model;
    settings.grsForThisRun = false;
    UpdateGrsToolTip();
    Recalc();
}

void MainWindow::Shadows_Click()
{
    // The action has toggled its check mark already; the setting follows it.
    settings.view.shadows = shadowsAction->isChecked();
    QString why;
    if (SaveSettingsGroup(settings.filePath, kViewGroup, settings, why))
        settings.ClearUnusable(kViewGroup);
    else
        std::fprintf(stderr, "veltrax: %s\n", why.toLocal8Bit().constData());
    if (loaded_)
        DrawView(global.CurrentJDE);
}

void MainWindow::Events_Click()
{
    if (!eventsDialog) {
        QString note;
        if (!settings.UnusableIn(kSiteGroup).empty()) {
            note = QStringLiteral("設定ファイル ") + settings.filePath +
                   QStringLiteral(" の観測地の値が使えないため、観測地なしで表示しています。保存すると書き直されます。");
            for (const SettingsProblem& p : settings.UnusableIn(kSiteGroup))
                note += QLatin1Char('\n') + QString::fromStdString(p.key) + QStringLiteral(" = \"") +
                        QString::fromStdString(p.value) + QStringLiteral("\"");
        }
        if (!settings.UnusableIn(kViewGroup).empty()) {
            if (!note.isEmpty())
                note += QLatin1Char('\n');
            note += QStringLiteral("設定ファイル ") + settings.filePath +
                    QStringLiteral(" の表示の値が使えないため、その項目を切にしています。メニューで切り替えると書き直されます。");
            for (const SettingsProblem& p : settings.UnusableIn(kViewGroup))
                note += QLatin1Char('\n') + QString::fromStdString(p.key) + QStringLiteral(" = \"") +
                        QString::fromStdString(p.value) + QStringLiteral("\"");
        }
        eventsDialog = new EventsDialog(settings.site, note, this);
        eventsDialog->setWindowFlag(Qt::Window);
        // The dialog calls these from Qt's signals: each runs guarded.
        eventsDialog->onMoment = [this](const JstMoment& m) { Guard([&] { TypeMoment(m); }); };
        eventsDialog->onSite = [this](const std::optional<Site>& site) { settings.site = site; };
        eventsDialog->UsePlan(settings.plan);
        eventsDialog->grsSource = [this] { return std::optional<GrsSource>(settings.grs.Source(GrsTable_)); };
        eventsDialog->onPlan = [this](const PlanSettings& plan) {
            Guard([&] {
                settings.plan = plan;
                QString why;
                if (!SaveSettingsGroup(settings.filePath, kPlanGroup, settings, why))
                    std::fprintf(stderr, "veltrax: %s\n", why.toLocal8Bit().constData());
            });
        };
        eventsDialog->onSaveSite = [this](const std::optional<Site>& site, QString& why) {
            bool saved = false;
            Guard([&] {
                Settings chosen = settings;
                chosen.site = site;
                saved = SaveSettingsGroup(settings.filePath, kSiteGroup, chosen, why);
                if (saved)
                    settings.ClearUnusable(kSiteGroup);
                else
                    std::fprintf(stderr, "veltrax: %s\n", why.toLocal8Bit().constData());
            });
            return saved;
        };
    }
    eventsDialog->show();
    eventsDialog->raise();
    eventsDialog->activateWindow();
    eventsDialog->Follow(global.CurrentJDE, true);
}

void MainWindow::TypeMoment(const JstMoment& m)
{
    global.AnimRunning = kFalse;
    if (RTime->isChecked())
        RTime->click();
    // The day first to 1, which every month has, so no field carries on the way.
    const auto type = [](QLineEdit* field, int v) { field->setText(QString::number(v)); };
    type(Hi, 1);
    type(Nen, m.year);
    type(tuki, m.month);
    type(Hi, m.day);
    type(Jikoku, m.hour);
    type(Hun, m.minute);
    type(Byo, m.second);
}

}  // namespace veltrax
