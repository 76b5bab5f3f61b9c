#include "frmBierSoorten.h"

#include "core/Paths.h"
#include "core/Services.h"
#include "core/StyleList.h"
#include "platform/Twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mostarium {

namespace {

const QString Attentie = QStringLiteral("Attentie!");
const QString Caption = QStringLiteral(" Edit BierSoorten.txt  ");

void takeBackColour(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, MainBackColor());
    w->setPalette(p);
}

}  // namespace

QString bierSoortenNietGevonden()
{
    return paths::shownFile(QStringLiteral("Biersoorten.txt")) + QStringLiteral(" niet gevonden!");
}

QWidget *frmBierSoorten::open(Session &s, Services &svc)
{
    const StyleList list = readStyleList();
    if (!list.refusal.isEmpty()) {
        svc.msgBox(BierSoortenNietGelezen, mb::OKOnly + mb::Exclamation, Attentie);
        return nullptr;
    }
    if (!list.present) {
        svc.msgBox(bierSoortenNietGevonden(), mb::OKOnly + mb::Exclamation, Attentie);
        return nullptr;
    }
    return new frmBierSoorten(s, svc, list.path, list.lines);
}

frmBierSoorten::frmBierSoorten(Session &s, Services &svc, const QString &path, const QStringList &lines,
                               QWidget *parent)
    : WindowBase(QStringLiteral("frmBierSoorten"), s, svc, parent), m_path(path)
{
    setWindowTitle(QStringLiteral("Edit BierSoorten.txt"));

    m_fraBierSoorten = new QGroupBox(Caption, this);
    m_fraBierSoorten->setObjectName(QStringLiteral("fraBierSoorten"));
    m_lblBS_Selecteer = new QLabel(QStringLiteral("Biersoort:"), m_fraBierSoorten);
    m_lblBS_Selecteer->setObjectName(QStringLiteral("lblBS_Selecteer"));

    m_cmbBierSoorten = new QComboBox(m_fraBierSoorten);
    m_cmbBierSoorten->setObjectName(QStringLiteral("cmbBierSoorten"));
    m_cmbBierSoorten->setEditable(true);
    // Only the buttons change the list: Enter inserts nothing, and no
    // completion fills in another style's line while typing.
    m_cmbBierSoorten->setInsertPolicy(QComboBox::NoInsert);
    m_cmbBierSoorten->setCompleter(nullptr);
    m_cmbBierSoorten->setMaxVisibleItems(20);
    // Long lines lose the end of their description, never the style's name.
    m_cmbBierSoorten->view()->setTextElideMode(Qt::ElideRight);
    m_cmbBierSoorten->setMinimumWidth(layout::px(8400));
    m_cmbBierSoorten->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_lblBS_Selecteer->setBuddy(m_cmbBierSoorten);

    auto button = [this](QWidget *parent, const char *name, const QString &caption, void (frmBierSoorten::*click)()) {
        auto *b = new QPushButton(caption, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    QPushButton *vervang =
        button(m_fraBierSoorten, "cmdBS_Vervang", QStringLiteral("&Vervang"), &frmBierSoorten::cmdBS_Vervang_Click);
    QPushButton *verwijder = button(m_fraBierSoorten, "cmdBS_Verwijder", QStringLiteral("Ver&wijder"),
                                    &frmBierSoorten::cmdBS_Verwijder_Click);
    QPushButton *voegtoe =
        button(m_fraBierSoorten, "cmdBS_Voegtoe", QStringLiteral("Voeg &toe"), &frmBierSoorten::cmdBS_Voegtoe_Click);
    QPushButton *ok = button(this, "cmdBS_OK", QStringLiteral("&OK"), &frmBierSoorten::cmdBS_OK_Click);
    QPushButton *annuleren =
        button(this, "cmdBS_Annuleren", QStringLiteral("&Annuleren"), &frmBierSoorten::cmdBS_Annuleren_Click);
    ClickLabel *help = helpPicture(QStringLiteral("MI_T_Biersoorten.htm"));
    help->setObjectName(QStringLiteral("picBS_Help"));

    auto *frame = new QGridLayout(m_fraBierSoorten);
    frame->addWidget(m_lblBS_Selecteer, 0, 0);
    frame->addWidget(m_cmbBierSoorten, 1, 0);
    auto *edits = new QHBoxLayout;
    edits->addStretch();
    edits->addWidget(vervang);
    edits->addWidget(verwijder);
    edits->addWidget(voegtoe);
    frame->addLayout(edits, 2, 0);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(annuleren);
    auto *main = new QVBoxLayout(this);
    main->addWidget(m_fraBierSoorten);
    main->addLayout(buttons);

    connect(m_cmbBierSoorten, &QComboBox::activated, this, &frmBierSoorten::chosen);
    connect(m_cmbBierSoorten->lineEdit(), &QLineEdit::textEdited, this, &frmBierSoorten::typed);

    // The window, the frame, the label and the help picture take the main
    // window's colour; the combo box and the buttons keep their own.
    applyMainBackColor(this);
    for (QWidget *w : {static_cast<QWidget *>(m_fraBierSoorten), static_cast<QWidget *>(m_lblBS_Selecteer),
                       static_cast<QWidget *>(help)})
        takeBackColour(w);

    LoadBierSoorten(lines);
    m_cmbBierSoorten->setFocus();
}

QStringList frmBierSoorten::items() const
{
    QStringList list;
    list.reserve(m_cmbBierSoorten->count());
    for (int i = 0; i < m_cmbBierSoorten->count(); ++i)
        list << m_cmbBierSoorten->itemText(i);
    return list;
}

int frmBierSoorten::rememberedRow() const { return m_remembered.isValid() ? m_remembered.row() : -1; }

void frmBierSoorten::LoadBierSoorten(const QStringList &lines)
{
    m_cmbBierSoorten->clear();
    m_cmbBierSoorten->addItems(sortedStyleItems(lines));
    m_cmbBierSoorten->setCurrentIndex(-1);
    m_cmbBierSoorten->clearEditText();
    m_remembered = QPersistentModelIndex();
    showCaption();
}

bool frmBierSoorten::SaveBierSoorten() { return writeStyleList(m_path, items()); }

void frmBierSoorten::chosen(int row)
{
    m_remembered = QPersistentModelIndex(m_cmbBierSoorten->model()->index(row, 0));
    showCaption();
    // The style's name in sight, not the end of its description.
    m_cmbBierSoorten->lineEdit()->setCursorPosition(0);
}

void frmBierSoorten::typed()
{
    // The text no longer is the chosen item's: the list lets go of it, the
    // remembered style stays.
    if (m_cmbBierSoorten->currentIndex() < 0)
        return;
    QLineEdit *edit = m_cmbBierSoorten->lineEdit();
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    m_cmbBierSoorten->setCurrentIndex(-1);
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

void frmBierSoorten::showCaption()
{
    const int row = rememberedRow();
    m_fraBierSoorten->setTitle(row < 0 ? Caption : Caption + QStringLiteral("Listindex:") + QString::number(row));
}

std::optional<QString> frmBierSoorten::lineToAdd()
{
    const QString text = m_cmbBierSoorten->currentText();
    if (!hasComma(text)) {
        m_svc.msgBox(KommaOntbreekt, mb::OKOnly + mb::Exclamation, Attentie);
        return std::nullopt;
    }
    const QString line = text.trimmed();
    if (const auto bad = unstorableChar(line)) {
        const QString what = (*bad == u"\r" || *bad == u"\n") ? QStringLiteral("Een regeleinde")
                                                              : QStringLiteral("Het teken \"%1\"").arg(*bad);
        m_svc.msgBox(what + QStringLiteral(" kan niet in BierSoorten.txt worden bewaard!"),
                     mb::OKOnly + mb::Exclamation, Attentie);
        return std::nullopt;
    }
    return line;
}

namespace {

// Runs a change of the list's rows with the text field as it was; when the
// list's own selection went with a removed row, nothing is selected.
template <typename F>
void keepingText(QComboBox *combo, F change)
{
    const QString text = combo->currentText();
    const int current = combo->currentIndex();
    const QPersistentModelIndex selected(current >= 0 ? combo->model()->index(current, 0) : QModelIndex());
    change();
    if (!selected.isValid() || selected.row() != combo->currentIndex())
        combo->setCurrentIndex(-1);
    if (combo->currentText() != text)
        combo->setEditText(text);
}

}  // namespace

int frmBierSoorten::addSorted(const QString &line)
{
    const int row = int(sortedPlace(items(), line));
    keepingText(m_cmbBierSoorten, [&] { m_cmbBierSoorten->insertItem(row, line); });
    return row;
}

void frmBierSoorten::removeRow(int row)
{
    keepingText(m_cmbBierSoorten, [&] { m_cmbBierSoorten->removeItem(row); });
}

void frmBierSoorten::cmdBS_Vervang_Click()
{
    const auto line = lineToAdd();
    if (!line)
        return;
    // The style chosen last, wherever Add and Delete have moved it since.
    if (!m_remembered.isValid()) {
        m_svc.msgBox(KiesEerstTeVervangen, mb::OKOnly + mb::Exclamation, Attentie);
        return;
    }
    removeRow(m_remembered.row());
    const int row = addSorted(*line);
    m_remembered = QPersistentModelIndex(m_cmbBierSoorten->model()->index(row, 0));
    showCaption();
}

void frmBierSoorten::cmdBS_Verwijder_Click()
{
    const int current = m_cmbBierSoorten->currentIndex();
    if (current < 0)
        return;
    m_cmbBierSoorten->removeItem(current);
    m_cmbBierSoorten->setCurrentIndex(-1);
    m_cmbBierSoorten->clearEditText();
    showCaption();
}

void frmBierSoorten::cmdBS_Voegtoe_Click()
{
    if (const auto line = lineToAdd()) {
        addSorted(*line);
        showCaption();
    }
}

void frmBierSoorten::cmdBS_OK_Click()
{
    playClick();
    // A list that cannot be written stays here, edits and all.
    if (!SaveBierSoorten()) {
        m_svc.msgBox(BierSoortenNietOpgeslagen, mb::OKOnly + mb::Exclamation, Attentie);
        return;
    }
    unload();
}

void frmBierSoorten::cmdBS_Annuleren_Click()
{
    playClick();
    unload();
}

}  // namespace mostarium
