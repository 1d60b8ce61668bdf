// Draws the pictures that ship with Ostrelix: the eleven vessel drawings shown in the
// input panel (TANK_GP/CASE1.BMP ... CASE11.BMP, Windows bitmaps) and the program
// icons (ui/ostrelix.png, ui/ostrelix-256.png and the About picture ui/about.png).
//
// Redraw everything from the top of the source tree with:
//
//   cmake -S tools/pictures -B build-pictures -G Ninja
//   ninja -C build-pictures ostrelix-pictures
//   QT_QPA_PLATFORM=offscreen build-pictures/ostrelix-pictures TANK_GP ui
//
// (Built as part of the whole tree, the program is build/tools/pictures/ostrelix-pictures.)
// Usage: ostrelix-pictures <shape picture folder> [<icon folder>]; without the second
// folder only the shape pictures are drawn. Both folders must exist.
//
// Every drawing is a schematic, not to scale: the vessel in dark lines, the liquid in a
// light blue, and the dimensions in red with the symbols of the input boxes (L, W, H,
// H1, H2, D). The pictures are 233 x 150 pixels so that they fit the 249 pixel wide input
// panel.

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr int kPictureWidth = 233;
constexpr int kPictureHeight = 150;

const QColor kOutline(0x20, 0x20, 0x20);
const QColor kHidden(0x80, 0x80, 0x80);
const QColor kLiquid(0xcd, 0xe6, 0xfa);
const QColor kLiquidTop(0xa6, 0xd0, 0xf2);
const QColor kLiquidLine(0x2f, 0x7c, 0xc0);
const QColor kDimension(0xb4, 0x1e, 0x14);

// ---------------------------------------------------------------------------------
// Small geometry helpers

QPointF unit(QPointF v) {
    const double len = std::hypot(v.x(), v.y());
    return len > 0 ? v / len : v;
}

double dot(QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); }

double cross(QPointF o, QPointF a, QPointF b) {
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// Convex hull of a point set (monotone chain); the liquid bodies of the rectangular
// tanks are convex, so their outline in the drawing is the hull of their corners.
QPolygonF convexHull(std::vector<QPointF> pts) {
    std::sort(pts.begin(), pts.end(), [](QPointF a, QPointF b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    std::vector<QPointF> hull(2 * pts.size());
    size_t k = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
        hull[k++] = pts[i];
    }
    for (size_t i = pts.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i - 1]) <= 0) --k;
        hull[k++] = pts[i - 1];
    }
    hull.resize(k > 0 ? k - 1 : 0);
    return QPolygonF(QList<QPointF>(hull.begin(), hull.end()));
}

// Oblique (cabinet) projection used for the rectangular tanks: x runs along the length
// to the right, y up, z into the picture (along the width), drawn up and to the right.
struct Oblique {
    QPointF origin;  // where (0, 0, 0) lands: the front bottom left corner
    QPointF depth{0.8, -0.45};
    QPointF operator()(double x, double y, double z) const {
        return origin + QPointF(x, -y) + depth * z;
    }
};

// ---------------------------------------------------------------------------------
// Pens, fonts, labels

