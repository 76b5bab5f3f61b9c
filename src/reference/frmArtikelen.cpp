#include "frmArtikelen.h"

#include "FileFinder.h"

#include "core/Ini.h"
#include "core/LinkFiles.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/ZymSettings.h"
#include "platform/WindowRegistry.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace mostarium {

namespace {
const QString Attentie = QStringLiteral("Attentie!");

void insertSorted(QComboBox *combo, const QString &name)
{
    int at = 0;
    while (at < combo->count() && QString::compare(combo->itemText(at), name, Qt::CaseInsensitive) <= 0)
        ++at;
    combo->insertItem(at, name);
}
}  // namespace

// ---------------------------------------------------------------- frmArtikelen

frmArtikelen::frmArtikelen(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmArtikelen"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Artikelen "));
    auto *frame = new QGroupBox(QStringLiteral(" Artikelen in .pdf formaat uit de app.path\\Documentatie map "), this);
    frame->setObjectName(QStringLiteral("fraArtComboList"));
    auto *combo = new QComboBox(frame);
    combo->setObjectName(QStringLiteral("cmbArtikelen"));
    connect(combo, &QComboBox::activated, this, [this, combo](int i) { cmbArtikelen_Click(combo->itemText(i)); });
    auto *fl = new QVBoxLayout(frame);
    fl->addWidget(combo);

    auto *ok = new QPushButton(QStringLiteral("&Klaar"), this);
    ok->setObjectName(QStringLiteral("cmdArtOK"));
    connect(ok, &QPushButton::clicked, this, [this] { unload(); });
    ClickLabel *help = helpPicture(QStringLiteral("MI_H_Artikelen.htm"));
    help->setObjectName(QStringLiteral("picArt_Help"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *main = new QVBoxLayout(this);
    main->addWidget(frame);
    main->addLayout(buttons);
    resize(480, sizeHint().height());
    takeMainColours();
    LoadArtikelen();
}

void frmArtikelen::LoadArtikelen()
{
    auto *combo = findChild<QComboBox *>(QStringLiteral("cmbArtikelen"));
    QDir dir(paths::file(QStringLiteral("Documentatie")));
    dir.setNameFilters({QStringLiteral("*.pdf")});
    dir.setFilter(QDir::Files | QDir::Hidden);
    for (const QFileInfo &fi : dir.entryInfoList())
        if (fi.isFile() && fi.fileName().endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            insertSorted(combo, fi.fileName());
}

void frmArtikelen::cmbArtikelen_Click(const QString &item)
{
    m_articlePath = QDir(paths::file(QStringLiteral("Documentatie"))).filePath(item);
    m_readerPath = zymPath(QStringLiteral("SysteemVariabelen"), QStringLiteral("AdobePath"), DefaultPdfReader);
    if (ExistFile(m_readerPath)) {
        m_commandLine = m_readerPath + u' ' + m_articlePath;
        ShellAndWait(m_readerPath, {m_articlePath}, false);
        return;
    }
    if (m_svc.msgBox(PdfLezerVraag, mb::YesNoCancel + mb::Exclamation, Attentie) != mb::Yes)
        return;
    if (auto *finder = qobject_cast<frmSearch *>(windows().show(QStringLiteral("frmSearch")))) {
        const QString name = QFileInfo(m_readerPath).fileName();
        finder->prepare(m_articlePath, name.isEmpty() ? QFileInfo(DefaultPdfReader).fileName() : name);
    }
}

// ---------------------------------------------------------------- frmSearch

frmSearch::frmSearch(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmSearch"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("File Finder"));

    auto *bar = new QMenuBar(this);
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File"));
    QAction *external = file->addAction(QStringLiteral("&Open with External Editor"));
    external->setObjectName(QStringLiteral("External"));
    connect(external, &QAction::triggered, this, &frmSearch::openSelected);
    QAction *full = file->addAction(QStringLiteral("&Full Screen"));
    full->setObjectName(QStringLiteral("Full"));
    connect(full, &QAction::triggered, this, &frmSearch::copyPicture);

    auto *frame1 = new QGroupBox(QStringLiteral(" File en locatie "), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto *label1 = new QLabel(QStringLiteral("Zoek in:"), frame1);
    label1->setObjectName(QStringLiteral("Label1"));
    m_text1 = new QLineEdit(QStringLiteral("/"), frame1);
    m_text1->setObjectName(QStringLiteral("Text1"));
    auto *command2 = new QPushButton(QStringLiteral("..."), frame1);
    command2->setObjectName(QStringLiteral("Command2"));
    command2->setToolTip(QStringLiteral("Browse for folders"));
    command2->setAutoDefault(false);
    connect(command2, &QPushButton::clicked, this, &frmSearch::Command2_Click);
    auto *label2 = new QLabel(QStringLiteral("Bestand:"), frame1);
    label2->setObjectName(QStringLiteral("Label2"));
    m_combo2 = new QComboBox(frame1);
    m_combo2->setObjectName(QStringLiteral("Combo2"));
    m_combo2->setEditable(true);
    m_combo2->addItems({"*.jpg", "*.gif", "*.bmp", "*.wmf", "*.txt", "*.doc", "*.xls", "*.pdf", "*.exe"});
    m_combo2->setEditText(QFileInfo(DefaultPdfReader).fileName());
    m_command1 = new QPushButton(QStringLiteral("&Zoek"), frame1);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAutoDefault(false);
    connect(m_command1, &QPushButton::clicked, this, &frmSearch::Command1_Click);
    auto *g1 = new QGridLayout(frame1);
    g1->addWidget(label1, 0, 0);
    g1->addWidget(m_text1, 0, 1);
    g1->addWidget(command2, 0, 2);
    g1->addWidget(label2, 1, 0);
    g1->addWidget(m_combo2, 1, 1);
    g1->addWidget(m_command1, 1, 2);

    m_frame2 = new QGroupBox(QStringLiteral(" Gevonden bestand(en) "), this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_list1 = new QListWidget(m_frame2);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setUniformItemSizes(true);
    connect(m_list1, &QListWidget::itemClicked, this, &frmSearch::List1_Click);
    connect(m_list1, &QListWidget::itemDoubleClicked, this, &frmSearch::copyPicture);
    m_list1->installEventFilter(this);
    auto *l2 = new QVBoxLayout(m_frame2);
    l2->addWidget(m_list1);

    auto *frame4 = new QGroupBox(QStringLiteral(" Aantal "), this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    m_label3 = new QLabel(frame4);
    m_label3->setObjectName(QStringLiteral("Label3"));
    auto *l4 = new QVBoxLayout(frame4);
    l4->addWidget(m_label3);

    auto *frame3 = new QGroupBox(QStringLiteral(" Preview "), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    m_image1 = new QLabel(frame3);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setFixedSize(160, 120);
    m_image1->setAlignment(Qt::AlignCenter);
    auto *l3 = new QVBoxLayout(frame3);
    l3->addWidget(m_image1);

    auto *command3 = new QPushButton(QStringLiteral("&Klaar"), this);
    command3->setObjectName(QStringLiteral("Command3"));
    command3->setAutoDefault(false);
    connect(command3, &QPushButton::clicked, this, &frmSearch::Command3_Click);

    auto *side = new QVBoxLayout;
    side->addWidget(frame4);
    side->addWidget(frame3);
    side->addStretch();
    side->addWidget(command3);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_frame2, 1);
    middle->addLayout(side);
    auto *main = new QVBoxLayout(this);
    main->setMenuBar(bar);
    main->addWidget(frame1);
    main->addLayout(middle, 1);
    resize(640, 420);
    takeMainColours();
}

void frmSearch::prepare(const QString &articlePath, const QString &pattern)
{
    m_articlePath = articlePath;
    m_combo2->setEditText(pattern);
}

void frmSearch::ClearResults()
{
    m_image1->clear();
    m_hasPicture = false;
    m_list1->clear();
    m_label3->clear();
}

void frmSearch::Command1_Click()
{
    if (m_searching) {
        m_stop = true;
        return;
    }
    ClearResults();
    m_frame2->setTitle(QStringLiteral(" Gevonden bestand(en) "));
    m_searching = true;
    m_stop = false;
    m_command1->setText(QStringLiteral("&Stop"));
    FindResult r;
    {
        BusyCursor busy;
        FileFinder finder;
        finder.onFound = [this](const QStringList &paths) { m_list1->addItems(paths); };
        // The window stays usable, so that Stop can be pressed.
        finder.shouldStop = [this] {
            m_svc.processEvents();
            return m_stop;
        };
        r = finder.run(m_text1->text(), m_combo2->currentText());
    }
    m_searching = false;
    m_command1->setText(QStringLiteral("&Zoek"));
    m_label3->setText(QString::number(r.files) + QStringLiteral(" File(s)"));
    if (m_klaarAfterSearch) {
        m_klaarAfterSearch = false;
        Command3_Click();
    } else if (m_unloadAfterSearch) {
        unload();
    }
}

// Closed while the search runs: the search ends first, then the window goes.
void frmSearch::onCancel()
{
    if (!m_searching) {
        unload();
        return;
    }
    m_stop = true;
    m_unloadAfterSearch = true;
}

void frmSearch::closeEvent(QCloseEvent *event)
{
    if (m_searching) {
        event->ignore();
        onCancel();
        return;
    }
    WindowBase::closeEvent(event);
}

void frmSearch::Command2_Click()
{
    const std::optional<QString> folder = m_svc.folderName(QStringLiteral("Zoek"), m_text1->text());
    if (!folder)
        return;
    m_text1->setText(*folder);
    ClearResults();
}

void frmSearch::List1_Click()
{
    QListWidgetItem *item = m_list1->currentItem();
    if (!item)
        return;
    const QImage picture(item->text());
    if (picture.isNull())
        return;  // no picture: the preview stays as it was
    m_image1->setPixmap(QPixmap::fromImage(picture).scaled(m_image1->size(), Qt::KeepAspectRatio));
    m_hasPicture = true;
}

void frmSearch::openSelected()
{
    if (QListWidgetItem *item = m_list1->currentItem())
        m_svc.openUrl(QUrl::fromLocalFile(item->text()).toString());
}

void frmSearch::copyPicture()
{
    QListWidgetItem *item = m_list1->currentItem();
    if (!m_hasPicture || !item) {
        m_svc.msgBox(QStringLiteral("No picture selected"), mb::Critical, QStringLiteral("Error"));
        return;
    }
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setImage(QImage(item->text()));
}

bool frmSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openSelected();
            return true;
        }
    }
    return WindowBase::eventFilter(watched, event);
}

void frmSearch::Command3_Click()
{
    // Pressed while searching: the search stops first and Klaar follows it.
    if (m_searching) {
        m_stop = true;
        m_klaarAfterSearch = true;
        return;
    }
    QListWidgetItem *item = m_list1->currentItem();
    const QString reader = item && item->isSelected() ? item->text() : QString();
    const QFileInfo fi(reader);
    // Only a program is stored: anything else would be started as one later.
    if (reader.isEmpty() || !fi.isFile() || !fi.isExecutable()) {
        m_svc.msgBox(PdfLezerOntbreekt, mb::OKOnly + mb::Exclamation, Attentie);
    } else {
        keepZymPath(QStringLiteral("Systeemvariabelen"), QStringLiteral("Adobepath"), reader);
        if (auto *articles = qobject_cast<frmArtikelen *>(windows().find(QStringLiteral("frmArtikelen")))) {
            articles->m_readerPath = reader;
            articles->m_commandLine = reader + u' ' + m_articlePath;
        }
        ShellAndWait(reader, {m_articlePath}, false);
    }
    unload();
}

}  // namespace mostarium
