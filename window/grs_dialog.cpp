// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/grs_dialog.h"

#include "results/settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veltrax {
namespace {

// Full-width digits, signs and points (typed through a Japanese input
// method) read as their ASCII forms; blanks around are dropped.
std::string Typed(const QLineEdit* e)
{
    return e->text().normalized(QString::NormalizationForm_KC).trimmed().toStdString();
}

QLabel* Message(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setStyleSheet(QStringLiteral("color: #b00000"));
    l->setWordWrap(true);
    l->setMinimumWidth(260);
    return l;
}

}  // namespace

GrsDialog::GrsDialog(const GrsModel& current, const QString& note, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("大赤斑の経度"));
    setObjectName(QStringLiteral("GrsDialog"));
    auto* grid = new QGridLayout(this);

    noteLabel = new QLabel(note, this);
    noteLabel->setWordWrap(true);
    noteLabel->setVisible(!note.isEmpty());
    grid->addWidget(noteLabel, 0, 0, 1, 3);

    longitude = new QLineEdit(this);
    epoch = new QLineEdit(this);
    drift = new QLineEdit(this);
    longitude->setObjectName(QStringLiteral("longitude"));
    epoch->setObjectName(QStringLiteral("epoch"));
    drift->setObjectName(QStringLiteral("drift"));
    epoch->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    longitudeMessage = Message(this);
    epochMessage = Message(this);
    driftMessage = Message(this);

    const struct {
        const char* caption;
        QLineEdit* field;
        QLabel* message;
    } rows[] = {
        {QT_TR_NOOP("経度（体系Ⅱ、度）(&L)"), longitude, longitudeMessage},
        {QT_TR_NOOP("観測日（世界時0時）(&D)"), epoch, epochMessage},
        {QT_TR_NOOP("ドリフト（度／月）(&R)"), drift, driftMessage},
    };
    int row = 1;
    for (const auto& r : rows) {
        auto* caption = new QLabel(tr(r.caption), this);
        caption->setBuddy(r.field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(r.field, row, 1);
        grid->addWidget(r.message, row, 2);
        connect(r.field, &QLineEdit::textChanged, this, [this] { Validate(); });
        ++row;
    }

    useTable = new QCheckBox(tr("内蔵の表を使う"), this);
    useTable->setObjectName(QStringLiteral("useTable"));
    grid->addWidget(useTable, row++, 0, 1, 3);
    connect(useTable, &QCheckBox::toggled, this, [this] { Validate(); });

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    grid->addWidget(buttons, row, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    if (current.observation) {
        const GrsSettingsTexts t = GrsSettingsValues(*current.observation);
        longitude->setText(QString::fromStdString(t.longitude));
        epoch->setText(QString::fromStdString(t.epoch));
        drift->setText(QString::fromStdString(t.drift.substr(0, t.drift.find('/'))));
    }
    useTable->setChecked(current.UsesTable());
    Validate();
    // The first thing to change: the check box while the table is in force.
    if (useTable->isChecked())
        useTable->setFocus();
    else
        longitude->setFocus();
}

void GrsDialog::Validate()
{
    const bool table = useTable->isChecked();
    for (QLineEdit* e : {longitude, epoch, drift})
        e->setEnabled(!table);
    observation_.reset();

    // The same checks as the settings file's [GreatRedSpot] keys.
    const SettingRow& lonRow = Setting(kGrsGroup, "longitude");
    QString lonWhy, dateWhy, driftWhy;
    const std::string lonText = Typed(longitude), dateText = Typed(epoch), driftText = Typed(drift);
    const std::optional<double> lon = ParseGrsDecimal(lonText);
    if (lonText.empty())
        lonWhy = tr("経度を入れてください（例: 100、57.5）。");
    else if (!lon)
        lonWhy = tr("経度は数で入れてください（例: 100、57.5）。");
    else if (!InSettingRange(lonRow, *lon))
        lonWhy = tr("経度は %1 以上 %2 以下にしてください。").arg(lonRow.low).arg(lonRow.high);

    const std::optional<SettingValue> date = ParseSetting(Setting(kGrsGroup, "epoch"), dateText);
    if (dateText.empty())
        dateWhy = tr("経度を測った日を入れてください（例: 2026-12-01）。");
    else if (!date)
        dateWhy = tr("日付は YYYY-MM-DD の形で、暦にある日にしてください（例: 2026-12-01）。");

    // The field holds degrees a month; the file's drift says its unit.
    std::optional<double> perDay = 0.0;
    if (!driftText.empty()) {
        const std::optional<double> perMonth = ParseGrsDecimal(driftText);
        const SettingRow& driftRow = Setting(kGrsGroup, "drift");
        const std::optional<SettingValue> d = ParseSetting(driftRow, driftText + "/month");
        perDay = d ? std::optional<double>(std::get<double>(*d)) : std::nullopt;
        if (!perMonth)
            driftWhy = tr("1か月に動く度数を数で入れてください（例: 1.5、-0.8）。空欄は 0 です。");
        else if (!perDay)
            driftWhy = tr("ドリフトが大きすぎます（1日あたり%1度まで）。").arg(driftRow.high);
    }

    const bool sound = lonWhy.isEmpty() && dateWhy.isEmpty() && driftWhy.isEmpty();
    if (table) {
        lonWhy.clear();
        dateWhy.clear();
        driftWhy.clear();
    } else if (sound) {
        observation_ = MakeGrsObservation(*lon, std::get<GrsEpochDate>(*date), *perDay);
    }
    longitudeMessage->setText(lonWhy);
    epochMessage->setText(dateWhy);
    driftMessage->setText(driftWhy);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(table || sound);
}

GrsModel GrsDialog::Model() const
{
    GrsModel m;
    if (!useTable->isChecked())
        m.observation = observation_;
    return m;
}

}  // namespace veltrax
