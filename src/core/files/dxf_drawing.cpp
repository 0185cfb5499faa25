#include "files/dxf_drawing.h"

#include <dl_dxf.h>

#include <cctype>
#include <charconv>

namespace gyrenda {
namespace {

// dxflib writes to a file of its own choosing; this writer collects the same group codes in
// memory instead, so the file goes through the program's own safe save. A value that is a
// single-precision number is written in the fewest digits that read back as that number.
class StringWriter final : public DL_WriterA {
 public:
  StringWriter() : DL_WriterA("", DL_VERSION_2000) {}
  void dxfReal(int gc, double value) const override {
    char text[64];
    const auto f = static_cast<float>(value);
    const auto end = f == value ? std::to_chars(text, text + sizeof text, f).ptr
                                : std::to_chars(text, text + sizeof text, value).ptr;
    dxfString(gc, std::string(text, end));
  }
  void dxfInt(int gc, int value) const override { dxfString(gc, std::to_string(value)); }
  void dxfHex(int gc, int value) const override {
    // Upper case, as the library itself writes the handles that refer to these.
    char text[16];
    std::string hex(text, std::to_chars(text, text + sizeof text, value, 16).ptr);
    for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    dxfString(gc, hex);
  }
  void dxfString(int gc, const char* value) const override { dxfString(gc, std::string(value)); }
  void dxfString(int gc, const std::string& value) const override {
    const std::string code = std::to_string(gc);
    bytes_.append(3 - std::min<std::size_t>(3, code.size()), ' ');
    bytes_ += code + '\n' + value + '\n';
  }
  std::string& bytes() const { return bytes_; }

 private:
  mutable std::string bytes_;
};

DL_Attributes attributes(std::string_view layer, Colour colour) {
  return DL_Attributes(std::string(layer), kAutoCadColour[colour], 0, "BYLAYER", 1.0);
}

struct EntityWriter {
  DL_Dxf& dxf;
  StringWriter& w;
  const DL_Attributes& a;
  void operator()(const Circle& c) const {
    dxf.writeCircle(w, DL_CircleData(c.centre.x, c.centre.y, 0.0, c.radius), a);
  }
  void operator()(const Arc& c) const {
    dxf.writeArc(w, DL_ArcData(c.centre.x, c.centre.y, 0.0, c.radius, c.fromDegrees, c.toDegrees),
                 a);
  }
  void operator()(const Segment& s) const {
    dxf.writeLine(w, DL_LineData(s.from.x, s.from.y, 0.0, s.to.x, s.to.y, 0.0), a);
  }
  void operator()(const Pivot& p) const { dxf.writePoint(w, DL_PointData(p.at.x, p.at.y), a); }
  void operator()(const Polyline& p) const {
    dxf.writePolyline(w, DL_PolylineData(static_cast<int>(p.vertices.size()), 0, 0, 0), a);
    for (const WorldPoint& v : p.vertices) dxf.writeVertex(w, DL_VertexData(v.x, v.y));
    dxf.writePolylineEnd(w);
  }
};

void writeTables(DL_Dxf& dxf, StringWriter& w) {
  w.sectionTables();
  dxf.writeVPort(w);
  w.tableLinetypes(3);
  dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
  w.tableEnd();
  w.tableLayers(static_cast<int>(kLayerNames.size()) + 1);
  dxf.writeLayer(w, DL_LayerData("0", 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
  for (std::string_view name : kLayerNames)
    dxf.writeLayer(w, DL_LayerData(std::string(name), 0),
                   DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
  w.tableEnd();
  w.tableStyle(1);
  dxf.writeStyle(w, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
  w.tableEnd();
  dxf.writeView(w);
  dxf.writeUcs(w);
  w.tableAppid(1);
  dxf.writeAppid(w, "ACAD");
  w.tableEnd();
  dxf.writeDimStyle(w, 1, 1, 1, 1, 1);
  dxf.writeBlockRecord(w);
  w.tableEnd();
  w.sectionEnd();
}

void writeBlocks(DL_Dxf& dxf, StringWriter& w) {
  w.sectionBlocks();
  for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
    dxf.writeBlock(w, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, block);
  }
  w.sectionEnd();
}

}  // namespace

std::string dxfBytes(const Drawing& d) {
  DL_Dxf dxf;
  StringWriter w;
  dxf.writeHeader(w);
  w.dxfString(9, "$INSUNITS");
  w.dxfInt(70, 4);  // millimetres
  w.dxfString(9, "$MEASUREMENT");
  w.dxfInt(70, 1);  // metric
  w.sectionEnd();
  writeTables(dxf, w);
  writeBlocks(dxf, w);
  w.sectionEntities();
  for (const DrawingItem& item : d.items) {
    const DL_Attributes a = attributes(layerName(item.layer), item.colour);
    std::visit(EntityWriter{dxf, w, a}, item.shape);
  }
  w.sectionEnd();
  dxf.writeObjects(w);
  dxf.writeObjectsEnd(w);
  w.dxfEOF();
  return std::move(w.bytes());
}

}  // namespace gyrenda
