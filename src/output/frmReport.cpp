#include "frmReport.h"

#include "RtfReader.h"

#include "core/Paths.h"
#include "core/Spoelcurve.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "platform/Printing.h"
#include "platform/RichTextBox.h"
#include "platform/Twips.h"
#include "platform/WindowRoutines.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <stdexcept>

namespace mostarium {

namespace {

// A filled report: the template with its values and the sparge-curve picture.
constexpr qint64 MaxRtfSize = 64 * 1024 * 1024;

const QString NotMade = QStringLiteral(" Er is geen brouwschema gemaakt.");
const QString NotPrinted = QStringLiteral(" Er is geen brouwschema afgedrukt.");

// A report the window could not lay out.
QString tooTallText(const QString &templatePath)
{
    return QStringLiteral("Het sjabloon ") + QDir::toNativeSeparators(templatePath)
           + QStringLiteral(" geeft een brouwschema dat te lang is om te tonen!") + NotMade;
}

// "<name> is niet gevonden!" or why the file was not read.
QString unreadText(const QString &path, FileRead read, qint64 maxBytes)
{
    const QString name = QDir::toNativeSeparators(path);
    const QString why = refusedFileText(name, read, maxBytes);
    return why.isEmpty() ? name + QStringLiteral(" is niet gevonden!") : why;
}

// The scratch copy of a report.
QByteArray readRtfFile(const QString &path)
{
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxRtfSize, bytes);
    if (read != FileRead::Ok)
        throw ReportFailed(QStringLiteral("Het brouwschema ") + unreadText(path, read, MaxRtfSize));
    return bytes;
}

// The template, refused when too large, empty or not RTF. A missing or
// unreadable one fails as any other failure of the report.
QByteArray readTemplate(const QString &path)
{
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxReportTemplateSize, bytes);
    const QString name = QDir::toNativeSeparators(path);
    if (read == FileRead::TooLarge)
        throw ReportRefused(QStringLiteral("Het sjabloon ") + unreadText(path, read, MaxReportTemplateSize) + NotMade);
    if (read != FileRead::Ok)
        throw ReportFailed(QStringLiteral("Het sjabloon ") + unreadText(path, read, MaxReportTemplateSize) + NotMade);
    if (bytes.isEmpty())
        throw ReportRefused(QStringLiteral("Het sjabloon ") + name + QStringLiteral(" is leeg!") + NotMade);
    if (!bytes.startsWith("{\\rtf"))
        throw ReportRefused(QStringLiteral("Het sjabloon ") + name + QStringLiteral(" is geen RTF-bestand!") + NotMade);
    return bytes;
}

}  // namespace

std::optional<RtfPicture> spoelcurvePicture(const Session &s)
{
    const QString path = SpoelcurvePlaatje(s.recipe);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QImage image(path);
    if (image.isNull())
        return std::nullopt;
    RtfPicture picture;
    QBuffer buffer(&picture.png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    picture.width = image.width();
    picture.height = image.height();
    return picture;
}

frmReport::frmReport(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmReport"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Brouwschema"));
    resize(layout::px(9600), layout::px(10500));
    applyMainBackColor(this);

    // Edits are held to the bound the text was read under.
    m_box = new RichTextBox(QStringLiteral("rtbReport"), this);
    m_box->setAcceptRichText(true);
    // Never so narrow that the text would lay out taller than the reader allows.
    setMinimumWidth(leastRtfBoxWidth(*m_box) + 2 * layout::px(240));
    QPalette pal = m_box->palette();
    pal.setColor(QPalette::Base, MainBackColor());
    m_box->setPalette(pal);
    // A hidden window gets its resize event only when shown; the report is
    // read (and may be printed) before.
    placeBox();
}

void frmReport::showEvent(QShowEvent *event)
{
    // Until the first build the box shows the single-brew layout; the print
    // dialog builds before it shows the window, so this is rarely read.
    if (!m_filled) {
        m_filled = true;
        const QString path = reportTemplateFile(false);
        try {
            if (!showRtf(readTemplate(path)))
                throw ReportRefused(tooTallText(path));
        } catch (const ReportFailed &failed) {
            m_svc.msgBox(failed.message, mb::Exclamation, QStringLiteral("Attentie!"));
        }
    }
    WindowBase::showEvent(event);
}

