#include "QtServices.h"

#include "HelpWindow.h"
#include "Printing.h"
#include "WindowRoutines.h"

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
#include <QHeaderView>
#include <QTreeView>
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

namespace {

bool canOwnBox(const QWidget *w)
{
    return w && w->isWindow() && w->isVisible() && !boxesKeptOff(w)
           && !(w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip || w->windowType() == Qt::SplashScreen);
}

// The window that asked for a box is in front again when the box is gone,
// whatever window the desktop would have picked.
class BackToAsker {
public:
    BackToAsker() : m_asker(QtServices::dialogParent()) {}
    ~BackToAsker()
    {
        if (canOwnBox(m_asker)) {
            m_asker->raise();
            m_asker->activateWindow();
        }
    }
    QWidget *asker() const { return m_asker; }

private:
    QPointer<QWidget> m_asker;
};

// A file dialog on the heap and watched, as the message box: should its
// parent go while it is open, it goes with it and is not deleted again.
QString fileDialog(QWidget *parent, const QString &title, const QString &start, const QString &filter,
                   QFileDialog::FileMode mode, QFileDialog::AcceptMode accept)
{
    QPointer<QFileDialog> owner = new QFileDialog(parent, title, start, filter);
    owner->setFileMode(mode);
    owner->setAcceptMode(accept);
    if (mode == QFileDialog::Directory)
        owner->setOption(QFileDialog::ShowDirsOnly);
    // Size, type and date show whole beside a file name.
    owner->resize(owner->sizeHint().expandedTo(QSize(760, 460)));
    if (auto *view = owner->findChild<QTreeView *>(QStringLiteral("treeView")))
        for (int column = 1; column < 4; ++column)
            view->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    const bool chosen = owner->exec() == QDialog::Accepted;
    if (!owner)
        return {};
    const QString file = chosen ? owner->selectedFiles().value(0) : QString();
    delete owner.data();
    return file;
}

}  // namespace

QWidget *QtServices::dialogParent()
{
    // The window that asked, while it stays for the box's whole life: never
    // the splash, nor a window being unloaded.
    if (QWidget *active = QApplication::activeWindow(); canOwnBox(active))
        return active;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmRecept") && canOwnBox(w))
            return w;
    return nullptr;
}

int QtServices::msgBox(const QString &prompt, int style, const QString &title)
{
    // On the heap and watched: should its parent still go while it is open,
    // the box goes with it and is not deleted a second time here.
    BackToAsker back;
    QPointer<QMessageBox> owner = new QMessageBox(back.asker());
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
    const int res = box.exec();
    delete owner.data();
    for (const B &b : buttons)
        if (res == b.std)
            return b.answer;
    // Closed by Escape or the close box.
    const int kind = style & 7;
    return kind == mb::OKOnly ? mb::OK : kind == mb::YesNo ? mb::No : mb::Cancel;
}

std::optional<QString> QtServices::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    BackToAsker back;
    bool ok = false;
    const QString text = QInputDialog::getText(back.asker(), title.isEmpty() ? AppTitle : title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtServices::openFileName(const QString &title, const QString &folder, const QString &filter)
{
    BackToAsker back;
    const QString f =
        fileDialog(back.asker(), title, folder, filter, QFileDialog::ExistingFile, QFileDialog::AcceptOpen);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QString> QtServices::saveFileName(const QString &title, const QString &path, const QString &filter)
{
    BackToAsker back;
    const QString f = fileDialog(back.asker(), title, path, filter, QFileDialog::AnyFile, QFileDialog::AcceptSave);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QString> QtServices::folderName(const QString &title, const QString &folder)
{
    BackToAsker back;
    const QString f =
        fileDialog(back.asker(), title, folder, QString(), QFileDialog::Directory, QFileDialog::AcceptOpen);
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
    BackToAsker back;
    // On the heap and watched, as every box here.
    QPointer<QPrintDialog> owner = new QPrintDialog(&printer, back.asker());
    QPrintDialog &dialog = *owner;
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, offerSelection);
    printer.setPrintRange(offerSelection ? QPrinter::Selection : QPrinter::AllPages);
    const bool chosen = dialog.exec() == QDialog::Accepted && owner;
    delete owner.data();
    return chosen;
}

// No external editor that blocks exists on every platform: the program shows
// the file in its own window, modal, so the caller returns when it is closed.
bool QtServices::showTextFile(const QString &path)
{
    QByteArray bytes;
    if (readWholeFile(path, MaxTextFileSize, bytes) != FileRead::Ok)
        return false;
    BackToAsker back;
    QPointer<QDialog> owner = new QDialog(back.asker());
    QDialog &dialog = *owner;
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
        if (!printDialog(printer, false))
            return;
        QString error;
        if (!printWhole(
                printer, [text](QPagedPaintDevice &device) { text->print(&device); }, &error))
            msgBox(error, mb::Exclamation, QStringLiteral("Attentie!"));
    });
    dialog.exec();
    delete owner.data();
    return true;
}

}  // namespace mostarium
