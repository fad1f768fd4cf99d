#pragma once
// The map picture painted with Qt: the layout comes from the model
// (check/map_picture_layout.h); this only measures texts with the picture's
// font and draws what the layout says. The headless check command writes it
// as PNG or SVG; the wizard window paints it beside its system list.

#include <QByteArray>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "check/map_picture_layout.h"

namespace mw::ui {

/// The font of the picture's labels and legend.
QFont mapPictureFont();

/// Lays the graph out with the picture font's text sizes. Needs a
/// QGuiApplication (offscreenGuiApplication() gives one without a display).
MapPictureLayout layoutMapPicture(const MapGraph& graph);

/// Paints the layout with its top left corner at the painter's origin, one
/// device pixel a layout unit, on whatever background the device has.
void paintMapPicture(QPainter& painter, const MapPictureLayout& layout);

/// The picture on a white background, layout.width x layout.height pixels.
QImage renderMapPicture(const MapPictureLayout& layout);

/// The bytes of a PNG or SVG file of the picture; the title goes into the SVG.
QByteArray encodeMapPicture(const MapPictureLayout& layout, PictureFormat format,
                            const QString& title);

/// Writes the picture file, its kind chosen by the extension (.png, .svg), in
/// one replace: a failure leaves an existing file as it was. UserError naming
/// the file when the extension is neither or the file cannot be written.
void writeMapPicture(const MapPictureLayout& layout, const std::string& path, const QString& title);

/// A QGuiApplication on the offscreen platform, for painting without a
/// display; nothing when the process already has one.
std::unique_ptr<QGuiApplication> offscreenGuiApplication();

}  // namespace mw::ui
