#include "frmAfdrukken.h"

#include "HtmlReport.h"
#include "XmlExport.h"

#include "frmReport.h"

#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/WindowRoutines.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace mostarium {

namespace {

const QString ReportWindow = QStringLiteral("frmReport");

QCheckBox *checkBox(QWidget *parent, const char *name, const char *text)
{
    auto *c = new QCheckBox(QString::fromUtf8(text), parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

}  // namespace

QString frmAfdrukken::defaultBaseName(const Session &s)
{
    const RecipeState &r = s.recipe;
    const QString base =
        !r.ReceptNaam.isEmpty() ? r.ReceptNaam : (r.Algemeen.has(0) ? r.Algemeen(0).trimmed() : QString());
    return paths::safeFileName(base);
}

frmAfdrukken::frmAfdrukken(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmAfdrukken"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Afdrukken/Exporteren"));
    setFont(QFont(QStringLiteral("Calibri"), 10));

    m_frame = new QGroupBox(QStringLiteral(" Afdrukken/Exporteren naar "), this);
    m_frame->setObjectName(QStringLiteral("chkAfdBestand"));
    auto *grid = new QGridLayout(m_frame);
    grid->setColumnMinimumWidth(1, layout::px(4200));

    m_printer = checkBox(m_frame, "chkPrinterBS", "naar printer");
    m_printer->setChecked(true);
    m_screen = checkBox(m_frame, "chkNaarScherm", "naar scherm");
    grid->addWidget(m_printer, 0, 0);
    grid->addWidget(m_screen, 1, 0);

