#include "frmLinksEnLiteratuur.h"

#include "core/LinkFiles.h"
#include "core/Paths.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mostarium {

QStringList linkFileNames(const QString &folder)
{
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.url")});
    dir.setFilter(QDir::Files | QDir::Hidden);
    QStringList names;
    for (const QFileInfo &fi : dir.entryInfoList()) {
        // Only ordinary files: the name must really end so (any case), and a
        // link that points elsewhere is no link file of this folder.
        if (fi.isFile() && !fi.isSymLink() && fi.fileName().endsWith(QStringLiteral(".url"), Qt::CaseInsensitive))
            names << fi.fileName();
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    return names;
}

frmLinksEnLiteratuur::frmLinksEnLiteratuur(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmLinksEnLiteratuur"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Links en Literatuur"));

    auto *links = new QGroupBox(QStringLiteral(" Links (uit 'URLs' subdirectory van de applicatie) "), this);
    links->setObjectName(QStringLiteral("fraLLLinks"));
    m_cmbLLLink = new QComboBox(links);
    m_cmbLLLink->setObjectName(QStringLiteral("cmbLLLink"));
    m_cmbLLLink->setMinimumWidth(300);
    // Chosen, also when it is the item already shown: each choice opens it.
    connect(m_cmbLLLink, &QComboBox::activated, this, [this](int i) { cmbLLLink_Click(m_cmbLLLink->itemText(i)); });
    auto *linksLayout = new QVBoxLayout(links);
    linksLayout->addWidget(m_cmbLLLink);

    auto *lit = new QGroupBox(QStringLiteral(" Aanbevolen Literatuur "), this);
    lit->setObjectName(QStringLiteral("fraLLLiteratuur"));
    const QString books[2] = {
        QStringLiteral("Tim Webb en Stephen Beaumont: \"Wereldatlas van het bier\", de Nederlandse uitgave van "
                       "\"The World Atlas of Beer\": de biertypen van de brouwlanden van de wereld."),
        QStringLiteral("Graham Wheeler en Roger Protz: \"Brew Classic European Beers at Home\" (CAMRA Books): "
                       "klassieke Europese bieren thuis nabrouwen, met recepten."),
    };
    auto *litLayout = new QVBoxLayout(lit);
    for (int i = 0; i < 2; ++i) {
        auto *l = new QLabel(books[i], lit);
        l->setObjectName(QStringLiteral("lblLLLit_%1").arg(i));
        l->setWordWrap(true);
        litLayout->addWidget(l);
    }

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdLLOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmLinksEnLiteratuur::cmdLLOK_Click);
    ClickLabel *help = helpPicture(QStringLiteral("MI_H_LenL.htm"));
    help->setObjectName(QStringLiteral("picLLHelp"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *main = new QVBoxLayout(this);
    main->addWidget(links);
    main->addWidget(lit);
    main->addLayout(buttons);
    resize(460, sizeHint().height());

    takeMainColours();
    LoadLinks();
}

void frmLinksEnLiteratuur::LoadLinks()
{
    // Added to what the list holds, in order without regard to case.
    for (const QString &name : linkFileNames(paths::file(QStringLiteral("URLs")))) {
        int at = 0;
        while (at < m_cmbLLLink->count() && QString::compare(m_cmbLLLink->itemText(at), name, Qt::CaseInsensitive) <= 0)
            ++at;
        m_cmbLLLink->insertItem(at, name);
    }
}

void frmLinksEnLiteratuur::cmbLLLink_Click(const QString &item)
{
    const QString path = QDir(paths::file(QStringLiteral("URLs"))).filePath(item);
    // Deleted since the list was filled: nothing happens.
    if (ExistFile(path))
        OpenInternetShortCut(path);
}

void frmLinksEnLiteratuur::cmdLLOK_Click() { unload(); }

}  // namespace mostarium
