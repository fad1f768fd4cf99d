#include "map_picture/map_picture.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <QSvgGenerator>
#include <cmath>
#include <cstdio>

#include "common/errors.h"
#include "common/safe_save.h"

namespace mw::ui {

namespace {

const QColor kInk(0x20, 0x2a, 0x38);
const QColor kTwoWay(0x2f, 0x5d, 0x8a);
const QColor kOneWay(0xb0, 0x60, 0x10);
const QColor kUnlinked(0xd0, 0x10, 0x10);
const QColor kNoLink(0x99, 0x99, 0x99);

QPointF qt(Point p) {
    return {p.x, p.y};
}
QRectF qt(const Box& b) {
    return {b.left, b.top, b.width, b.height};
}
// Names are single-byte texts as the design files store them.
QString qt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void drawLine(QPainter& p, const PictureLine& line) {
    const QColor colour = line.shape == LinkShape::TwoWay ? kTwoWay : kOneWay;
    QPen pen(colour, 2, line.shape == LinkShape::TwoWay ? Qt::SolidLine : Qt::DashLine,
             Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawLine(qt(line.from), qt(line.to));
    if (!line.arrowHead) return;
    p.setPen(QPen(colour, 1));
    p.setBrush(colour);
    const auto& h = *line.arrowHead;
    p.drawPolygon(QPolygonF({qt(h[0]), qt(h[1]), qt(h[2])}));
}

void drawStub(QPainter& p, const PictureStub& stub) {
    const bool problem = stub.kind == StubKind::Unlinked;
    p.setPen(QPen(problem ? kUnlinked : kNoLink, problem ? 3 : 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(qt(stub.from), qt(stub.to));
}

void drawText(QPainter& p, const PictureText& text, const QColor& colour) {
    p.setPen(colour);
    p.drawText(qt(text.box), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, qt(text.text));
}

void drawNode(QPainter& p, const PictureNode& node) {
    QColor fill(0xcf, 0xe3, 0xf7), edge = kTwoWay;
    if (node.state == SystemState::Warnings) fill = QColor(0xff, 0xe2, 0xb3), edge = kOneWay;
    if (node.state == SystemState::Errors) fill = QColor(0xf8, 0xc8, 0xc8), edge = kUnlinked;
    // A system whose design file cannot be read has no inside to show.
    p.setPen(QPen(edge, 2, node.readable ? Qt::SolidLine : Qt::DashLine));
    p.setBrush(node.readable ? QBrush(fill) : QBrush(Qt::white));
    p.drawEllipse(qt(node.centre), node.radius, node.radius);
    drawText(p, node.label, kInk);
}

}  // namespace

QFont mapPictureFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    return font;
}

MapPictureLayout layoutMapPicture(const MapGraph& graph) {
    const QFontMetricsF metrics(mapPictureFont());
    return LayoutMapPicture(graph, [&](std::string_view text) {
        const QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        // A pixel to spare on the right, so no glyph is clipped.
        return TextSize{std::ceil(metrics.horizontalAdvance(s)) + 1, std::ceil(metrics.height())};
    });
}

void paintMapPicture(QPainter& p, const MapPictureLayout& layout) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(mapPictureFont());
    if (layout.note) drawText(p, *layout.note, kInk);
    for (const PictureLine& line : layout.lines) drawLine(p, line);
    for (const PictureStub& stub : layout.stubs) drawStub(p, stub);
    for (const PictureNode& node : layout.nodes) drawNode(p, node);
    for (const PictureLine& line : layout.legend.lines) drawLine(p, line);
    for (const PictureStub& stub : layout.legend.stubs) drawStub(p, stub);
    for (const PictureText& text : layout.legend.texts) drawText(p, text, kInk);
    p.restore();
}

QImage renderMapPicture(const MapPictureLayout& layout) {
    QImage image(static_cast<int>(std::ceil(layout.width)),
                 static_cast<int>(std::ceil(layout.height)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintMapPicture(painter, layout);
    return image;
}

QByteArray encodeMapPicture(const MapPictureLayout& layout, PictureFormat format,
                            const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == PictureFormat::Png) {
        renderMapPicture(layout).save(&buffer, "PNG");
        return bytes;
    }
    const QSize size(static_cast<int>(std::ceil(layout.width)),
                     static_cast<int>(std::ceil(layout.height)));
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    svg.setDescription(
        QStringLiteral("The systems of the map and the jump-node links between them"));
    QPainter painter(&svg);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paintMapPicture(painter, layout);
    painter.end();
    return bytes;
}

void writeMapPicture(const MapPictureLayout& layout, const std::string& path,
                     const QString& title) {
    const std::optional<PictureFormat> format = pictureFormatFor(path);
    if (!format)
        throw UserError(printableBytes(path) + ": a map picture is written as .png or .svg");
    const QByteArray bytes = encodeMapPicture(layout, *format, title);
    if (bytes.isEmpty()) throw IoError(path, "write", "the picture could not be encoded");
    SaveFileBytes(path, bytes.toStdString());
}

std::unique_ptr<QGuiApplication> offscreenGuiApplication() {
    if (QGuiApplication::instance()) return nullptr;
    // Drawing into a file needs no session: the platform's warnings about
    // one (no runtime folder, ...) would only be noise on standard error.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    // Qt keeps the arguments for the application's whole life.
    static int argc = 3;
    static char name[] = "mapwright", option[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace mw::ui
