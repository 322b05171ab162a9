#include "PictureRenderer.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace rtf {

namespace {

constexpr double twipsPerPixel = 15.0; // 1440 twips an inch, 96 pixels an inch
constexpr double hundredthMmPerPixel = 2540.0 / 96.0;
// Frames larger than this many pixels are drawn small and stretched.
constexpr qint64 largestFrame = 512 * 512;
constexpr int mostFrameSizes = 64;

double scaled(double pixels, int percent)
{
    return percent > 0 ? pixels * std::min(percent, 1000) / 100.0 : pixels;
}

double bounded(double pixels)
{
    if (!(pixels >= 1.0)) // also catches NaN
        return 1.0;
    return std::min(pixels, double(PictureRenderer::maxSide));
}

// The size a picture is shown at: the goal size when stated, else the picture's
// own size in its units, else the bitmap's pixels; then its scale.
QSizeF shownSize(const PictureSource &source, QSize pixels)
{
    auto natural = [&](int goal, int stated, int decoded) {
        if (goal > 0)
            return goal / twipsPerPixel;
        if (stated > 0) {
            const bool metafile =
                source.kind == PictureSource::Kind::Emf || source.kind == PictureSource::Kind::Wmf;
            return metafile ? stated / hundredthMmPerPixel : double(stated);
        }
        return double(decoded);
    };
    double width = natural(source.goalWidth, source.width, pixels.width());
    double height = natural(source.goalHeight, source.height, pixels.height());
    if (width <= 0 && height <= 0)
        width = height = 32;
    else if (width <= 0)
        width = height;
    else if (height <= 0)
        height = width;
    return {bounded(scaled(width, source.scaleX)), bounded(scaled(height, source.scaleY))};
}

// The size a decoded picture is kept at: twice its shown size at most (sharp on
// screens of two device pixels a pixel), never larger than it is, and within
// the longest side kept.
QSize keptSize(QSize decoded, QSizeF shown, int longestSide)
{
    double width = std::min(double(decoded.width()), std::ceil(shown.width() * 2));
    double height = std::min(double(decoded.height()), std::ceil(shown.height() * 2));
    const double longer = std::max(width, height);
    if (longer > longestSide) {
        width *= longestSide / longer;
        height *= longestSide / longer;
    }
    return {std::max(1, int(std::lround(width))), std::max(1, int(std::lround(height)))};
}

QByteArray sourceKey(const PictureSource &source)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const int sizes[] = {int(source.kind),  source.width,  source.height, source.goalWidth,
                         source.goalHeight, source.scaleX, source.scaleY};
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(sizes), sizeof(sizes)));
    hash.addData(source.data);
    return hash.result();
}

} // namespace

// Decodes a PNG or JPEG with the reader of the kind the group names, never a
// reader guessed from the bytes, when the budget has room for it at its real
// decoded size; shown is set to the size it is shown at.
QImage PictureRenderer::decode(const PictureSource &source, QSizeF &shown)
{
    shown = shownSize(source, QSize());
    if (source.kind != PictureSource::Kind::Png && source.kind != PictureSource::Kind::Jpeg)
        return {};
    QBuffer buffer;
    buffer.setData(source.data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, source.kind == PictureSource::Kind::Png ? "png" : "jpeg");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead())
        return {};
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    shown = shownSize(source, size);
    const QImage::Format format = reader.imageFormat();
    const int bytesPerPixel = format == QImage::Format_Invalid
                                  ? 8
                                  : std::max(1, QImage::toPixelFormat(format).bitsPerPixel() / 8);
    const QSize kept = keptSize(size, shown, m_budget.limits().keptSide);
    const qint64 keptBytes = qint64(kept.width()) * kept.height() * 4;
    // A JPEG is decoded at a half, a quarter or an eighth of its size when it
    // is kept smaller than that.
    QSize decoded = size;
    if (source.kind == PictureSource::Kind::Jpeg &&
        reader.supportsOption(QImageIOHandler::ScaledSize) && kept != size) {
        const int fraction = std::min(size.width() / kept.width(), size.height() / kept.height());
        const int divisor = fraction >= 8 ? 8 : fraction >= 4 ? 4 : fraction >= 2 ? 2 : 1;
        decoded =
            QSize((size.width() + divisor - 1) / divisor, (size.height() + divisor - 1) / divisor);
        reader.setScaledSize(kept);
    }
    const qint64 decodedBytes = qint64(decoded.width()) * decoded.height() * bytesPerPixel;
    if (!m_budget.takePicture(decodedBytes, keptBytes))
        return {};
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.size() != kept) {
        // Scaling works on premultiplied pixels; converted in place, the
        // picture is not held twice at its decoded size.
        if (image.format() == QImage::Format_ARGB32)
            image.convertTo(QImage::Format_ARGB32_Premultiplied);
        else if (image.format() == QImage::Format_RGBA64)
            image.convertTo(QImage::Format_RGBA64_Premultiplied);
        image = image.scaled(kept, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (image.depth() > 32)
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
    return image;
}

ShownPicture PictureRenderer::frame(QSizeF shown)
{
    QSize size(int(std::lround(shown.width())), int(std::lround(shown.height())));
    // Large frames are drawn small and stretched: the grey stays, the edge widens.
    if (qint64(size.width()) * size.height() > largestFrame)
        size = QSize(64, 64);
    auto found = m_frames.find({size.width(), size.height()});
    if (found == m_frames.end() && (m_frames.size() >= size_t(mostFrameSizes) ||
                                    !m_budget.takeFrame(qint64(size.width()) * size.height()))) {
        size = QSize(64, 64);
        found = m_frames.find({64, 64});
    }
    if (found == m_frames.end()) {
        QImage image(size, QImage::Format_Grayscale8);
        image.fill(0xd8);
        const int last = size.height() - 1;
        for (int y = 0; y <= last; ++y) {
            uchar *line = image.scanLine(y);
            if (y == 0 || y == last) {
                std::fill(line, line + size.width(), uchar(0x80));
            } else {
                line[0] = 0x80;
                line[size.width() - 1] = 0x80;
            }
        }
        ShownPicture made;
        made.image = image;
        made.placeholder = true;
        made.imageId = ++m_images;
        found = m_frames.emplace(std::make_pair(size.width(), size.height()), made).first;
    }
    ShownPicture shownFrame = found->second;
    shownFrame.size = shown;
    return shownFrame;
}

ShownPicture PictureRenderer::render(const PictureSource &source)
{
    const QByteArray key = sourceKey(source);
    if (const auto found = m_pictures.find(key); found != m_pictures.end())
        return found->second;
    QSizeF shown;
    QImage image = decode(source, shown);
    ShownPicture picture;
    if (image.isNull()) {
        picture = frame(shown);
    } else {
        picture.image = std::move(image);
        picture.size = shown;
        picture.imageId = ++m_images;
    }
    m_pictures.emplace(key, picture);
    return picture;
}

} // namespace rtf
