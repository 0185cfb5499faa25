#include "encoders/image_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QXmlStreamWriter>
#include <charconv>
#include <cmath>

#include "encoders/canvas_image.h"
#include "files/dxf_drawing.h"

namespace gyrenda {
namespace {

std::optional<std::string> imageBytes(const Raster& canvas, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!canvasImageView(canvas).save(&buffer, format)) return std::nullopt;
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The fewest digits that read back as the same single-precision value.
QString number(float v) {
  char text[32];
  return QString::fromLatin1(text, std::to_chars(text, text + sizeof text, v).ptr - text);
}

QString colourName(Colour c) {
  const Rgb& rgb = kPalette[c];
  return QString::asprintf("#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
}

// A pen width common in technical drawings, in millimetres.
constexpr float kStrokeWidth = 0.35f;
constexpr float kPivotRadius = 0.8f;

// Writes each shape in world coordinates; the enclosing group turns y upwards.
struct SvgShapeWriter {
  QXmlStreamWriter& x;
  QString colour;
  void circle(WorldPoint c, float r) const {
    x.writeEmptyElement("circle");
    x.writeAttribute("cx", number(c.x));
    x.writeAttribute("cy", number(c.y));
    x.writeAttribute("r", number(r));
  }
  void operator()(const Circle& c) const {
    circle(c.centre, c.radius);
    x.writeAttribute("stroke", colour);
  }
  void operator()(const Arc& a) const {
    const auto at = [&a](float degrees) {
      const WorldPoint p = pointOnCircle(a.centre, a.radius, degrees);
      return number(p.x) + ' ' + number(p.y);
    };
    const float sweep = std::fmod(a.toDegrees - a.fromDegrees + 360.0f, 360.0f);
    x.writeEmptyElement("path");
    x.writeAttribute("d", "M " + at(a.fromDegrees) + " A " + number(a.radius) + ' ' +
                              number(a.radius) + (sweep > 180.0f ? " 0 1 1 " : " 0 0 1 ") +
                              at(a.toDegrees));
    x.writeAttribute("stroke", colour);
  }
  void operator()(const Segment& s) const {
    x.writeEmptyElement("line");
    x.writeAttribute("x1", number(s.from.x));
    x.writeAttribute("y1", number(s.from.y));
    x.writeAttribute("x2", number(s.to.x));
    x.writeAttribute("y2", number(s.to.y));
    x.writeAttribute("stroke", colour);
  }
  void operator()(const Pivot& p) const {
    circle(p.at, kPivotRadius);
    x.writeAttribute("fill", colour);
  }
  void operator()(const Polyline& p) const {
    QString points;
    for (const WorldPoint& v : p.vertices)
      points += (points.isEmpty() ? "" : " ") + number(v.x) + ',' + number(v.y);
    x.writeEmptyElement("polyline");
    x.writeAttribute("points", points);
    x.writeAttribute("stroke", colour);
  }
};

}  // namespace

std::optional<std::string> bitmapBytes(const Raster& canvas) { return imageBytes(canvas, "BMP"); }

std::optional<std::string> pngBytes(const Raster& canvas) { return imageBytes(canvas, "PNG"); }

std::string svgBytes(const Drawing& d) {
  const Bounds b = extent(d);
  const QString width = number(b.right - b.left), height = number(b.top - b.bottom);
  QByteArray bytes;
  QXmlStreamWriter x(&bytes);
  x.setAutoFormatting(true);
  x.writeStartDocument();
  x.writeStartElement("svg");
  x.writeDefaultNamespace("http://www.w3.org/2000/svg");
  x.writeAttribute("version", "1.1");
  x.writeAttribute("width", width + "mm");
  x.writeAttribute("height", height + "mm");
  // Drawn with y negated, so the top of the drawing is the smallest y of the view box.
  x.writeAttribute("viewBox", number(b.left) + ' ' + number(-b.top) + ' ' + width + ' ' + height);
  x.writeTextElement("title", "Gyrenda");
  x.writeEmptyElement("rect");
  x.writeAttribute("x", number(b.left));
  x.writeAttribute("y", number(-b.top));
  x.writeAttribute("width", width);
  x.writeAttribute("height", height);
  x.writeAttribute("fill", colourName(kBlack));
  x.writeStartElement("g");
  x.writeAttribute("transform", "scale(1,-1)");
  x.writeAttribute("fill", "none");
  x.writeAttribute("stroke-width", number(kStrokeWidth));
  x.writeAttribute("stroke-linecap", "round");
  x.writeAttribute("stroke-linejoin", "round");
  for (std::size_t layer = 0; layer < kLayerNames.size(); ++layer) {
    x.writeStartElement("g");
    x.writeAttribute("id", QString::fromUtf8(kLayerNames[layer]));
    for (const DrawingItem& item : d.items) {
      if (static_cast<std::size_t>(item.layer) == layer)
        std::visit(SvgShapeWriter{x, colourName(item.colour)}, item.shape);
    }
    x.writeEndElement();
  }
  x.writeEndDocument();
  return bytes.toStdString();
}

std::optional<std::string> exportBytes(ExportFormat format, const Raster& canvas,
                                       const Drawing& d) {
  switch (format) {
    case ExportFormat::Png: return pngBytes(canvas);
    case ExportFormat::Svg: return svgBytes(d);
    case ExportFormat::Dxf: return dxfBytes(d);
  }
  return std::nullopt;
}

}  // namespace gyrenda
