#!/bin/sh
# Renders the program's pictures from their SVG drawings. The PNGs are kept in the
# repository, so this runs only after a drawing has changed.
#
# Needs rsvg-convert (Debian: librsvg2-bin), ImageMagick's convert, and the Noto CJK fonts
# (fonts-noto-cjk) for the Japanese labels of the help figures.
set -eu
cd "$(dirname "$0")"

# The small sizes have drawings of their own, laid on the pixel grid; scaling the large
# drawing down to 16 pixels would leave a blur.
rsvg-convert -w 16 -h 16 icons/gyrenda-16.svg -o icons/gyrenda-16.png
rsvg-convert -w 32 -h 32 icons/gyrenda-32.svg -o icons/gyrenda-32.png
for size in 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" icons/gyrenda.svg -o "icons/gyrenda-$size.png"
done

# The version window's picture keeps the look of a 256-colour bitmap.
rsvg-convert version/background.svg |
  convert - -dither FloydSteinberg -colors 256 -strip PNG8:version/background.png

# The help viewer shows PNG but not SVG.
for figure in fourbar sixbar; do
  rsvg-convert "help/$figure.svg" -o "help/$figure.png"
done
