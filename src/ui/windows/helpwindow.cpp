#include "ui/windows/helpwindow.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tl::ui {

namespace {

// Pages as the program stands: the marks of commands it lacks filled in.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    std::function<bool(int)> Available;
    QStringList Missing;

    QVariant loadResource(int type, const QUrl& name) override
    {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource || !Available)
            return resource;
        return HelpWindow::MarkUnavailable(QString::fromUtf8(resource.toByteArray()), Available,
                                           Missing);
    }
};

} // namespace

QString HelpWindow::MarkUnavailable(QString html, const std::function<bool(int)>& available,
                                    const QStringList& missing)
{
    static const QRegularExpression mark(QStringLiteral("<!--cmd (\\d+)-->"));
    QString out;
    qsizetype from = 0;
    for (auto it = mark.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += html.mid(from, m.capturedStart() - from);
        if (!available(m.captured(1).toInt()))
            out += QStringLiteral(" <i>(not available yet)</i>");
        from = m.capturedEnd();
    }
    out += html.mid(from);
    QString list;
    for (const QString& item : missing)
        list += QStringLiteral("<li>") + item.toHtmlEscaped() + QStringLiteral("</li>");
    out.replace(QStringLiteral("<!--unavailable-->"),
                list.isEmpty() ? QStringLiteral("<p>Every command is available.</p>")
                               : QStringLiteral("<ul>") + list + QStringLiteral("</ul>"));
    return out;
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tessara Lines Help"));
    m_browser = new HelpBrowser(this);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    // Links out of the program go to the desktop's browser.
    m_browser->setOpenExternalLinks(true);

    auto* back = new QPushButton(tr("&Back"), this);
    auto* contents = new QPushButton(tr("&Contents"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(contents, &QPushButton::clicked, this,
            [this] { ShowPage(QStringLiteral("index.html")); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* row = new QHBoxLayout;
    row->addWidget(back);
    row->addWidget(contents);
    row->addStretch();
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(row);
    resize(640, 720);
}

void HelpWindow::ShowPage(const QString& page)
{
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
}

void HelpWindow::SetAvailability(std::function<bool(int)> available, QStringList missing)
{
    auto* browser = static_cast<HelpBrowser*>(m_browser);
    browser->Available = std::move(available);
    browser->Missing = std::move(missing);
    // The page in view is read again with the marks filled in.
    if (!m_browser->source().isEmpty())
        m_browser->reload();
}

QUrl HelpWindow::Page() const
{
    return m_browser->source();
}

} // namespace tl::ui
