#include "ui/print/print_command.h"

#include "actions/open_month.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "output/print_pages.h"
#include "storage/safe_write.h"
#include "storage/settings.h"
#include "ui/print/print_painter.h"
#include "ui/seam/qtinteraction.h"
#include "ui/settings/qtsettingsstore.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <memory>
#include <span>

namespace tl::ui {

namespace {

// What the month's opening says goes to stderr; every question is answered
// No, so nothing is changed on the way.
class StderrInteraction : public SilentInteraction {
public:
    void Message(std::string_view caption, std::string_view text, Icon) override
    {
        Say(FromCoreText(caption) + QStringLiteral(": ") + FromCoreText(text));
    }
    void MessageAboutFile(std::string_view caption, std::string_view text,
                          const std::filesystem::path& file, Icon) override
    {
        const FileNameSlot slot = SplitAtFileName(text);
        Say(FromCoreText(caption) + QStringLiteral(": ") + FromCoreText(slot.Before) +
            FromFileName(file) + FromCoreText(slot.After));
    }
    void ShowList(std::string_view caption, const std::vector<std::string>& lines) override
    {
        for (const std::string& line : lines)
            Message(caption, line, Icon::None);
    }

private:
    static void Say(const QString& text)
    {
        std::fprintf(stderr, "tlines: %s\n", text.toLocal8Bit().constData());
    }
};

int Fail(const QString& text, int code = 1)
{
    std::fprintf(stderr, "tlines: %s\n", text.toLocal8Bit().constData());
    return code;
}

constexpr const char* kUsage =
    "usage: tlines --print blocks|pairings FILE --pdf OUT.pdf [--final] [--from N --to N]";

} // namespace

bool IsPrintCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--print") == 0)
            return true;
    return false;
}

int RunPrintCommand(const QStringList& arguments)
{
    QString what, file, pdf;
    bool final = false;
    int from = 1;
    int to = ScheduleDocument::kCrewCapacity;
    bool haveRange = false;
    auto number = [](const QString& text, int& value) {
        bool ok = false;
        value = text.toInt(&ok);
        return ok && value >= 1;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (a == QStringLiteral("--print") && i + 2 < arguments.size()) {
            what = arguments.at(++i);
            file = arguments.at(++i);
        } else if (a == QStringLiteral("--pdf") && hasValue) {
            pdf = arguments.at(++i);
        } else if (a == QStringLiteral("--final")) {
            final = true;
        } else if (a == QStringLiteral("--from") && hasValue) {
            if (!number(arguments.at(++i), from))
                return Fail(QStringLiteral("--from takes a block number from 1"), 2);
            haveRange = true;
        } else if (a == QStringLiteral("--to") && hasValue) {
            if (!number(arguments.at(++i), to))
                return Fail(QStringLiteral("--to takes a block number from 1"), 2);
            haveRange = true;
        } else {
            return Fail(QStringLiteral("unknown or incomplete argument \"%1\"\n%2")
                            .arg(a, QString::fromLatin1(kUsage)),
                        2);
        }
    }
    const bool blocks = what == QStringLiteral("blocks");
    if ((!blocks && what != QStringLiteral("pairings")) || file.isEmpty() || pdf.isEmpty())
        return Fail(QString::fromLatin1(kUsage), 2);
    if (!blocks && (final || haveRange))
        return Fail(QStringLiteral("--final, --from and --to are for the blocks printout"), 2);
    if (from > to)
        return Fail(QStringLiteral("--from %1 is after --to %2").arg(from).arg(to), 2);

    StderrInteraction ui;
    auto doc = std::make_unique<ScheduleDocument>();
    const QString absolute = QFileInfo(file).absoluteFilePath();
    const OpenedMonth month = OpenMonthFile(*doc, ToFileName(absolute), ui, false);
    if (!month.Whole())
        return Fail(
            QStringLiteral("%1 is not printed: %2").arg(file, FromCoreText(NotWholeReason(month))));

    QByteArray bytes;
    const QString title = QFileInfo(file).fileName();
    if (blocks) {
        BlocksPrintOptions options;
        options.Draft = !final;
        options.PrintXes = PrintXesForPrinting(QtSettingsStore());
        bytes =
            PdfDocument(BlocksPrintout(*doc, PrintSelection(*doc, from, to), options, ui), title);
    } else {
        bytes = PdfDocument(VisualPairingsPrintout(*doc), title);
    }
    if (bytes.isEmpty())
        return Fail(QStringLiteral("the PDF of %1 could not be made").arg(file));
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    if (WriteFileSafely(ToFileName(pdf), std::span(data, static_cast<size_t>(bytes.size()))) !=
        WriteResult::Written)
        return Fail(QStringLiteral("%1 could not be written").arg(pdf));
    return 0;
}

} // namespace tl::ui
