#include "PictureRenderer.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace rtf {

namespace {

constexpr double twipsPerPixel = 15.0; // 1440 twips an inch, 96 pixels an inch
constexpr double hundredthMmPerPixel = 2540.0 / 96.0;

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

} // namespace

QImage PictureRenderer::decode(const PictureSource &source)
{
    if (source.kind != PictureSource::Kind::Png && source.kind != PictureSource::Kind::Jpeg)
        return {};
    QBuffer buffer;
    buffer.setData(source.data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, source.kind == PictureSource::Kind::Png ? "png" : "jpeg");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (bytes > imageBudget - m_spent)
        return {};
    QImage image = reader.read();
    if (image.isNull())
        return {};
    m_spent += image.sizeInBytes();
    return image;
}

QImage PictureRenderer::frame(QSize size)
{
    // Large frames are drawn small and stretched: the grey stays, the edge widens.
    if (qint64(size.width()) * size.height() > 1024 * 1024)
        size = QSize(64, 64);
    const auto key = std::make_pair(size.width(), size.height());
    auto found = m_frames.find(key);
    if (found != m_frames.end())
        return found->second;
    if (m_frames.size() >= 64 || qint64(size.width()) * size.height() > imageBudget - m_spent)
        size = QSize(64, 64);
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
    m_spent += image.sizeInBytes();
    m_frames.emplace(std::make_pair(size.width(), size.height()), image);
    return image;
}

ShownPicture PictureRenderer::render(const PictureSource &source)
{
    ShownPicture shown;
    shown.image = decode(source);
    const bool bitmap = !shown.image.isNull();

    // Width and height before scaling: the goal size when stated, else the
    // picture's own size in its units, else the decoded bitmap's pixels.
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
    double width = natural(source.goalWidth, source.width, bitmap ? shown.image.width() : 0);
    double height = natural(source.goalHeight, source.height, bitmap ? shown.image.height() : 0);
    if (width <= 0 && height <= 0)
        width = height = 32;
    else if (width <= 0)
        width = height;
    else if (height <= 0)
        height = width;
    shown.size =
        QSizeF(bounded(scaled(width, source.scaleX)), bounded(scaled(height, source.scaleY)));

    if (!bitmap) {
        shown.placeholder = true;
        shown.image = frame(
            QSize(int(std::lround(shown.size.width())), int(std::lround(shown.size.height()))));
    }
    return shown;
}

} // namespace rtf
