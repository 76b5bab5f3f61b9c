#include "frmAchtergrond.h"

#include "InfoWindows.h"

#include "core/Ini.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/ZymSettings.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace mostarium {

namespace {
QString driveOf(const QString &folder)
{
    const QString abs = QDir::fromNativeSeparators(QFileInfo(folder).absoluteFilePath());
    QString best;
    for (const QFileInfo &d : QDir::drives()) {
        const QString root = QDir::fromNativeSeparators(d.absoluteFilePath());
        if (abs.startsWith(root, Qt::CaseInsensitive) && root.size() > best.size())
            best = root;
    }
    return best.isEmpty() ? QDir::rootPath() : best;
}
}  // namespace

frmAchtergrond::frmAchtergrond(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmAchtergrond"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Achtergrondkeuze"));

    auto *frame = new QGroupBox(QStringLiteral(" Achtergrond "), this);
    frame->setObjectName(QStringLiteral("fraBGkeuze"));

    m_drive = new QComboBox(frame);
    m_drive->setObjectName(QStringLiteral("drvDrive"));
    for (const QFileInfo &d : QDir::drives())
        m_drive->addItem(QDir::toNativeSeparators(d.absoluteFilePath()),
                         QDir::fromNativeSeparators(d.absoluteFilePath()));

    m_dirs = new QListWidget(frame);
    m_dirs->setObjectName(QStringLiteral("DirDirList"));
    m_dirs->setMinimumSize(200, 150);

    m_pictures = new QComboBox(frame);
    m_pictures->setObjectName(QStringLiteral("cmbBGkeuze"));
    m_pictures->setToolTip(QStringLiteral("Selecteer achtergrond (*.bmp, *.jpg of *.gif)!"));

    m_preview = new QLabel(frame);
    m_preview->setObjectName(QStringLiteral("picBGkeuze"));
    m_preview->setToolTip(QStringLiteral("De geselecteerde achtergrond."));
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setFrameShadow(QFrame::Sunken);
    m_preview->setFixedSize(240, 180);

    m_source = new QLabel(this);
    m_source->setObjectName(QStringLiteral("picBron"));
    m_source->hide();

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdBGOK"));
    auto *apply = new QPushButton(QStringLiteral("Pas toe"), this);
    apply->setObjectName(QStringLiteral("cmdBGPasToe"));
    auto *cancel = new QPushButton(QStringLiteral("Annuleren"), this);
    cancel->setObjectName(QStringLiteral("cmdBGAnnuleer"));

    auto *help = helpPicture(QStringLiteral("MI_V_Achtergrond.htm"));
    help->setObjectName(QStringLiteral("picAchtergrond"));

    auto *grid = new QGridLayout(frame);
    grid->addWidget(m_drive, 0, 0);
    grid->addWidget(m_dirs, 1, 0, 2, 1);
    grid->addWidget(m_pictures, 0, 1);
    grid->addWidget(m_preview, 1, 1);
    grid->setRowStretch(2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(frame);
    lay->addLayout(buttons);

    connect(m_drive, &QComboBox::activated, this, [this](int) { drvDrive_Change(); });
    connect(m_dirs, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setFolderListPath(item->data(Qt::UserRole).toString()); });
    connect(m_pictures, &QComboBox::activated, this, &frmAchtergrond::cmbBGkeuze_Click);
    connect(ok, &QPushButton::clicked, this, &frmAchtergrond::cmdBGOK_Click);
    connect(apply, &QPushButton::clicked, this, &frmAchtergrond::cmdBGPasToe_Click);
    connect(cancel, &QPushButton::clicked, this, &frmAchtergrond::cmdBGAnnuleer_Click);

    // Form_Load
    applyMainBackColor(this);
    m_folder = paths::file(QStringLiteral("\\Achtergronden"));
    const QString drive = driveOf(m_folder);
    m_drive->setCurrentIndex(std::max(0, m_drive->findData(drive, Qt::UserRole, Qt::MatchFixedString)));
    fillFolderList(drive);
    // A missing picture folder leaves the lists where the drive put them.
    if (!setFolderListPath(m_folder))
        return;
    FillBackgroundList();
    PreviewBackground();
}

