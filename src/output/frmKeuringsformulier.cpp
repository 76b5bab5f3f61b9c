#include "frmKeuringsformulier.h"

#include "RtfReader.h"

#include "core/Paths.h"
#include "core/Services.h"
#include "core/WholeFile.h"
#include "platform/Printing.h"
#include "platform/RichTextBox.h"
#include "platform/Twips.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

namespace mostarium {

frmKeuringsformulier::frmKeuringsformulier(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmKeuringsformulier"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Keuringsformulier"));
    resize(layout::px(10200), layout::px(11000));

    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    QMenu *file = bar->addMenu(QStringLiteral("&Bestand"));
    file->setObjectName(QStringLiteral("mnuKFBestand"));
    QAction *print = file->addAction(QStringLiteral("&Print"));
    print->setObjectName(QStringLiteral("mnuKFPrint"));
    QAction *close = file->addAction(QStringLiteral("&Afsluiten"));
    close->setObjectName(QStringLiteral("mnuKFAfsluiten"));

    // Edits are held to the bound the text was read under.
    m_sheet = new RichTextBox(QStringLiteral("rtbKeuringsFormulier"), this);
    m_sheet->setAcceptRichText(true);
    // Never so narrow that the text would lay out taller than the reader allows.
    m_sheet->setMinimumWidth(leastRtfBoxWidth(*m_sheet));

    auto *lay = new QVBoxLayout(this);
    lay->setMenuBar(bar);
    lay->addWidget(m_sheet);

    connect(print, &QAction::triggered, this, &frmKeuringsformulier::mnuKFPrint_Click);
    connect(close, &QAction::triggered, this, &frmKeuringsformulier::unload);
    Form_Load();
}

void frmKeuringsformulier::Form_Load()
{
    const QString path = paths::file(QStringLiteral("Templates/Keuringsformulier.rtf"));
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxTextFileSize, bytes);
    if (read == FileRead::Ok && readRtf(bytes, *m_sheet->document())) {
        m_sheet->moveCursor(QTextCursor::Start);
        return;
    }
    // The window stays, empty: the sheet can still be typed and printed.
    QString why = read == FileRead::Ok ? QStringLiteral("Het keuringsformulier ") + QDir::toNativeSeparators(path)
                                             + QStringLiteral(" is te lang om te tonen!")
                                       : refusedFileText(QDir::toNativeSeparators(path), read);
    if (why.isEmpty())
        why = QStringLiteral("Het keuringsformulier ") + QDir::toNativeSeparators(path)
              + QStringLiteral(" is niet gevonden.");
    m_svc.msgBox(why + QStringLiteral(" U krijgt een leeg formulier."), mb::Exclamation, QStringLiteral("Attentie!"));
}

void frmKeuringsformulier::mnuKFPrint_Click()
{
    const QTextCursor cursor = m_sheet->textCursor();
    const bool selection = cursor.hasSelection();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Keuringsformulier"));
    if (!m_svc.printDialog(printer, selection))
        return;
    QString error;
    const bool printed = printTextWhole(printer, *m_sheet->document(), cursor, &error);
    if (!printed)
        m_svc.msgBox(error + QStringLiteral(" Het keuringsformulier is niet afgedrukt."), mb::Exclamation,
                     QStringLiteral("Attentie!"));
}

}  // namespace mostarium
