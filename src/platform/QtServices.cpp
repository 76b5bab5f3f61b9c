#include "QtServices.h"

#include "HelpWindow.h"

#include "core/Cp1252.h"
#include "core/WholeFile.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QMessageBox>
#include <QProcess>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSoundEffect>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

namespace mostarium {

QtServices::QtServices() = default;
QtServices::~QtServices() = default;

QWidget *QtServices::dialogParent()
{
    // Never the active window: that may be the splash or a dialog already
    // queued for deletion, whose end would take an open box down with it.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmRecept") && w->isVisible())
            return w;
    return nullptr;
}

int QtServices::msgBox(const QString &prompt, int style, const QString &title)
{
    // On the heap and watched: should its parent still go while it is open,
    // the box goes with it and is not deleted a second time here.
    QPointer<QMessageBox> owner = new QMessageBox(dialogParent());
    QMessageBox &box = *owner;
    box.setWindowTitle(title.isEmpty() ? AppTitle : title);
    // Texts from files and servers may look like markup; show them as written.
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    switch (style & 0x70) {
    case mb::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case mb::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case mb::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case mb::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct B {
        QMessageBox::StandardButton std;
        int answer;
        const char *text;
    };
    std::vector<B> buttons;
    switch (style & 7) {
    case mb::OKCancel:
        buttons = {{QMessageBox::Ok, mb::OK, "OK"}, {QMessageBox::Cancel, mb::Cancel, "Annuleren"}};
        break;
    case mb::AbortRetryIgnore:
        buttons = {{QMessageBox::Abort, mb::Abort, "Afbreken"},
                   {QMessageBox::Retry, mb::Retry, "Opnieuw"},
                   {QMessageBox::Ignore, mb::Ignore, "Negeren"}};
        break;
    case mb::YesNoCancel:
        buttons = {{QMessageBox::Yes, mb::Yes, "Ja"},
                   {QMessageBox::No, mb::No, "Nee"},
                   {QMessageBox::Cancel, mb::Cancel, "Annuleren"}};
        break;
    case mb::YesNo:
        buttons = {{QMessageBox::Yes, mb::Yes, "Ja"}, {QMessageBox::No, mb::No, "Nee"}};
        break;
    case mb::RetryCancel:
        buttons = {{QMessageBox::Retry, mb::Retry, "Opnieuw"}, {QMessageBox::Cancel, mb::Cancel, "Annuleren"}};
        break;
    default:
        buttons = {{QMessageBox::Ok, mb::OK, "OK"}};
        break;
    }
    for (const B &b : buttons)
        box.addButton(b.std)->setText(QString::fromUtf8(b.text));
    // The box belongs to the main window, which its end brings to the front:
    // a modeless window whose message it was comes back on top.
    const QPointer<QWidget> before = QApplication::activeWindow();
    const int res = box.exec();
    delete owner.data();
    if (before && before->isVisible() && before != dialogParent()) {
        before->raise();
        before->activateWindow();
    }
    for (const B &b : buttons)
        if (res == b.std)
            return b.answer;
    // Closed by Escape or the close box.
    const int kind = style & 7;
    return kind == mb::OKOnly ? mb::OK : kind == mb::YesNo ? mb::No : mb::Cancel;
}

std::optional<QString> QtServices::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), title.isEmpty() ? AppTitle : title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtServices::openFileName(const QString &title, const QString &folder, const QString &filter)
{
    const QString f = QFileDialog::getOpenFileName(dialogParent(), title, folder, filter);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QString> QtServices::saveFileName(const QString &title, const QString &path, const QString &filter)
{
    const QString f = QFileDialog::getSaveFileName(dialogParent(), title, path, filter);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QString> QtServices::folderName(const QString &title, const QString &folder)
{
    const QString f = QFileDialog::getExistingDirectory(dialogParent(), title, folder);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

void QtServices::beep() { QApplication::beep(); }

void QtServices::playSound(const QString &path, bool wait)
{
    if (!QFile::exists(path) || QMediaDevices::audioOutputs().isEmpty())
        return;
    auto *effect = new QSoundEffect(qApp);
    effect->setSource(QUrl::fromLocalFile(path));
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading)
            effect->deleteLater();
    });
    effect->play();
    if (wait) {
        QEventLoop loop;
        QObject::connect(effect, &QSoundEffect::playingChanged, &loop, &QEventLoop::quit);
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

void QtServices::showHelp(const QString &page) { HelpWindow::showPage(page); }

bool QtServices::openUrl(const QString &url) { return QDesktopServices::openUrl(QUrl(url)); }

bool QtServices::startProgram(const QString &program, const QStringList &arguments, bool wait)
{
    if (!wait)
        return QProcess::startDetached(program, arguments);
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForStarted())
        return false;
    while (!p.waitForFinished(100))
        QApplication::processEvents();
    return true;
}

QDateTime QtServices::now() { return QDateTime::currentDateTime(); }

void QtServices::setBusy(bool busy)
{
    if (busy) {
        if (m_busyDepth++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busyDepth > 0 && --m_busyDepth == 0) {
        QApplication::restoreOverrideCursor();
    }
}

void QtServices::processEvents() { QApplication::processEvents(); }

bool QtServices::printDialog(QPrinter &printer, bool offerSelection)
{
    QPrintDialog dialog(&printer, dialogParent());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, offerSelection);
    printer.setPrintRange(offerSelection ? QPrinter::Selection : QPrinter::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

// No external editor that blocks exists on every platform: the program shows
// the file in its own window, modal, so the caller returns when it is closed.
bool QtServices::showTextFile(const QString &path)
{
    QByteArray bytes;
    if (readWholeFile(path, MaxTextFileSize, bytes) != FileRead::Ok)
        return false;
    QDialog dialog(dialogParent());
    dialog.setObjectName(QStringLiteral("frmTekstbestand"));
    dialog.setWindowTitle(QFileInfo(path).fileName());
    dialog.resize(640, 560);
    auto *text = new QPlainTextEdit(&dialog);
    text->setObjectName(QStringLiteral("txtTekst"));
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setPlainText(cp1252::decode(bytes));
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->setObjectName(QStringLiteral("cmdKnoppen"));
    QPushButton *save = buttons->addButton(QStringLiteral("Opslaan"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("cmdOpslaan"));
    QPushButton *print = buttons->addButton(QStringLiteral("Afdrukken"), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("cmdAfdrukken"));
    QPushButton *close = buttons->addButton(QStringLiteral("Sluiten"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdSluiten"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(save, &QPushButton::clicked, &dialog, [this, text, path] {
        QString plain = text->toPlainText();
        plain.replace(u'\n', QStringLiteral("\r\n"));
        if (!writeWholeFile(path, cp1252::encode(plain)))
            msgBox(notWrittenText(path), mb::Exclamation, QStringLiteral("Attentie!"));
        else
            text->document()->setModified(false);
    });
    QObject::connect(print, &QPushButton::clicked, &dialog, [this, text] {
        QPrinter printer;
        if (printDialog(printer, false))
            text->print(&printer);
    });
    dialog.exec();
    return true;
}

}  // namespace mostarium
