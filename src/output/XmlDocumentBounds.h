#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The bounds an XML document is held to before QXmlStreamReader parses it:
// what the reader would spend time or memory on beyond the document's own
// size, counted in one linear pass over its characters.
namespace mostarium {

// The most attributes an element may carry, and the document's DTD may
// declare; the recipe format uses none.
inline constexpr int MaxXmlAttributes = 64;

// The most text the document's own entities may grow to in all; the recipe
// format declares none.
inline constexpr qsizetype MaxXmlEntityText = 1024 * 1024;

// The deepest the document's entities may refer to one another; the recipe
// format declares none.
inline constexpr int MaxXmlEntityDepth = 8;

// Where (line from 1, column in characters) and why a document is refused.
struct XmlRefusal {
    qsizetype line = 0, column = 0;
    QString reason;
};

// Refuses, in the encoding the reader reads `data` in:
// - a DOCTYPE after the first, inside or after the root element, or in an
//   entity's text (Qt's reader takes one anywhere): the entities of the one
//   DTD before the root are counted wherever the rest of the document refers
//   to them;
// - an element with more than MaxXmlAttributes attributes, or a DTD that
//   declares more (one per default or keyword of an attribute list, one per
//   "=" anywhere in its declarations, as an entity's text may hold elements);
// - a DTD that uses parameter entities: their text is read as declarations,
//   which could declare entities and attributes no count sees;
// - an entity whose text holds a character reference to "&", "<", "%" or
//   "=": the reader reads such text again as markup;
// - entities referred to more than MaxXmlEntityDepth deep, or that grow past
//   MaxXmlEntityText characters in all where they are referred to: anywhere
//   outside the DTD and in the attribute defaults of the DTD, each reference
//   counting as one character and all the text its entity grows to through
//   the entities it refers to.
// None when the document keeps within them, or names an encoding no decoder
// takes (the reader refuses that document itself).
// `entityWork`, when given, gets the characters read to count the references
// to entities (the texts searched for "&" and the names after it): each text
// is read once, so the work grows with the document, never with its square.
std::optional<XmlRefusal> xmlBoundsRefusal(const QByteArray &data, qsizetype *entityWork = nullptr);

}  // namespace mostarium
