#include "frmReport.h"

#include "RtfReader.h"

#include "core/Paths.h"
#include "core/Spoelcurve.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "platform/Twips.h"
#include "platform/WindowRoutines.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <stdexcept>

namespace mostarium {

namespace {

// Our templates and reports are a few KB; a picture makes them larger.
constexpr qint64 MaxRtfSize = 64 * 1024 * 1024;

QByteArray readRtfFile(const QString &path)
{
    QByteArray bytes;
    if (readWholeFile(path, MaxRtfSize, bytes) != FileRead::Ok)
        throw std::runtime_error("cannot read " + path.toStdString());
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

    m_box = new QTextEdit(this);
    m_box->setObjectName(QStringLiteral("rtbReport"));
    m_box->setAcceptRichText(true);
    QPalette pal = m_box->palette();
    pal.setColor(QPalette::Base, MainBackColor());
    m_box->setPalette(pal);

    // Until the first build the box shows the single-brew layout.
    QByteArray bytes;
    if (readWholeFile(reportTemplateFile(false), MaxRtfSize, bytes) == FileRead::Ok)
        readRtf(bytes, *m_box->document());
}

void frmReport::resizeEvent(QResizeEvent *event)
{
    WindowBase::resizeEvent(event);
    const int margin = layout::px(240);
    m_box->setGeometry(margin, margin, std::max(0, width() - 2 * margin), std::max(0, height() - 2 * margin));
}

void frmReport::MaakRapport(const ReportRequest &request)
{
    if (!request.printer && !request.screen && !request.file)
        return;
    const bool dubbel = m_s.app.dubbelBrouw;
    const QByteArray source = readRtfFile(reportTemplateFile(dubbel));
    const RtfFill fill = fillTemplate(source, reportFields(m_s), spoelcurvePicture(m_s));
    readRtf(fill.rtf, *m_box->document());
    QString error;
    // The start-up makes temp; a brewer may have removed it since.
    QDir().mkpath(QFileInfo(reportScratchFile(dubbel)).absolutePath());
    if (!writeWholeFile(reportScratchFile(dubbel), fill.rtf, &error))
        throw std::runtime_error(error.toStdString());
    if (request.printer)
        PrintRapport();
    if (request.file && !writeWholeFile(request.fileName, fill.rtf, &error))
        throw std::runtime_error(error.toStdString());
}

void frmReport::loadInto(const QString &path)
{
    readRtf(readRtfFile(path), *m_box->document());
    m_box->moveCursor(QTextCursor::Start);
}

void frmReport::loadScratch() { loadInto(reportScratchFile(m_s.app.dubbelBrouw)); }

void frmReport::PrintRapport()
{
    // A failed print is silent: the file outputs of the same OK still happen.
    try {
        loadScratch();
        const bool selection = m_box->textCursor().hasSelection();
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Brouwschema"));
        if (!m_svc.printDialog(printer, selection))
            return;
        if (selection && printer.printRange() == QPrinter::Selection) {
            QTextDocument part;
            QTextCursor(&part).insertFragment(m_box->textCursor().selection());
            part.print(&printer);
        } else {
            m_box->document()->print(&printer);
        }
    } catch (const std::exception &) {
    }
}

}  // namespace mostarium
