// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/results_panel.h"

#include "platform/controls.h"
#include "results/settings.h"

#include <QCoreApplication>

namespace veltrax {

ResultsPanel::ResultsPanel(const ResultsControls& controls) : c_(controls) {}

void ResultsPanel::StartUp()
{
    c_.title->SetCaption(tr("木星の中央経度を計算、４大衛星の位置を表示します") + QChar(13) +
                         tr("日時（日本標準時、２４時間制）を入力して下さい"));
}

ResultWords ResultsPanel::Words()
{
    // The moment's parts are numeric patterns: '0' a digit always shown, '#'
    // one shown when significant, anything else copied.
    static const char* const kWords[12][2] = {
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "0年 ", "the year's pattern in the UT line"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "#月 ", "the month's pattern in the UT line"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "#日　", "the day's pattern in the UT line"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "00時", "the hour's pattern in the UT line"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "00分", "the minute's pattern in the UT line"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "00秒", "the second's pattern in the UT line"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "世界時（ＵＴ） %1", "%1: the moment in UT"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "ﾕﾘｳｽ日(力学時) %2", "%2: the Julian Day in dynamical time"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "中央経度（陰を含む）    輝面中央経度 ", "the meridians' heading"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", "CM Ⅰ= %1　        CMⅠcc= %2", "System I: whole and illuminated disk"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", " CM Ⅱ= %3          CMⅡcc= %4 (GRS予想経度 %5)",
                           "System II: whole and illuminated disk, the spot's predicted longitude"),
        QT_TRANSLATE_NOOP3("veltrax::ResultsPanel", " CM Ⅲ= %6          CMⅢcc= %7", "System III: whole and illuminated disk")};
    std::string w[12];
    for (int i = 0; i < 12; ++i)
        w[i] = tr(kWords[i][0], kWords[i][1]).toStdString();
    return {{w[0], w[1], w[2], w[3], w[4], w[5]}, {w[6], w[7]}, {w[8], w[9], w[10], w[11]}};
}

void ResultsPanel::Show(const Results& r)
{
    c_.result->SetCaption(QString::fromStdString(r.result));
    c_.Taikei->SetCaption(QString::fromStdString(r.Taikei));
}

void ResultsPanel::ShowYearRefused()
{
    c_.result->SetCaption(tr("年の最大は８５００年です"));
}

void ResultsPanel::ShowGrsSource(const GrsModel& grs, bool forThisRun)
{
    QString tip;
    if (const auto& o = grs.observation) {
        const GrsSettingsTexts t = GrsSettingsValues(*o);
        const double perMonth = o->driftDegPerDay * kDaysPerDriftMonth;
        const QString drift =
            perMonth == 0 ? tr("なし") : tr("%1°／月").arg(QString::fromStdString(ShortDecimal(perMonth, 6)));
        tip = tr("大赤斑の予想経度は観測者の経度によります: %1°（%2 世界時0時）、ドリフト %3。")
                  .arg(QString::fromStdString(t.longitude), QString::fromStdString(t.epoch), drift);
        if (forThisRun)
            tip += QChar(13) + tr("（コマンドラインの --grs による、この実行だけの設定です）");
    } else {
        tip = tr("大赤斑の予想経度は内蔵の表によります。表は2021年で終わり、その後は外挿のため実際の位置とずれます。");
        if (forThisRun)
            tip += QChar(13) + tr("（コマンドラインの --grs table による、この実行だけの設定です）");
    }
    tip += QChar(13) + tr("Ctrl+G で観測した経度を設定できます。");
    platform::SetToolTipCaption(c_.Taikei, tip);
}

}  // namespace veltrax
