#include "MenuIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace mostarium {

namespace {

// Every picture is drawn on a 24 x 24 grid and scaled.
using Draw = void (*)(QPainter &);

const QColor Ink(60, 50, 40);
const QColor Paper(250, 250, 245);
const QColor Amber(222, 160, 40);
const QColor Green(70, 140, 60);
const QColor Blue(50, 110, 190);
const QColor Red(190, 50, 40);

void pen(QPainter &p, const QColor &c, double w = 1.4)
{
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void page(QPainter &p)
{
    pen(p, Ink);
    p.setBrush(Paper);
    QPainterPath path;
    path.moveTo(5, 2);
    path.lineTo(15, 2);
    path.lineTo(20, 7);
    path.lineTo(20, 22);
    path.lineTo(5, 22);
    path.closeSubpath();
    p.drawPath(path);
    p.drawLine(QPointF(15, 2), QPointF(15, 7));
    p.drawLine(QPointF(15, 7), QPointF(20, 7));
}

void nieuw(QPainter &p)
{
    page(p);
    pen(p, Amber, 2);
    p.drawLine(QPointF(12.5, 11), QPointF(12.5, 19));
    p.drawLine(QPointF(8.5, 15), QPointF(16.5, 15));
}

void openen(QPainter &p)
{
    pen(p, Ink);
    p.setBrush(Amber.lighter(130));
    p.drawRect(QRectF(2, 6, 18, 14));
    p.setBrush(Amber);
    QPolygonF front;
    front << QPointF(5, 11) << QPointF(23, 11) << QPointF(20, 20) << QPointF(2, 20);
    p.drawPolygon(front);
}

void opslaan(QPainter &p)
{
    pen(p, Ink);
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(Paper);
    p.drawRect(QRectF(7, 3, 10, 7));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(6, 13, 12, 8));
}

void afdrukken(QPainter &p)
{
    pen(p, Ink);
    p.setBrush(Paper);
    p.drawRect(QRectF(7, 2, 10, 8));
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
    p.setBrush(Paper);
    p.drawRect(QRectF(7, 15, 10, 7));
    pen(p, Green, 2);
    p.drawPoint(QPointF(18.5, 12));
}

void wizard(QPainter &p)
{
    pen(p, Ink, 2.4);
    p.drawLine(QPointF(4, 21), QPointF(15, 10));
    pen(p, Amber, 1.6);
    for (const auto &[x, y] : {std::pair{18.0, 3.0}, {21.0, 8.0}, {13.0, 4.0}, {19.0, 13.0}}) {
        p.drawLine(QPointF(x - 2, y), QPointF(x + 2, y));
        p.drawLine(QPointF(x, y - 2), QPointF(x, y + 2));
    }
}

void spoelcurve(QPainter &p)
{
    pen(p, Ink);
    p.drawLine(QPointF(3, 2), QPointF(3, 21));
    p.drawLine(QPointF(3, 21), QPointF(22, 21));
    pen(p, Blue, 2);
    QPainterPath c;
    c.moveTo(4, 4);
    c.cubicTo(8, 16, 14, 18, 21, 18.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(c);
}

void storting(QPainter &p)
{
    // An ear of barley.
    pen(p, Ink, 1.4);
    p.drawLine(QPointF(12, 22), QPointF(12, 4));
    p.setBrush(Amber);
    pen(p, Amber.darker(140), 1);
    for (int i = 0; i < 4; ++i) {
        const double y = 6 + i * 4;
        p.drawEllipse(QRectF(6, y, 5.5, 3.5));
        p.drawEllipse(QRectF(12.5, y, 5.5, 3.5));
    }
}

void hopgift(QPainter &p)
{
    // A hop cone of overlapping bracts.
    pen(p, Green.darker(150), 1);
    p.setBrush(Green.lighter(130));
    for (int row = 0; row < 4; ++row) {
        const double y = 5 + row * 4;
        const double half = 6 - row * 1.2;
        p.drawEllipse(QRectF(12 - half, y, half, 5));
        p.drawEllipse(QRectF(12, y, half, 5));
    }
    p.drawEllipse(QRectF(10.5, 20, 3, 3));
    pen(p, Green.darker(150), 1.4);
    p.drawLine(QPointF(12, 5), QPointF(14, 1));
}

void water(QPainter &p)
{
    pen(p, Blue.darker(130));
    p.setBrush(Blue.lighter(140));
    QPainterPath d;
    d.moveTo(12, 2);
    d.cubicTo(16, 9, 19, 12, 19, 15.5);
    d.arcTo(QRectF(5, 8.5, 14, 14), 0, -180);
    d.cubicTo(5, 12, 8, 9, 12, 2);
    p.drawPath(d);
}

void geluid(QPainter &p)
{
    pen(p, Ink);
    p.setBrush(QColor(120, 120, 120));
    QPolygonF s;
    s << QPointF(3, 9) << QPointF(8, 9) << QPointF(13, 4) << QPointF(13, 20) << QPointF(8, 15) << QPointF(3, 15);
    p.drawPolygon(s);
    p.setBrush(Qt::NoBrush);
    pen(p, Blue, 1.6);
    p.drawArc(QRectF(10, 7, 8, 10), -60 * 16, 120 * 16);
    p.drawArc(QRectF(10, 3, 12, 18), -60 * 16, 120 * 16);
}

void circleLetter(QPainter &p, const QColor &c, const QString &letter)
{
    pen(p, c.darker(130));
    p.setBrush(c);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(15);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, letter);
}

void help(QPainter &p) { circleLetter(p, Blue, QStringLiteral("?")); }
void info(QPainter &p) { circleLetter(p, Green, QStringLiteral("i")); }

void tip(QPainter &p)
{
    pen(p, Ink);
    p.setBrush(QColor(255, 225, 90));
    p.drawEllipse(QRectF(5, 2, 14, 14));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(9, 15, 6, 6));
    p.drawLine(QPointF(9, 18), QPointF(15, 18));
}

