#include "ShoppingList.h"

#include "core/Cp1252.h"
#include "core/NumText.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"

#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace mostarium {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The ingredient and its weight, without the leading percentages.
QString grainItem(const QString &caption)
{
    const qsizetype at = caption.indexOf(QStringLiteral("%  "));
    return at < 0 ? caption : caption.mid(at + 3);
}

// The weight, variety and alpha acid, without the boil time.
QString hopItem(const QString &caption)
{
    const qsizetype at = caption.indexOf(u';');
    return at < 0 ? caption : caption.left(at);
}

template <typename Labels, typename Cut>
void addItems(QStringList &lines, const Labels &labels, Cut cut)
{
    for (const auto &label : labels)
        if (!label.text.isEmpty())
            lines << QStringLiteral("- ") + cut(label.text);
}

template <typename Table>
void addEntries(QStringList &lines, const Table &entries)
{
    for (int i = 0; i < entries.size(); ++i)
        if (!entries(i).isEmpty())
            lines << QStringLiteral("- ") + entries(i);
}

}  // namespace

QString shoppingListPath(const Session &s)
{
    if (s.app.fileName.isEmpty())
        return {};
    const QString base = paths::safeFileName(QFileInfo(s.app.fileName).completeBaseName());
    return paths::file(QStringLiteral("temp/ShoppingList_") + base + QStringLiteral(".txt"));
}

QString shoppingListText(const Session &s, const QString &suppliers)
{
    const RecipeState &r = s.recipe;
    const DisplayModel &v = s.view;
    QString header =
        QStringLiteral("Shopping List for ") + num::plain(r.Doelstellingen(1)) + QStringLiteral(" L ") + r.Algemeen(0);
    if (s.app.dubbelBrouw)
        header += QStringLiteral(" + ") + num::plain(r.Doelstellingen(6)) + QStringLiteral(" L dunbier");

    QStringList lines{header, QString(), QString(), QStringLiteral("Benodigdheden storting:")};
    addItems(lines, v.lbl_StIngred, grainItem);
    lines << QString() << QStringLiteral("Benodigdheden aromahop:");
    addItems(lines, v.lbl_Ahop, hopItem);
    lines << QString() << QStringLiteral("Benodigdheden bitterhop:");
    addItems(lines, v.lbl_Bhop, hopItem);
    if (s.app.dubbelBrouw) {
        lines << QString() << QStringLiteral("Benodigdheden aromahop dunbier:");
        addItems(lines, v.lbl_Ahop2, hopItem);
        lines << QString() << QStringLiteral("Benodigdheden bitterhop dunbier:");
        addItems(lines, v.lbl_Bhop2, hopItem);
    }
    lines << QString() << QStringLiteral("Toevoegingen:");
    addEntries(lines, r.Toevoegingen);
    lines << QString() << QStringLiteral("Gist:");
    addEntries(lines, r.Gistkeuze);

    if (!suppliers.isNull()) {
        lines << QString() << QString() << QString() << QString() << QString();
        QString text = suppliers;
        text.replace(CrLf, QStringLiteral("\n")).replace(u'\r', u'\n');
        QStringList own = text.split(u'\n');
        // A last line end closes the last line; it starts no empty one.
        if (!own.isEmpty() && own.last().isEmpty())
            own.removeLast();
        lines << own;
    }
    return lines.join(CrLf) + CrLf;
}

bool MakeShoppingList(const Session &s)
{
    const QString path = shoppingListPath(s);
    if (path.isEmpty())
        return true;
    try {
        QString suppliers;
        QByteArray bytes;
        const FileRead read =
            readWholeFile(paths::file(QStringLiteral("Templates/Leveranciers.txt")), MaxTextFileSize, bytes);
        if (read == FileRead::Ok)
            suppliers = cp1252::decode(bytes);
        else if (read != FileRead::Missing)
            throw std::runtime_error("supplier list refused");
        paths::makeFolderOf(path);
        QString error;
        if (writeWholeFile(path, cp1252::encode(shoppingListText(s, suppliers)), &error))
            return true;
        // The list is named with the cause, and no older list is shown.
        services().msgBox(notWrittenText(path, error), mb::Exclamation, QStringLiteral("Attentie!"));
        return false;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "MakeShoppingList: %s\n", e.what());
        services().msgBox(QStringLiteral("Error in routine MakeShoppingList!"), mb::Exclamation,
                          QStringLiteral("Attentie!"));
        return false;
    }
}

void ShowShoppingListToScreen(const Session &s)
{
    const QString path = shoppingListPath(s);
    if (path.isEmpty())
        return;
    if (!services().showTextFile(path))
        services().msgBox(QStringLiteral("Error in routine ShowShoppingListToScreen!"), mb::Exclamation,
                          QStringLiteral("Attentie!"));
}

void mnuShoppingList_Click(const Session &s)
{
    if (MakeShoppingList(s))
        ShowShoppingListToScreen(s);
}

}  // namespace mostarium
