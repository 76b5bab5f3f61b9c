#pragma once

#include "core/WholeFile.h"

#include <QString>
#include <QStringView>
#include <vector>

// The classification of commercial beers (BierIndeling.txt) as a plain tree.
// Each node hangs on its parent by index, so equal texts or many classes,
// subclasses or beers never make two nodes collide.
namespace mostarium {

struct IndelingNode {
    enum class Kind { Root, Class, Subclass, Beer };
    Kind kind = Kind::Root;
    QString text;
    int parent = -1;            // index in BierIndeling::nodes; -1 for the root
    std::vector<int> children;  // in the order they are shown
};

// Why the reading ended before the end of the text.
enum class IndelingStop {
    None,
    NoRoot,      // a class line with no root line before it
    NoClass,     // a subclass line before the first class line
    NoSubclass,  // a beer line before the first subclass line of its class
    SecondRoot,  // a root line when there is one already
};

struct BierIndeling {
    std::vector<IndelingNode> nodes;  // nodes[0] is the root when there is one
    IndelingStop stop = IndelingStop::None;
    int stopLine = 0;  // 1-based line that stopped the reading, 0 when none

    bool empty() const { return nodes.empty(); }
};

// The root's text, whatever its line says.
inline constexpr char16_t IndelingRootText[] = u"Commerciele bieren ingedeeld naar klassen";

// The order of sorted nodes: alphabetical, letter case ignored.
bool indelingLess(const QString &a, const QString &b);

// Builds the tree from the file's text. Each line is trimmed of blanks (not
// of tabs); its first character says what it is ("%" root, "*" class,
// ">" subclass, "!" beer, anything else nothing), the rest is its text. A
// class keeps its subclasses sorted as they are added; everything else stays
// in file order. A line that cannot be placed stops the reading there: what
// was built stays.
BierIndeling parseBierIndeling(QStringView text);

// Reads `path` (Windows-1252) and parses it. A file that is missing or
// refused gives an empty tree and says why.
FileRead readBierIndeling(const QString &path, BierIndeling &tree);

}  // namespace mostarium
