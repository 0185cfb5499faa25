#include "files/gif_file.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace gyrenda {

namespace {

std::array<Rgb, 256> makeGifPalette() {
  std::array<Rgb, 256> colours{};
  std::copy(kPalette.begin(), kPalette.end(), colours.begin());
  std::size_t at = kPalette.size();
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        colours[at++] = {static_cast<std::uint8_t>(51 * r), static_cast<std::uint8_t>(51 * g),
                         static_cast<std::uint8_t>(51 * b)};
  for (int k = 0; at < colours.size(); ++k, ++at) {
    const auto grey = static_cast<std::uint8_t>(8 + 10 * k);
    colours[at] = {grey, grey, grey};
  }
  return colours;
}

int appendBytes(GifFileType* file, const GifByteType* bytes, int count) {
  static_cast<std::string*>(file->UserData)->append(reinterpret_cast<const char*>(bytes),
                                                    static_cast<std::size_t>(count));
  return count;
}

// The smallest rectangle holding every pixel in which two frames differ; one pixel where
// they do not differ at all, since a frame must show something.
struct Box {
  int left, top, width, height;
};
Box changedBox(const std::uint8_t* pixels, int stride, const std::vector<std::uint8_t>& before,
               int width, int height) {
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    const std::uint8_t* old = before.data() + static_cast<std::ptrdiff_t>(y) * width;
    if (std::memcmp(row, old, static_cast<std::size_t>(width)) == 0) continue;
    top = std::min(top, y);
    bottom = y;
    int x = 0;
    while (row[x] == old[x]) ++x;
    left = std::min(left, x);
    x = width - 1;
    while (row[x] == old[x]) --x;
    right = std::max(right, x);
  }
  if (bottom < 0) return {0, 0, 1, 1};
  return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace

const std::array<Rgb, 256>& gifPalette() {
  static const std::array<Rgb, 256> colours = makeGifPalette();
  return colours;
}

// giflib's file and the bytes it has written so far.
struct GifWriter::Encoder {
  std::string bytes;
  GifFileType* file = nullptr;
  bool failed = false;
  ~Encoder() {
    if (file) EGifCloseFile(file, nullptr);
  }
};

namespace {

bool putScreen(GifFileType* file, const GifSettings& s) {
  std::array<GifColorType, 256> colours{};
  std::ranges::transform(gifPalette(), colours.begin(),
                         [](Rgb c) { return GifColorType{c.r, c.g, c.b}; });
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  if (!map) return false;
  EGifSetGifVersion(file, true);
  const bool ok = EGifPutScreenDesc(file, s.width, s.height, 8, 0, map) == GIF_OK;
  GifFreeMapObject(map);
  if (!ok || !s.loopForever) return ok;
  // The application extension that browsers read as "repeat forever" (a count of 0).
  static const GifByteType kNetscape[] = "NETSCAPE2.0";
  GifByteType repeat[3] = {1, 0, 0};
  return EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(file, 11, kNetscape) == GIF_OK &&
         EGifPutExtensionBlock(file, 3, repeat) == GIF_OK &&
         EGifPutExtensionTrailer(file) == GIF_OK;
}

}  // namespace

GifWriter::GifWriter(const GifSettings& settings)
    : settings_(settings), encoder_(std::make_unique<Encoder>()) {
  if (settings.width <= 0 || settings.height <= 0 || settings.width > 65535 ||
      settings.height > 65535) {
    encoder_->failed = true;
    return;
  }
  int error = 0;
  encoder_->file = EGifOpen(&encoder_->bytes, appendBytes, &error);
  encoder_->failed = !encoder_->file || !putScreen(encoder_->file, settings);
  previous_.resize(static_cast<std::size_t>(settings.width) * static_cast<std::size_t>(settings.height));
}

GifWriter::~GifWriter() = default;

bool GifWriter::writeFrame(const std::uint8_t* pixels, int stride, int left, int top, int width,
                           int height) {
  GifFileType* file = encoder_->file;
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;  // the next frame is laid over this one
  control.DelayTime = std::clamp(settings_.delayCentiseconds, 0, 65535);
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK ||
      EGifPutImageDesc(file, left, top, width, height, false, nullptr) != GIF_OK)
    return false;
  std::vector<GifPixelType> line(static_cast<std::size_t>(width));
  for (int y = top; y < top + height; ++y) {
    const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride + left;
    std::copy(row, row + width, line.begin());
    if (EGifPutLine(file, line.data(), width) != GIF_OK) return false;
  }
  return true;
}

bool GifWriter::addFrame(const std::uint8_t* pixels, int stride) {
  if (encoder_->failed) return false;
  const int width = settings_.width, height = settings_.height;
  const Box box = frames_ == 0 ? Box{0, 0, width, height}
                               : changedBox(pixels, stride, previous_, width, height);
  if (!writeFrame(pixels, stride, box.left, box.top, box.width, box.height)) {
    encoder_->failed = true;
    return false;
  }
  for (int y = box.top; y < box.top + box.height; ++y)
    std::memcpy(previous_.data() + static_cast<std::ptrdiff_t>(y) * width,
                pixels + static_cast<std::ptrdiff_t>(y) * stride, static_cast<std::size_t>(width));
  ++frames_;
  return true;
}

std::optional<std::string> GifWriter::finish() {
  if (encoder_->failed || frames_ == 0 || !encoder_->file) return std::nullopt;
  GifFileType* file = std::exchange(encoder_->file, nullptr);
  if (EGifCloseFile(file, nullptr) != GIF_OK) return std::nullopt;
  return std::move(encoder_->bytes);
}

}  // namespace gyrenda
