// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the date and time fields as numbers.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <optional>
#include <string>

namespace veltrax::input {

inline std::string Text(const QLineEdit* e)
{
    return e->text().toStdString();
}

// Writes the field as the decimal text of its number plus delta (2026 + 1
// gives "2027"), which runs the field's change handler at once. false, and
// nothing written, when the field is empty or not a number.
bool WriteCarry(QLineEdit* field, double delta);

}  // namespace veltrax::input