void registreer(QPainter &p)
{
    pen(p, Ink);
    p.setBrush(Paper);
    p.drawRect(QRectF(2, 6, 20, 13));
    p.drawLine(QPointF(2, 6), QPointF(12, 14));
    p.drawLine(QPointF(22, 6), QPointF(12, 14));
}

void afsluiten(QPainter &p)
{
    pen(p, Ink);
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(4, 2, 12, 20));
    pen(p, Red, 2.2);
    p.drawLine(QPointF(11, 12), QPointF(22, 12));
    p.drawLine(QPointF(18, 8), QPointF(22, 12));
    p.drawLine(QPointF(18, 16), QPointF(22, 12));
}

const QHash<QString, Draw> &painters()
{
    static const QHash<QString, Draw> table = {
        {QStringLiteral("Nieuw"), nieuw},
        {QStringLiteral("Openen"), openen},
        {QStringLiteral("Opslaan"), opslaan},
        {QStringLiteral("Afdrukken"), afdrukken},
        {QStringLiteral("Wizard"), wizard},
        {QStringLiteral("Spoelcurve"), spoelcurve},
        {QStringLiteral("Storting"), storting},
        {QStringLiteral("Hopgift"), hopgift},
        {QStringLiteral("Wateraanpassing"), water},
        {QStringLiteral("Biergeluiden"), geluid},
        {QStringLiteral("Help"), help},
        {QStringLiteral("Tip"), tip},
        {QStringLiteral("Registreer"), registreer},
        {QStringLiteral("Info"), info},
        {QStringLiteral("Afsluiten"), afsluiten},
    };
    return table;
}

}  // namespace

QPixmap programPicture(const QString &key, int size)
{
    static QHash<QString, QPixmap> cache;
    const QString id = key + u'/' + QString::number(size);
    if (auto it = cache.constFind(id); it != cache.constEnd())
        return *it;
    const Draw draw = painters().value(key);
    if (!draw || size <= 0)
        return {};
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    draw(p);
    p.end();
    cache.insert(id, pm);
    return pm;
}

}  // namespace mostarium