    auto makeRow = [&](FileRow &row, int line, const char *check, const char *text, const char *name,
                       const char *select, const char *extension, const char *filter) {
        row.check = checkBox(m_frame, check, text);
        row.name = new QLineEdit(m_frame);
        row.name->setObjectName(QString::fromLatin1(name));
        row.name->setToolTip(QStringLiteral("Voer bestandsnaam in"));
        row.name->hide();
        row.select = new QPushButton(QStringLiteral("..."), m_frame);
        row.select->setObjectName(QString::fromLatin1(select));
        row.select->setAutoDefault(false);
        row.select->setFixedWidth(layout::px(450));
        row.select->hide();
        row.extension = QString::fromLatin1(extension);
        row.filter = QString::fromLatin1(filter);
        grid->addWidget(row.check, line, 0);
        grid->addWidget(row.name, line, 1);
        grid->addWidget(row.select, line, 2);
        connect(row.check, &QCheckBox::toggled, this, [this, &row](bool on) { rowClicked(row, on); });
        connect(row.select, &QPushButton::clicked, this, [this, &row] { selectClicked(row); });
    };
    makeRow(m_rtf, 2, "chkNaarBestand", "naar .rtf bestand", "txtAfdNaar", "cmdAfdSelecteer", ".rtf",
            "Rich Text Format bestanden (*.rtf);;All files (*.*)");
    makeRow(m_html, 3, "chkNaarHTML", "naar .html bestand", "txtNaarHTML", "cmdNaarHTML", ".html",
            "HTML bestanden (*.htm)");
    makeRow(m_xml, 4, "chkNaarXML", "naar .xml bestand", "txtNaarXML", "cmdNaarXML", ".xml", "XML bestanden (*.xml)");

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdAfdOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    cancel->setObjectName(QStringLiteral("cmdAfdAnnuleer"));
    cancel->setAutoDefault(false);
    ClickLabel *help = helpPicture(QStringLiteral("MI_B_Afdrukken.htm"));
    help->setObjectName(QStringLiteral("picAfdrukken_Help"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(m_frame);
    main->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &frmAfdrukken::cmdAfdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmAfdrukken::unload);

    // The window, the frame, the check boxes and the help picture take the
    // main window's colour; boxes and buttons keep their own.
    for (QWidget *w : std::initializer_list<QWidget *>{this, m_frame, m_printer, m_screen, m_rtf.check, m_html.check,
                                                       m_xml.check, help})
        applyMainBackColor(w);
}

void frmAfdrukken::rowClicked(FileRow &row, bool checked)
{
    row.name->setVisible(checked);
    row.select->setVisible(checked);
    row.confirmed.clear();
    if (checked)
        row.name->setText(QDir(paths::file(QStringLiteral("Recepten"))).filePath(defaultBaseName(m_s) + row.extension));
    else
        row.name->clear();
}

void frmAfdrukken::selectClicked(FileRow &row)
{
    const QString start = QDir(paths::file(QStringLiteral("Recepten"))).filePath(defaultBaseName(m_s));
    const std::optional<QString> chosen = m_svc.saveFileName(QStringLiteral("Opslaan als"), start, row.filter);
    if (!chosen || chosen->isEmpty())
        return;
    row.name->setText(*chosen);
    row.confirmed = *chosen;
}

QString frmAfdrukken::rowFile(const FileRow &row) const
{
    const QDir recepten(paths::file(QStringLiteral("Recepten")));
    const QString name = row.name->text().trimmed();
    if (name.isEmpty())
        return recepten.filePath(defaultBaseName(m_s) + row.extension);
    return QFileInfo(name).isRelative() ? recepten.filePath(name) : name;
}

bool frmAfdrukken::mayWrite(const FileRow &row, const QString &target) const
{
    // A name just chosen in the Save-As dialog was confirmed there.
    return target == row.confirmed || mayReplaceFile(m_svc, target);
}

void frmAfdrukken::cmdAfdOK_Click()
{
    const bool toFile = m_rtf.check->isChecked();
    if (toFile) {
        if (m_rtf.name->text().trimmed().isEmpty())
            m_rtf.name->setText(rowFile(m_rtf));
        if (!m_rtf.name->text().toLower().contains(QLatin1String(".rtf")))
            m_rtf.name->setText(m_rtf.name->text() + QStringLiteral(".rtf"));
    }
    const bool printer = m_printer->isChecked(), screen = m_screen->isChecked();
    const bool html = m_html.check->isChecked(), xml = m_xml.check->isChecked();
    if (!printer && !screen && !toFile && !html && !xml) {
        m_svc.msgBox(QStringLiteral("Niets af te drukken of op te slaan!"), mb::Exclamation,
                     QStringLiteral("Attentie!"));
        unload();
        return;
    }

    ReportRequest request{printer, screen, toFile, toFile ? rowFile(m_rtf) : QString()};
    // The HTML and XML boxes name their file in full, with its extension; an
    // existing file that was not just confirmed in the Save-As dialog asks
    // first, and a Nee writes nothing at all.
    if (html)
        m_html.name->setText(htmlReportPath(rowFile(m_html)));
    if (xml)
        m_xml.name->setText(xmlExportPath(rowFile(m_xml)));
    if ((toFile && !mayWrite(m_rtf, request.fileName)) || (html && !mayWrite(m_html, m_html.name->text()))
        || (xml && !mayWrite(m_xml, m_xml.name->text())))
        return;

    const bool wasOpen = windows().find(ReportWindow) && windows().find(ReportWindow)->isVisible();
    try {
        if (printer || screen || toFile) {
            auto *report = windows().load<frmReport>(ReportWindow);
            if (!report)
                throw std::runtime_error("no report window");
            report->MaakRapport(request);
            if (screen) {
                m_svc.processEvents();
                windows().show(ReportWindow);
                report->loadScratch();
            }
        }
        if (!screen)
            windows().unload(ReportWindow);
        // After the report; each writer says itself what went wrong, and a
        // failed page does not stop the XML file.
        if (html)
            ExportReceptHTML(m_s, m_html.name->text());
        if (xml)
            ExportReceptXML(m_s, m_xml.name->text());
    } catch (const ReportRefused &refused) {
        // A template the report will not read, or a report file that could
        // not be written, is named, not hidden behind the routine.
        if (!wasOpen)
            windows().unload(ReportWindow);
        m_svc.msgBox(refused.message, mb::Exclamation, QStringLiteral("Attentie!"));
        return;
    } catch (const std::exception &) {
        if (!wasOpen)
            windows().unload(ReportWindow);
        m_svc.msgBox(QStringLiteral("Error in routine cmdAfdOK_Click (frmAfdrukken)."), mb::OKOnly,
                     QStringLiteral("Attentie!"));
        return;
    }
    unload();
}

}  // namespace mostarium
