#include "BierIndeling.h"

#include "core/Cp1252.h"

#include <algorithm>

namespace mostarium {

namespace {

// Blanks only: a tab is part of the line.
QStringView trimBlanks(QStringView line)
{
    qsizetype from = 0;
    qsizetype to = line.size();
    while (from < to && line[from] == u' ')
        ++from;
    while (to > from && line[to - 1] == u' ')
        --to;
    return line.mid(from, to - from);
}

class Builder {
public:
    explicit Builder(BierIndeling &tree) : m_tree(tree) {}

    // False when the line cannot be placed.
    bool line(QStringView raw)
    {
        const QStringView line = trimBlanks(raw);
        if (line.isEmpty())
            return true;
        const QString rest = line.mid(1).toString();
        switch (line[0].unicode()) {
        case u'%':
            if (!m_tree.nodes.empty())
                return fail(IndelingStop::SecondRoot);
            add(IndelingNode::Kind::Root, QString::fromUtf16(IndelingRootText), -1, false);
            return true;
        case u'*':
            if (m_tree.nodes.empty())
                return fail(IndelingStop::NoRoot);
            m_class = add(IndelingNode::Kind::Class, rest, 0, false);
            m_subclass = -1;
            return true;
        case u'>':
            if (m_class < 0)
                return fail(IndelingStop::NoClass);
            m_subclass = add(IndelingNode::Kind::Subclass, rest, m_class, true);
            return true;
        case u'!':
            if (m_subclass < 0)
                return fail(IndelingStop::NoSubclass);
            add(IndelingNode::Kind::Beer, rest, m_subclass, false);
            return true;
        default:
            return true;
        }
    }

private:
    bool fail(IndelingStop why)
    {
        m_tree.stop = why;
        return false;
    }

    int add(IndelingNode::Kind kind, const QString &text, int parent, bool sortedPlace)
    {
        const int index = int(m_tree.nodes.size());
        m_tree.nodes.push_back({kind, text, parent, {}});
        if (parent >= 0) {
            std::vector<int> &siblings = m_tree.nodes[size_t(parent)].children;
            auto at = siblings.end();
            // After the last sibling that does not come later: equal texts keep
            // their file order.
            if (sortedPlace)
                at = std::upper_bound(siblings.begin(), siblings.end(), index, [this](int a, int b) {
                    return indelingLess(m_tree.nodes[size_t(a)].text, m_tree.nodes[size_t(b)].text);
                });
            siblings.insert(at, index);
        }
        return index;
    }

    BierIndeling &m_tree;
    int m_class = -1;
    int m_subclass = -1;  // of the current class
};

}  // namespace

bool indelingLess(const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }

BierIndeling parseBierIndeling(QStringView text)
{
    BierIndeling tree;
    Builder builder(tree);
    int number = 0;
    qsizetype from = 0;
    while (from < text.size()) {
        // A line ends at CR LF, CR or LF.
        qsizetype end = from;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        ++number;
        if (!builder.line(text.mid(from, end - from))) {
            tree.stopLine = number;
            break;
        }
        from = end;
        if (from < text.size() && text[from] == u'\r')
            ++from;
        if (from < text.size() && text[from] == u'\n')
            ++from;
    }
    return tree;
}

FileRead readBierIndeling(const QString &path, BierIndeling &tree)
{
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxTextFileSize, bytes);
    tree = read == FileRead::Ok ? parseBierIndeling(cp1252::decode(bytes)) : BierIndeling{};
    return read;
}

}  // namespace mostarium