void frmAchtergrond::fillFolderList(const QString &path)
{
    m_dirPath = QDir::cleanPath(path);
    m_dirs->clear();
    // The path from the root down, then the folders inside it, as a folder list shows them.
    QStringList chain;
    for (QDir d(m_dirPath);;) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp())
            break;
    }
    int depth = 0;
    for (const QString &p : chain) {
        const QString name = QDir(p).isRoot() ? QDir::toNativeSeparators(p) : QDir(p).dirName();
        auto *item =
            new QListWidgetItem(style()->standardIcon(QStyle::SP_DirOpenIcon), QString(depth * 2, u' ') + name, m_dirs);
        item->setData(Qt::UserRole, p);
        ++depth;
    }
    m_dirs->setCurrentRow(m_dirs->count() - 1);
    const QStringList subs =
        QDir(m_dirPath).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &s : subs) {
        auto *item =
            new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), QString(depth * 2, u' ') + s, m_dirs);
        item->setData(Qt::UserRole, QDir(m_dirPath).filePath(s));
    }
}

bool frmAchtergrond::setFolderListPath(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    fillFolderList(path);
    DirDirList_Change();
    return true;
}

void frmAchtergrond::drvDrive_Change() { setFolderListPath(m_drive->currentData().toString()); }

void frmAchtergrond::DirDirList_Change()
{
    m_folder = m_dirPath;
    FillBackgroundList();
    PreviewBackground();
}

void frmAchtergrond::FillBackgroundList()
{
    m_pictures->clear();
    const QDir dir(m_folder);
    // Grouped by kind, whatever the names: bitmaps, then GIF, then JPEG.
    for (const char *pattern : {"*.bmp", "*.gif", "*.jpg"})
        m_pictures->addItems(dir.entryList({QString::fromLatin1(pattern)}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

bool frmAchtergrond::loadAndPaint(const QString &file)
{
    QPixmap pix;
    if (!pix.load(file))
        return false;
    m_source->setPixmap(pix);
    m_source->resize(pix.size());
    // The whole picture, stretched or squeezed to fill the preview.
    m_preview->setPixmap(pix.scaled(m_preview->contentsRect().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return true;
}

void frmAchtergrond::PreviewBackground()
{
    if (m_pictures->count() == 0) {
        m_preview->clear();
        return;
    }
    m_chosen = m_folder + u'/' + m_pictures->itemText(0);
    if (!loadAndPaint(m_chosen))
        return;
    m_pictures->setCurrentIndex(0);
}

void frmAchtergrond::cmbBGkeuze_Click(int index)
{
    if (index < 0)
        return;
    m_chosen = m_folder + u'/' + m_pictures->itemText(index);
    loadAndPaint(m_chosen);
}

void frmAchtergrond::cmdBGPasToe_Click()
{
    QWidget *main = mainWindow();
    if (!setTilePicture(main, m_chosen))
        return;
    TileForm(main);
    playIfOn(QStringLiteral("zadiver_plop.wav"));
}

void frmAchtergrond::playIfOn(const QString &sound) const
{
    if (m_s.app.geluidAan)
        m_svc.playSound(paths::file(QStringLiteral("Sounds/") + sound), true);
}

void frmAchtergrond::cmdBGOK_Click()
{
    keepZymPath(QStringLiteral("Background"), QStringLiteral("PicFile"), m_chosen);
    QWidget *main = mainWindow();
    // A stored choice that is no picture keeps the window open.
    if (!setTilePicture(main, m_chosen))
        return;
    TileForm(main);
    playClick();
    unload();
}

void frmAchtergrond::cmdBGAnnuleer_Click()
{
    applyBackground(mainWindow());
    playIfOn(QStringLiteral("zadiver_plop.wav"));
    unload();
}

}  // namespace mostarium
