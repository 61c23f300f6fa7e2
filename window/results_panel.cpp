// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/results_panel.h"

#include "platform/controls.h"
#include "results/settings.h"

namespace veltrax {

ResultsPanel::ResultsPanel(const ResultsControls& controls) : c_(controls) {}

void ResultsPanel::StartUp()
{
    c_.title->SetCaption(QStringLiteral("木星の中央経度を計算、４大衛星の位置を表示します") + QChar(13) +
                         QStringLiteral("日時（日本標準時、２４時間制）を入力して下さい"));
}

void ResultsPanel::Show(const Results& r)
{
    c_.result->SetCaption(QString::fromStdString(r.result));
    c_.Taikei->SetCaption(QString::fromStdString(r.Taikei));
}

void ResultsPanel::ShowYearRefused()
{
    c_.result->SetCaption(QStringLiteral("年の最大は８５００年です"));
}

void ResultsPanel::ShowGrsSource(const GrsModel& grs, bool forThisRun)
{
    QString tip;
    if (const auto& o = grs.observation) {
        const GrsSettingsTexts t = GrsSettingsValues(*o);
        const double perMonth = o->driftDegPerDay * kDaysPerDriftMonth;
        tip = QStringLiteral("大赤斑の予想経度は観測者の経度によります: ") + QString::fromStdString(t.longitude) +
              QStringLiteral("°（") + QString::fromStdString(t.epoch) + QStringLiteral(" 世界時0時）、ドリフト ") +
              (perMonth == 0 ? QStringLiteral("なし") : QString::fromStdString(ShortDecimal(perMonth, 6)) + QStringLiteral("°／月")) +
              QStringLiteral("。");
        if (forThisRun)
            tip += QChar(13) + QStringLiteral("（コマンドラインの --grs による、この実行だけの設定です）");
    } else {
        tip = QStringLiteral("大赤斑の予想経度は内蔵の表によります。表は2021年で終わり、その後は外挿のため実際の位置とずれます。");
        if (forThisRun)
            tip += QChar(13) + QStringLiteral("（コマンドラインの --grs table による、この実行だけの設定です）");
    }
    tip += QChar(13) + QStringLiteral("Ctrl+G で観測した経度を設定できます。");
    platform::SetToolTipCaption(c_.Taikei, tip);
}

}  // namespace veltrax
