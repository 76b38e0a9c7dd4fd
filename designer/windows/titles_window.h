// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QLineEdit;

namespace vm {
class Element;
}

namespace vm::design {

// "List of Titles": 24 entry fields that write straight through to the cover's 24 text areas
// (field n to Label n+3). The areas hold the titles; the fields are only a view on them.
class TitlesWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int FieldCount = 24;
    using Areas = std::array<Element *, FieldCount>;

    explicit TitlesWindow(const Areas &areas, QWidget *parent = nullptr);

    // Fields Text1 ... Text24, by number.
    QLineEdit *field(int n) const { return m_fields.at(n - 1); }

    // The field Enter moves to from field n, or 0 for none. "Across" runs the two columns
    // side by side (1, 11, 2, 12, ...), otherwise Enter goes down (1, 2, 3, ...).
    static int enterTarget(int n, bool across);

private:
    void onTextChanged(int n);
    void onTextReturnPressed(int n);

    Areas m_areas;
    std::array<QLineEdit *, FieldCount> m_fields{};
    QCheckBox *Check1 = nullptr;
};

} // namespace vm::design
