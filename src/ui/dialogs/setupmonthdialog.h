#pragma once

#include <QDialog>

#include <array>
#include <cstddef>

class QSpinBox;

namespace tl {
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// "Setup Month": the month's block credits, days off, reduced-block
// defaults and the check pilots' credit limit (month rules 3 to 11), each a
// spin box with a scroll bar; credits read and typed as h:mm.
class SetupMonthDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr std::size_t kFirstRule = 3;
    static constexpr std::size_t kLastRule = 11;

    explicit SetupMonthDialog(const ScheduleDocument& doc, QWidget* parent = nullptr);

    // The field of month rule `rule` (kFirstRule to kLastRule).
    QSpinBox* Field(std::size_t rule) const;

    // Writes the fields into the month and marks it modified when any
    // changed; true when one did.
    bool Store(ScheduleDocument& doc) const;

private:
    std::array<QSpinBox*, kLastRule - kFirstRule + 1> m_fields{};
};

} // namespace tl::ui
