#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <string>

class QTableWidget;

namespace tl {
class Interaction;
class ScheduleDocument;
struct AwardReport;
} // namespace tl

namespace tl::ui {

// The award's reasons report: one row per bid item of every crew member,
// with buttons to copy the report and to save it as CSV.
class AwardReportWindow : public QWidget {
    Q_OBJECT

public:
    // `chooseCsv` asks where to save; empty when cancelled.
    AwardReportWindow(const ScheduleDocument& doc, const AwardReport& report, Interaction& ui,
                      std::function<QString()> chooseCsv, QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_table; }
    void CopyToClipboard();
    // False when nothing was saved (cancelled or not written).
    bool SaveCsv();

private:
    Interaction& m_ui;
    std::function<QString()> m_chooseCsv;
    std::string m_text;
    std::string m_csv;
    QTableWidget* m_table = nullptr;
};

} // namespace tl::ui