void frmReport::resizeEvent(QResizeEvent *event)
{
    WindowBase::resizeEvent(event);
    placeBox();
}

void frmReport::placeBox()
{
    const int margin = layout::px(240);
    m_box->setGeometry(margin, margin, std::max(0, width() - 2 * margin), std::max(0, height() - 2 * margin));
}

void frmReport::MaakRapport(const ReportRequest &request)
{
    if (!request.printer && !request.screen && !request.file)
        return;
    const bool dubbel = m_s.app.dubbelBrouw;
    const QByteArray source = readTemplate(reportTemplateFile(dubbel));
    const RtfFill fill = fillTemplate(source, reportFields(m_s), spoelcurvePicture(m_s));
    if (!showRtf(fill.rtf))
        throw ReportRefused(tooTallText(reportTemplateFile(dubbel)));
    QString error;
    paths::makeFolderOf(reportScratchFile(dubbel));
    if (!writeWholeFile(reportScratchFile(dubbel), fill.rtf, &error))
        throw ReportRefused(notWrittenText(reportScratchFile(dubbel), error));
    if (request.printer)
        PrintRapport();
    if (request.file && !writeWholeFile(request.fileName, fill.rtf, &error))
        throw ReportRefused(notWrittenText(request.fileName, error));
}

void frmReport::loadInto(const QString &path)
{
    if (!showRtf(readRtfFile(path)))
        throw ReportFailed(QStringLiteral("Het brouwschema ") + QDir::toNativeSeparators(path)
                           + QStringLiteral(" is te lang om te tonen!"));
}

bool frmReport::showRtf(const QByteArray &rtf)
{
    m_filled = true;
    // The scratch copy just built and read is not read again.
    if (rtf == m_shown && !m_box->document()->isModified())
        return true;
    // Read into a document of its own and handed over whole, the box lays
    // out what it shows first and the rest while it waits, instead of the
    // whole text with every piece the reader adds. (The box deletes its
    // first document itself, hence the guarded pointer.)
    const QPointer<QTextDocument> old = m_box->document();
    auto *doc = new QTextDocument(m_box);
    doc->setDefaultFont(old->defaultFont());
    doc->setDefaultTextOption(old->defaultTextOption());
    // Its width known from the start, it is never laid out at another. Before
    // the window is first shown the box has not set a width (a text laid out
    // at none takes a line per character), so it is the box's own.
    QSizeF page = old->pageSize();
    if (page.width() <= 0)
        page = QSizeF(std::max(1, m_box->width() - 2 * m_box->frameWidth()), -1);
    doc->setPageSize(page);
    if (!readRtf(rtf, *doc)) {
        delete doc;
        return false;
    }
    m_box->setDocument(doc);
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    if (old && old->parent() == m_box)
        delete old;
    m_shown = rtf;
    m_box->moveCursor(QTextCursor::Start);
    return true;
}

void frmReport::loadScratch() { loadInto(reportScratchFile(m_s.app.dubbelBrouw)); }

void frmReport::PrintRapport()
{
    // A failed print is said here: the file outputs of the same OK still happen.
    try {
        loadScratch();
    } catch (const ReportFailed &failed) {
        m_svc.msgBox(failed.message + NotPrinted, mb::Exclamation, QStringLiteral("Attentie!"));
        return;
    }
    const bool selection = m_box->textCursor().hasSelection();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Brouwschema"));
    if (!m_svc.printDialog(printer, selection))
        return;
    QString error;
    const bool printed = printTextWhole(printer, *m_box->document(), m_box->textCursor(), &error);
    if (!printed)
        m_svc.msgBox(error + NotPrinted, mb::Exclamation, QStringLiteral("Attentie!"));
}

}  // namespace mostarium