QPen outlinePen() {
    QPen pen(kOutline, 1.6);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QPen thinPen() {
    QPen pen(kOutline, 1.0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPen hiddenPen() {
    QPen pen(kHidden, 1.0);
    pen.setDashPattern({4.0, 3.0});
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// Thin dash-dot line for reference levels (where a straight part meets a bottom).
QPen referencePen() {
    QPen pen(kHidden, 0.9);
    pen.setDashPattern({7.0, 2.5, 1.5, 2.5});
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPen dimensionPen() {
    QPen pen(kDimension, 1.0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QFont labelFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Draws text so that its inked box is centred on `centre`; with `knockOut` the
// background behind it is cleared first, so that it can sit on a dimension line.
void drawLabel(QPainter& p, QPointF centre, const QString& text, bool knockOut) {
    p.save();
    p.setFont(labelFont());
    const QFontMetricsF fm(p.font());
    const QRectF ink = fm.tightBoundingRect(text);
    const QPointF baseline = centre - ink.center();
    if (knockOut) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(ink.translated(baseline).adjusted(-2.5, -2.5, 2.5, 2.5));
    }
    p.setPen(kDimension);
    p.drawText(QPointF(std::round(baseline.x()), std::round(baseline.y())), text);
    p.restore();
}

QSizeF labelSize(const QString& text) {
    return QFontMetricsF(labelFont()).tightBoundingRect(text).size();
}

void arrowHead(QPainter& p, QPointF tip, QPointF dir) {
    constexpr double kLength = 6.5;
    constexpr double kHalfWidth = 2.3;
    const QPointF d = unit(dir);
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * kLength;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kDimension);
    p.drawPolygon(QPolygonF{tip, base + n * kHalfWidth, base - n * kHalfWidth});
    p.restore();
}

// Where a dimension's symbol goes: on the dimension line (its background cleared) or
// beside it, on the side `side` points to.
struct LabelPlace {
    bool onLine = true;
    QPointF side;
};
const LabelPlace kOnLine{};
LabelPlace beside(QPointF side) { return {false, unit(side)}; }
const LabelPlace kLeft = beside({-1, 0});
const LabelPlace kRight = beside({1, 0});

// A dimension between the object points a and b. The dimension line runs in the
// direction `along` through the point `through`; extension lines lead from the object
// points to it, with a small gap at the object and a small overshoot past the line.
void dimension(QPainter& p, QPointF a, QPointF b, QPointF along, QPointF through,
               const QString& label, LabelPlace place) {
    const QPointF u = unit(along);
    const QPointF ea = through + u * dot(a - through, u);
    const QPointF eb = through + u * dot(b - through, u);
    p.save();
    p.setPen(dimensionPen());
    for (auto [obj, end] : {std::pair{a, ea}, std::pair{b, eb}}) {
        const QPointF v = end - obj;
        const double len = std::hypot(v.x(), v.y());
        if (len > 3.0) {
            const QPointF w = v / len;
            p.drawLine(obj + w * 2.0, end + w * 3.0);
        }
    }
    const QPointF span = eb - ea;
    const double length = std::hypot(span.x(), span.y());
    const QPointF w = unit(span);
    if (length >= 18.0) {
        p.drawLine(ea, eb);
        arrowHead(p, ea, -w);
        arrowHead(p, eb, w);
    } else {
        // Too short for arrows inside: arrows outside, pointing in.
        p.drawLine(ea - w * 9.0, eb + w * 9.0);
        arrowHead(p, ea, w);
        arrowHead(p, eb, -w);
    }
    p.restore();

    const QPointF mid = (ea + eb) / 2.0;
    if (place.onLine) {
        drawLabel(p, mid, label, true);
    } else {
        const QSizeF size = labelSize(label);
        const double reach = std::abs(place.side.x()) * size.width() / 2.0 +
                             std::abs(place.side.y()) * size.height() / 2.0 + 4.0;
        drawLabel(p, mid + place.side * reach, label, false);
    }
}

// Vertical dimension at x between the heights of the object points a and b.
void verticalDimension(QPainter& p, QPointF a, QPointF b, double x, const QString& label,
                       LabelPlace place) {
    dimension(p, a, b, {0, 1}, {x, 0}, label, place);
}

// Horizontal dimension at y between the object points a and b.
void horizontalDimension(QPainter& p, QPointF a, QPointF b, double y, const QString& label,
                         LabelPlace place = kOnLine) {
    dimension(p, a, b, {1, 0}, {0, y}, label, place);
}

// Dimension parallel to the edge a-b, moved off it by `offset` along `normal`.
void alignedDimension(QPainter& p, QPointF a, QPointF b, QPointF normal, double offset,
                      const QString& label, LabelPlace place) {
    dimension(p, a, b, b - a, a + unit(normal) * offset, label, place);
}

// The usual water-level sign: an open triangle standing on the surface, two short
// strokes below it.
void levelMark(QPainter& p, QPointF onSurface) {
    p.save();
    QPen pen(kLiquidLine, 1.0);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::white);
    const double x = onSurface.x();
    const double y = onSurface.y();
    p.drawPolygon(QPolygonF{{x, y - 0.5}, {x - 4.5, y - 7.5}, {x + 4.5, y - 7.5}});
    p.drawLine(QPointF(x - 4, y + 3), QPointF(x + 4, y + 3));
    p.drawLine(QPointF(x - 2, y + 6), QPointF(x + 2, y + 6));
    p.restore();
}

void fillLiquid(QPainter& p, const QPainterPath& body, const QColor& colour = kLiquid) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(body);
    p.restore();
}

// The liquid surface seen from above: a filled ellipse with a blue rim.
void liquidSurface(QPainter& p, QPointF centre, double rx, double ry) {
    p.save();
    p.setPen(QPen(kLiquidLine, 1.1));
    p.setBrush(kLiquidTop);
    p.drawEllipse(centre, rx, ry);
    p.restore();
}

QPainterPath polygonPath(const QPolygonF& poly) {
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

QPainterPath rectPath(const QRectF& r) {
    QPainterPath path;
    path.addRect(r);
    return path;
}

QPainterPath ellipsePath(QPointF c, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(c, rx, ry);
    return path;
}

// Union of overlapping outlines, as one outline without inner edges.
QPainterPath unite(std::initializer_list<QPainterPath> parts) {
    QPainterPath all;
    for (const QPainterPath& part : parts) all = all.united(part);
    return all.simplified();
}

QPainterPath belowLevel(double y) {
    QPainterPath path;
    path.addRect(QRectF(-10, y, kPictureWidth + 20, kPictureHeight + 20));
    return path;
}

// Arc of the ellipse (centre c, half axes rx, ry), from angle a0 to a1 in degrees,
// angles counted as on a clock face turned so that 0 is to the right and 90 is down.
QPainterPath ellipseArc(QPointF c, double rx, double ry, double a0, double a1) {
    QPainterPath path;
    const int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const double a = (a0 + (a1 - a0) * i / steps) * M_PI / 180.0;
        const QPointF pt(c.x() + rx * std::cos(a), c.y() + ry * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    return path;
}

// Ellipse whose centre line is tilted: the outline of a sloped circular bottom.
// Points are (cx + rx cos a, cy + slope * rx cos a + ry sin a).
QPainterPath tiltedEllipseArc(QPointF c, double rx, double ry, double slope, double a0, double a1) {
    QPainterPath path;
    const int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const double a = (a0 + (a1 - a0) * i / steps) * M_PI / 180.0;
        const double dx = rx * std::cos(a);
        const QPointF pt(c.x() + dx, c.y() + slope * dx + ry * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    return path;
}

void strokePath(QPainter& p, const QPainterPath& path, const QPen& pen) {
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

void line(QPainter& p, QPointF a, QPointF b, const QPen& pen) {
    p.save();
    p.setPen(pen);
    p.drawLine(a, b);
    p.restore();
}

// ---------------------------------------------------------------------------------
// Rectangular tanks (shapes 1, 3 and 4), drawn in oblique projection

struct Box {
    Oblique o;
    double length, width;  // pixels along x and z
    double top;            // height of the top above the lowest point
};

// The eight corners of the straight part; its lower edge lies at the height bottomLeft
// at the left end and bottomRight at the right end.
struct Corners {
    QPointF ftl, ftr, fbl, fbr, btl, btr, bbl, bbr;
};
Corners corners(const Box& b, double bottomLeft, double bottomRight) {
    const Oblique& o = b.o;
    return {o(0, b.top, 0),
            o(b.length, b.top, 0),
            o(0, bottomLeft, 0),
            o(b.length, bottomRight, 0),
            o(0, b.top, b.width),
            o(b.length, b.top, b.width),
            o(0, bottomLeft, b.width),
            o(b.length, bottomRight, b.width)};
}

// Top and right faces and the front face of the straight part, in solid lines.
void boxTopOutline(QPainter& p, const Corners& c) {
    p.save();
    p.setPen(outlinePen());
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF{c.ftl, c.ftr, c.btr, c.btl});
    p.drawLine(c.ftr, c.fbr);
    p.drawLine(c.btr, c.bbr);
    p.drawLine(c.fbr, c.bbr);
    p.drawLine(c.ftl, c.fbl);
    p.restore();
}

void liquidPlane(QPainter& p, const Box& b, double level) {
    const Oblique& o = b.o;
    const QPolygonF surface{o(0, level, 0), o(b.length, level, 0), o(b.length, level, b.width),
                            o(0, level, b.width)};
    p.save();
    p.setPen(QPen(kLiquidLine, 1.1));
    p.setBrush(kLiquidTop);
    p.drawPolygon(surface);
    p.restore();
}

// A white picture of the panel's size.
QImage blankPicture() {
    QImage img(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// The three edges of a box that meet at its back bottom left corner, hidden behind it.
void hiddenBackEdges(QPainter& p, const Corners& c) {
    line(p, c.bbl, c.btl, hiddenPen());
    line(p, c.bbl, c.bbr, hiddenPen());
    line(p, c.bbl, c.fbl, hiddenPen());
}

QImage shape1() {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const Box b{{{50, 112}}, 104, 50, 78};
    const Oblique& o = b.o;
    const Corners c = corners(b, 0, 0);
    const double level = 44;

    std::vector<QPointF> wet;
    for (double z : {0.0, b.width})
        for (double x : {0.0, b.length})
            for (double y : {0.0, level}) wet.push_back(o(x, y, z));
    fillLiquid(p, polygonPath(convexHull(wet)));
    liquidPlane(p, b, level);

    hiddenBackEdges(p, c);
    boxTopOutline(p, c);
    line(p, c.fbl, c.fbr, outlinePen());
    levelMark(p, o(b.length * 0.72, level, 0));

    verticalDimension(p, c.ftl, c.fbl, 36, "H", kLeft);
    horizontalDimension(p, c.fbl, c.fbr, 131, "L");
    const QPointF n = unit({-o.depth.y(), o.depth.x()});
    alignedDimension(p, c.fbr, c.bbr, n, 12, "W", beside(n));
    return img;
}

QImage shape3() {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Lowest at the left end; the bottom rises to h2 at the right end.
    const double h1 = 60, h2 = 28;
    const Box b{{{50, 122}}, 104, 50, h1 + h2};
    const Oblique& o = b.o;
    const Corners c = corners(b, 0, h2);
    const double level = h2 + 26;

    std::vector<QPointF> wet;
    for (double z : {0.0, b.width}) {
        wet.push_back(o(0, 0, z));
        wet.push_back(o(b.length, h2, z));
        wet.push_back(o(0, level, z));
        wet.push_back(o(b.length, level, z));
    }
    fillLiquid(p, polygonPath(convexHull(wet)));
    liquidPlane(p, b, level);

    hiddenBackEdges(p, c);
    line(p, o(0, h2, 0), c.fbr, referencePen());
    boxTopOutline(p, c);
    line(p, c.fbl, c.fbr, outlinePen());
    levelMark(p, o(b.length * 0.72, level, 0));

    verticalDimension(p, c.ftl, o(0, h2, 0), 36, "H1", kLeft);
    verticalDimension(p, o(0, h2, 0), c.fbl, 36, "H2", kLeft);
    horizontalDimension(p, c.fbl, c.fbr, 137, "L");
    const QPointF n = unit({-o.depth.y(), o.depth.x()});
    alignedDimension(p, c.fbr, c.bbr, n, 12, "W", beside(n));
    return img;
}

QImage shape4() {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Straight part from h2 to h2 + h1, pyramid hopper below with its apex under the
    // middle of the plan.
    const double h1 = 42, h2 = 48;
    const Box b{{{54, 130}}, 100, 50, h1 + h2};
    const Oblique& o = b.o;
    const Corners c = corners(b, h2, h2);
    const QPointF apex = o(b.length / 2, 0, b.width / 2);
    const double level = h2 + 22;

    std::vector<QPointF> wet{apex};
    for (double z : {0.0, b.width})
        for (double x : {0.0, b.length})
            for (double y : {h2, level}) wet.push_back(o(x, y, z));
    fillLiquid(p, polygonPath(convexHull(wet)));
    liquidPlane(p, b, level);

    hiddenBackEdges(p, c);
    line(p, c.bbl, apex, hiddenPen());
    boxTopOutline(p, c);
    p.save();
    p.setPen(outlinePen());
    p.drawLine(c.fbl, c.fbr);
    p.drawLine(c.fbl, apex);
    p.drawLine(c.fbr, apex);
    p.drawLine(c.bbr, apex);
    p.restore();
    levelMark(p, o(b.length * 0.72, level, 0));

    verticalDimension(p, c.ftl, c.fbl, 40, "H1", kLeft);
    verticalDimension(p, c.fbl, apex, 40, "H2", kLeft);
    horizontalDimension(p, c.btl, c.btr, 11, "L");
    const QPointF n = unit({o.depth.y(), -o.depth.x()});
    alignedDimension(p, c.ftl, c.btl, n, 11, "W", beside(n));
    return img;
}

// ---------------------------------------------------------------------------------
// Vertical cylinders (shapes 2, 5, 6, 7) and the sphere (shape 8)

constexpr double kCx = 104;   // axis of the vertical vessels
constexpr double kRx = 46;    // radius in the picture
constexpr double kRy = 9;     // half height of the ellipses (view from slightly above)
constexpr double kTop = 32;   // centre of the top ellipse
constexpr double kDimD = 12;  // height of the diameter dimension

// Shared by the vertical cylinders: liquid body (clipped to the vessel), surface ellipse,
// top ellipse, walls down to the given heights on the left and right, the diameter.
void verticalShell(QPainter& p, const QPainterPath& vessel, double level, double wallLeft,
                   double wallRight) {
    fillLiquid(p, vessel.intersected(belowLevel(level)));
    liquidSurface(p, {kCx, level}, kRx, kRy);
    levelMark(p, {kCx + kRx * 0.55, level + kRy * 0.83});
    p.save();
    p.setPen(outlinePen());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(kCx, kTop), kRx, kRy);
    p.drawLine(QPointF(kCx - kRx, kTop), QPointF(kCx - kRx, wallLeft));
    p.drawLine(QPointF(kCx + kRx, kTop), QPointF(kCx + kRx, wallRight));
    p.restore();
    horizontalDimension(p, {kCx - kRx, kTop}, {kCx + kRx, kTop}, kDimD, "D");
}

// Joint between the straight part and a bottom: front half solid, back half dashed.
void joint(QPainter& p, double y) {
    strokePath(p, ellipseArc({kCx, y}, kRx, kRy, 0, 180), outlinePen());
    strokePath(p, ellipseArc({kCx, y}, kRx, kRy, 180, 360), hiddenPen());
}

QImage shape2() {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double bottom = 126;
    const QPainterPath vessel = unite({rectPath(QRectF(kCx - kRx, kTop, 2 * kRx, bottom - kTop)),
                                       ellipsePath({kCx, bottom}, kRx, kRy)});
    verticalShell(p, vessel, 76, bottom, bottom);
    joint(p, bottom);
    verticalDimension(p, {kCx + kRx, kTop}, {kCx + kRx, bottom}, 166, "H", kRight);
    return img;
}

QImage shape5() {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double seam = 88, apexY = 136;
    const QPointF apex(kCx, apexY);
    const QPainterPath vessel =
        unite({rectPath(QRectF(kCx - kRx, kTop, 2 * kRx, seam - kTop)),
               polygonPath(QPolygonF{{kCx - kRx, seam}, {kCx + kRx, seam}, apex}),
               ellipsePath({kCx, seam}, kRx, kRy)});
    verticalShell(p, vessel, 64, seam, seam);
    joint(p, seam);
    line(p, {kCx - kRx, seam}, apex, outlinePen());
    line(p, {kCx + kRx, seam}, apex, outlinePen());
    verticalDimension(p, {kCx + kRx, kTop}, {kCx + kRx, seam}, 166, "H1", kRight);
    verticalDimension(p, {kCx + kRx, seam}, apex, 166, "H2", kRight);
    return img;
}

QImage shape6() {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Deep side on the left (wall H1 from the lowest point), shallow side on the right.
    const double deep = 130, shallow = 96;
    const double slope = (shallow - deep) / (2 * kRx);
    const QPointF mid(kCx, (deep + shallow) / 2);
    QPainterPath bottomDisc = tiltedEllipseArc(mid, kRx, kRy, slope, 0, 360);
    bottomDisc.closeSubpath();
    const QPainterPath vessel =
        unite({polygonPath(QPolygonF{
                   {kCx - kRx, kTop}, {kCx + kRx, kTop}, {kCx + kRx, shallow}, {kCx - kRx, deep}}),
               bottomDisc});
    verticalShell(p, vessel, 70, deep, shallow);
    strokePath(p, tiltedEllipseArc(mid, kRx, kRy, slope, 0, 180), outlinePen());
    strokePath(p, tiltedEllipseArc(mid, kRx, kRy, slope, 180, 360), hiddenPen());
    verticalDimension(p, {kCx - kRx, kTop}, {kCx - kRx, deep}, 40, "H1", kLeft);
    verticalDimension(p, {kCx + kRx, kTop}, {kCx + kRx, shallow}, 166, "H2", kRight);
    return img;
}

QImage shape7() {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double seam = 96, dish = 30;
    const QPointF lowest(kCx, seam + dish);
    const QPainterPath vessel = unite({rectPath(QRectF(kCx - kRx, kTop, 2 * kRx, seam - kTop)),
                                       ellipsePath({kCx, seam}, kRx, dish)});
    verticalShell(p, vessel, 68, seam, seam);
    joint(p, seam);
    strokePath(p, ellipseArc({kCx, seam}, kRx, dish, 0, 180), outlinePen());
    verticalDimension(p, {kCx + kRx, kTop}, {kCx + kRx, seam}, 166, "H1", kRight);
    verticalDimension(p, {kCx + kRx, seam}, lowest, 166, "H2", kRight);
    return img;
}

QImage shape8() {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(104, 80);
    const double r = 56, level = 100;
    QPainterPath ball;
    ball.addEllipse(c, r, r);
    fillLiquid(p, ball.intersected(belowLevel(level)));
    const double half = std::sqrt(r * r - (level - c.y()) * (level - c.y()));
    liquidSurface(p, {c.x(), level}, half, half * kRy / kRx);
    levelMark(p, {c.x() + half * 0.55, level + half * kRy / kRx * 0.83});
    strokePath(p, ball, outlinePen());
    verticalDimension(p, {c.x(), c.y() - r}, {c.x(), c.y() + r}, 176, "D", kRight);
    return img;
}

// ---------------------------------------------------------------------------------
// Lying vessels (shapes 9, 10, 11): side view, and for 9 and 10 an end view beside it

constexpr double kAxisY = 73;  // axis height of the lying vessels

QImage lyingTwoViews(double halfHeight, double endHalfWidth, const QString& heightSymbol,
                     bool elliptic) {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF endCentre(191, kAxisY);
    const double left = 42, right = endCentre.x() - endHalfWidth - 18;
    const double top = kAxisY - halfHeight, bottom = kAxisY + halfHeight;
    const double level = bottom - 0.45 * 2 * halfHeight;

    const QRectF side(left, top, right - left, bottom - top);
    QPainterPath sidePath;
    sidePath.addRect(side);
    QPainterPath endPath;
    endPath.addEllipse(endCentre, endHalfWidth, halfHeight);
    fillLiquid(p, sidePath.intersected(belowLevel(level)));
    fillLiquid(p, endPath.intersected(belowLevel(level)));
    line(p, {left, level}, {right, level}, QPen(kLiquidLine, 1.1));
    const double chord = endHalfWidth * std::sqrt(1 - std::pow((level - kAxisY) / halfHeight, 2));
    line(p, {endCentre.x() - chord, level}, {endCentre.x() + chord, level}, QPen(kLiquidLine, 1.1));
    levelMark(p, {left + (right - left) * 0.7, level});

    // Centre lines of the end view.
    line(p, {endCentre.x() - endHalfWidth - 4, kAxisY}, {endCentre.x() + endHalfWidth + 4, kAxisY},
         referencePen());
    line(p, {endCentre.x(), top - 5}, {endCentre.x(), bottom + 5}, referencePen());

    strokePath(p, sidePath, outlinePen());
    strokePath(p, endPath, outlinePen());

    verticalDimension(p, {left, top}, {left, bottom}, 28, heightSymbol, kLeft);
    const double dimY = bottom + 18;
    horizontalDimension(p, {left, bottom}, {right, bottom}, dimY, "L");
    if (elliptic)
        horizontalDimension(p, {endCentre.x() - endHalfWidth, kAxisY},
                            {endCentre.x() + endHalfWidth, kAxisY}, dimY, "W");
    return img;
}

QImage shape9() { return lyingTwoViews(31, 31, "D", false); }
QImage shape10() { return lyingTwoViews(25, 36, "H", true); }

QImage shape11() {
    QImage img = blankPicture();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = 34, seamL = 52, seamR = 160;
    const double top = kAxisY - r, bottom = kAxisY + r;
    const double level = bottom - 0.45 * 2 * r;
    const QPainterPath vessel =
        unite({rectPath(QRectF(seamL, top, seamR - seamL, bottom - top)),
               ellipsePath({seamL, kAxisY}, r, r), ellipsePath({seamR, kAxisY}, r, r)});
    fillLiquid(p, vessel.intersected(belowLevel(level)));
    const double chord = std::sqrt(r * r - (level - kAxisY) * (level - kAxisY));
    line(p, {seamL - chord, level}, {seamR + chord, level}, QPen(kLiquidLine, 1.1));
    levelMark(p, {seamL + (seamR - seamL) * 0.7, level});
    line(p, {seamL, top}, {seamL, bottom}, thinPen());
    line(p, {seamR, top}, {seamR, bottom}, thinPen());
    strokePath(p, vessel, outlinePen());

    verticalDimension(p, {seamR, top}, {seamR, bottom}, seamR + r + 14, "D", kRight);
    horizontalDimension(p, {seamL, bottom}, {seamR, bottom}, bottom + 18, "L");
    return img;
}

// ---------------------------------------------------------------------------------
// Program icons: a standing tank with its liquid and a level pointer on a scale

// Draws the icon into the square `box`; without the scale the tank stands in the middle.
void drawTankIcon(QPainter& p, const QRectF& box, bool withScale) {
    const double s = box.width() / 64.0;  // designed on a 64 pixel grid
    auto at = [&](double x, double y) { return box.topLeft() + QPointF(x * s, y * s); };

    const QRectF body(at(withScale ? 7 : 16, 6), QSizeF(32 * s, 52 * s));
    QPainterPath tank;
    tank.addRoundedRect(body, 11 * s, 9 * s);

    QLinearGradient steel(body.topLeft(), body.topRight());
    steel.setColorAt(0.0, QColor(0xc9, 0xd1, 0xd9));
    steel.setColorAt(0.45, QColor(0xf4, 0xf7, 0xfa));
    steel.setColorAt(1.0, QColor(0xa9, 0xb4, 0xbf));
    p.setPen(Qt::NoPen);
    p.setBrush(steel);
    p.drawPath(tank);

    const double levelY = at(0, 26).y();
    QLinearGradient water(body.topLeft(), body.topRight());
    water.setColorAt(0.0, QColor(0x2a, 0x7f, 0xd0));
    water.setColorAt(0.45, QColor(0x5c, 0xb1, 0xf0));
    water.setColorAt(1.0, QColor(0x1d, 0x64, 0xb0));
    p.setBrush(water);
    p.drawPath(tank.intersected(rectPath(
        QRectF(QPointF(body.left() - 1, levelY), QPointF(body.right() + 1, body.bottom() + 1)))));

    p.setPen(QPen(QColor(0x10, 0x3e, 0x70), std::max(1.0, 1.2 * s)));
    p.drawLine(QPointF(body.left() + 0.5 * s, levelY), QPointF(body.right() - 0.5 * s, levelY));

    QPen rim(QColor(0x2b, 0x33, 0x3d), std::max(1.2, 2.2 * s));
    rim.setJoinStyle(Qt::RoundJoin);
    p.setPen(rim);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tank);
    if (!withScale) return;

    // Scale right of the tank, ticks towards it, and a red pointer at the level.
    QPen scalePen(QColor(0x2b, 0x33, 0x3d), std::max(1.0, 1.6 * s));
    scalePen.setCapStyle(Qt::FlatCap);
    p.setPen(scalePen);
    const double scaleX = at(50, 0).x();
    p.drawLine(QPointF(scaleX, at(0, 10).y()), QPointF(scaleX, at(0, 54).y()));
    for (int i = 0; i <= 4; ++i) {
        const double y = at(0, 10 + 11 * i).y();
        const double len = (i % 2 == 0 ? 6 : 4) * s;
        p.drawLine(QPointF(scaleX - len, y), QPointF(scaleX, y));
    }
    QPen pointerPen(QColor(0x7a, 0x14, 0x08), std::max(0.8, 1.0 * s));
    pointerPen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pointerPen);
    p.setBrush(QColor(0xe0, 0x3a, 0x1e));
    const double tipX = scaleX + 1.5 * s;
    const double baseX = at(61, 0).x();
    p.drawPolygon(QPolygonF{{tipX, levelY}, {baseX, levelY - 5 * s}, {baseX, levelY + 5 * s}});
}

QImage icon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawTankIcon(p, QRectF(0, 0, size, size), true);
    return img;
}

// The About picture: the tank and, beside it, the set-point curve it yields.
QImage aboutPicture() {
    QImage img(73, 57, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawTankIcon(p, QRectF(-8, 1, 55, 55), false);

    const QRectF plot(41.5, 7.5, 28, 43);
    QPen axisPen(QColor(0x2b, 0x33, 0x3d), 1.0);
    axisPen.setCapStyle(Qt::FlatCap);
    p.setPen(axisPen);
    p.drawLine(plot.topLeft(), plot.bottomLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.setPen(QPen(QColor(0xc8, 0xcd, 0xd2), 1.0));
    for (int i = 1; i <= 3; ++i) {
        const double y = plot.bottom() - plot.height() * i / 4.0;
        p.drawLine(QPointF(plot.left() + 1, y), QPointF(plot.right(), y));
    }
    QPainterPath curve;
    for (int i = 0; i <= 20; ++i) {
        const double x = i / 20.0;
        // Filling of a lying vessel: slow at the bottom and the top, fast in the middle.
        const double y = x < 0.5 ? 2 * x * x : 1 - 2 * (1 - x) * (1 - x);
        const QPointF pt(plot.left() + x * plot.width(), plot.bottom() - y * plot.height());
        if (i == 0)
            curve.moveTo(pt);
        else
            curve.lineTo(pt);
    }
    QPen curvePen(QColor(0xd0, 0x30, 0x18), 1.6);
    curvePen.setJoinStyle(Qt::RoundJoin);
    p.setPen(curvePen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    return img;
}

bool save(const QImage& img, const QString& path, const char* format) {
    if (img.save(path, format)) return true;
    QTextStream(stderr) << "cannot write " << path << "\n";
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        QTextStream(stderr) << "usage: ostrelix-pictures <shape picture folder> [<icon folder>]\n";
        return 2;
    }

    const std::vector<std::function<QImage()>> shapes{
        shape1, shape2, shape3, shape4, shape5, shape6, shape7, shape8, shape9, shape10, shape11};
    const QDir pictures(args[1]);
    bool ok = true;
    for (size_t i = 0; i < shapes.size(); ++i) {
        const QImage img = shapes[i]().convertToFormat(QImage::Format_RGB888);
        ok &= save(img, pictures.filePath(QStringLiteral("CASE%1.BMP").arg(i + 1)), "BMP");
    }
    if (args.size() == 3) {
        const QDir icons(args[2]);
        ok &= save(icon(64), icons.filePath("ostrelix.png"), "PNG");
        ok &= save(icon(256), icons.filePath("ostrelix-256.png"), "PNG");
        ok &= save(aboutPicture(), icons.filePath("about.png"), "PNG");
    }
    return ok ? 0 : 1;
}
