#include "QtServices.h"

#include "HelpWindow.h"
#include "NumericEdit.h"
#include "Printing.h"
#include "WindowRoutines.h"

#include "core/Cp1252.h"
#include "core/WholeFile.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <QLabel>
#include <QLineEdit>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QMessageBox>
#include <QProcess>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSoundEffect>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <vector>

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

// Size, type and date show whole beside a file name: the detail view's last
// three columns are as wide as their contents, and the dialog at least
// FileDialogLeastSize leaves the name column room for a long file name.
// Qt's file dialog offers no public call for its columns; its one tree view
// is the detail view. Should a Qt version have none, that is said on stderr,
// and the test of the real dialogs fails.
void fitDetailColumns(QFileDialog &dialog)
{
    auto *view = dialog.findChild<QTreeView *>();
    if (!view) {
        qWarning("The file dialog has no detail view: its size, type and date columns keep their widths.");
        return;
    }
    for (int column = 1; column < 4; ++column)
        view->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

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
    owner->resize(owner->sizeHint().expandedTo(QtServices::FileDialogLeastSize));
    fitDetailColumns(*owner);
    const bool chosen = owner->exec() == QDialog::Accepted;
    if (!owner)
        return {};
    const QString file = chosen ? owner->selectedFiles().value(0) : QString();
    delete owner.data();
    return file;
}

// A message taller than the screen would push its buttons out of sight: its
// first lines show, with "…", and the whole text under Qt's "Details tonen…",
// which scrolls. The box's title, margins and buttons take about 160 pixels,
// the details when shown about 140 more; its text wraps at about 400. A line
// is measured by at most its first 4,000 characters, so a line of megabytes
// costs no more.
void fitMessageToScreen(QMessageBox &box, const QString &prompt)
{
    const QScreen *screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const int wrapWidth = std::max(100, std::min(400, room.width() / 2));
    const QFontMetrics metrics(box.font());
    const QStringList lines = prompt.split(u'\n');
    std::vector<int> heights;  // of the text up to and with each line
    int height = 0;
    for (const QString &line : lines) {
        height += (1 + metrics.horizontalAdvance(line.left(4000)) / wrapWidth) * metrics.lineSpacing();
        heights.push_back(height);
    }
    if (height <= room.height() - 160)
        return;
    const auto kept = std::upper_bound(heights.begin(), heights.end(), room.height() - 300) - heights.begin();
    const QString start = kept > 0 ? QStringList(lines.mid(0, kept)).join(u'\n') : lines[0].left(200);
    box.setText(start + QStringLiteral("\n…"));
    box.setDetailedText(prompt);
}

}  // namespace

QWidget *QtServices::dialogParent()
{
    // The window that asked, while it stays for the box's whole life: never
    // the splash, nor a window being unloaded.
    if (QWidget *active = QApplication::activeWindow(); canOwnBox(active))
        return active;
    if (QWidget *main = mainWindow(); canOwnBox(main))
        return main;
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
    fitMessageToScreen(box, prompt);
    if (m_echoMessages) {
        std::fprintf(stderr, "Mostarium message: %s | %s\n", qPrintable(box.windowTitle()), qPrintable(prompt));
        std::fflush(stderr);
    }
    const int res = box.exec();
    delete owner.data();
    for (const B &b : buttons)
        if (res == b.std)
            return b.answer;
    // Closed by Escape or the close box.
    const int kind = style & 7;
    return kind == mb::OKOnly ? mb::OK : kind == mb::YesNo ? mb::No : mb::Cancel;
}

std::optional<QString> QtServices::inputBox(const QString &prompt, const QString &title, const QString &defaultText,
                                            InputKind kind)
{
    // On the heap and watched, as the message box.
    BackToAsker back;
    QPointer<QDialog> owner = new QDialog(back.asker());
    QDialog &box = *owner;
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(title.isEmpty() ? AppTitle : title);
    auto *label = new QLabel(prompt, &box);
    label->setObjectName(QStringLiteral("lblPrompt"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    // A box that asks a number takes keys and pasted text as every number box does.
    QLineEdit *edit = kind == InputKind::Decimal
                          ? new NumericEdit(QStringLiteral("txtInput"), NumericEdit::Kind::Decimal)
                          : new QLineEdit;
    edit->setObjectName(QStringLiteral("txtInput"));
    edit->setText(defaultText);
    edit->selectAll();
    label->setBuddy(edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuleren"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    auto *layout = new QVBoxLayout(&box);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    box.setMinimumWidth(360);
    edit->setFocus();
    const bool ok = box.exec() == QDialog::Accepted;
    if (!owner)
        return std::nullopt;
    const QString text = edit->text();
    delete owner.data();
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
        const QPointer<QSoundEffect> sound = effect;
        QuietWait end(3000, [sound] { return !sound || !sound->isPlaying(); });
        QObject::connect(effect, &QSoundEffect::playingChanged, &end, &QuietWait::askAgain);
        end.run();
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
        if (!printTextWhole(printer, *text->document(), text->textCursor(), &error))
            msgBox(error, mb::Exclamation, QStringLiteral("Attentie!"));
    });
    dialog.exec();
    delete owner.data();
    return true;
}

}  // namespace mostarium
