#include "model/schedule_document.h"
#include "model/vortime.h"
#include "output/print_pages.h"
#include "storage/block_file.h"
#include "support/scripted_interaction.h"
#include "ui/print/print_command.h"
#include "ui/print/print_painter.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using tl::test::ScriptedInteraction;

namespace {

// June 2027 with 60 captains, nothing assigned.
std::unique_ptr<tl::ScheduleDocument> SixtyCrew(tl::Interaction& ui)
{
    auto doc = std::make_unique<tl::ScheduleDocument>();
    [[maybe_unused]] bool ok =
        doc->SetMonth(ui, tl::JulianDay(6, 1, 2027), tl::JulianDay(6, 30, 2027));
    doc->CrewCount = 60;
    for (int c = 0; c < 60; ++c) {
        doc->Crew[static_cast<size_t>(c)].EmpNumber = c + 1;
        doc->Crew[static_cast<size_t>(c)].Name = "CREW " + std::to_string(c + 1);
    }
    return doc;
}

// Dark pixels in the rows from `top` to `bottom`.
int Ink(const QImage& image, int top, int bottom)
{
    int dark = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("failed: ") + program;
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT
private slots:
    void BlocksPagesPaintTheirOwnRows();
    void CommandLineWritesPdfAndLeavesMonthAlone();
};

void PrintTest::BlocksPagesPaintTheirOwnRows()
{
    ScriptedInteraction ui;
    auto doc = SixtyCrew(ui);
    const auto pages = tl::BlocksPrintout(*doc, tl::PrintSelection(*doc, 1, 60), {}, ui);
    QCOMPARE(pages.size(), 3u);
    // Pages painted at one pixel a logical unit: the eleventh crew row is
    // on the first page only, the last page ends after its four rows.
    const int row11 = tl::print_geometry::kFirstRowY + 10 * tl::print_geometry::kCell;
    std::vector<QImage> images;
    for (const tl::BlocksPage& page : pages) {
        QImage image(tl::print_geometry::kWidth, tl::print_geometry::kHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        tl::ui::PaintBlocksPage(painter, image.rect(), page);
        painter.end();
        QVERIFY(Ink(image, 0, 30) > 0);
        images.push_back(image);
    }
    QVERIFY(Ink(images[0], row11 + 2, row11 + 28) > 0);
    QCOMPARE(Ink(images[2], row11 + 2, row11 + 28), 0);
}

void PrintTest::CommandLineWritesPdfAndLeavesMonthAlone()
{
    ScriptedInteraction ui;
    auto doc = SixtyCrew(ui);
    QTemporaryDir dir;
    const QString month = dir.filePath(QStringLiteral("jun27.tl2"));
    QVERIFY(tl::SaveBlocks(*doc, month.toStdString(), tl::kSchedulerFile, ui));
    QFile file(month);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    auto print = [&](const QString& source, QStringList more) {
        return tl::ui::RunPrintCommand(
            QStringList{QStringLiteral("tlines"), QStringLiteral("--print"),
                        QStringLiteral("blocks"), source, QStringLiteral("--pdf"), pdf} +
            more);
    };
    QCOMPARE(print(month, {}), 0);
    QVERIFY(Run(QStringLiteral("pdfinfo"), {pdf})
                .contains(QRegularExpression(QStringLiteral("Pages: +3\n"))));
    QVERIFY(Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                .contains(QStringLiteral("*** Jun 2027 DRAFT COPY *** Page 3 jun27.tl2")));
    QCOMPARE(print(month, {QStringLiteral("--final"), QStringLiteral("--from"),
                           QStringLiteral("30"), QStringLiteral("--to"), QStringLiteral("40")}),
             0);
    const QString text = Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.contains(QStringLiteral("Tessara Lines Jun 2027 FINAL. Page 1 jun27.tl2")));
    QVERIFY(!text.contains(QStringLiteral("Page 2")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    file.close();

    // A month cut short is refused and writes nothing.
    const QString cut = dir.filePath(QStringLiteral("cut.tl2"));
    QFile part(cut);
    QVERIFY(part.open(QIODevice::WriteOnly));
    part.write(before.left(before.size() / 2));
    part.close();
    QVERIFY(QFile::remove(pdf));
    QVERIFY(print(cut, {}) != 0);
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(print(month, {QStringLiteral("--from")}), 2);
}

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
