#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <map>
#include <utility>

namespace rtf {

// One picture as a document states it: its kind, sizes and data bytes.
struct PictureSource
{
    enum class Kind
    {
        Unknown,
        Png,
        Jpeg,
        Emf,
        Wmf,
        Other
    };
    Kind kind = Kind::Unknown;
    int width = 0;      // \picw: pixels for bitmaps, hundredths of a millimetre for metafiles
    int height = 0;     // \pich
    int goalWidth = 0;  // \picwgoal, twips
    int goalHeight = 0; // \pichgoal, twips
    int scaleX = 100;   // \picscalex, percent
    int scaleY = 100;   // \picscaley, percent
    QByteArray data;
};

// How a picture is shown: the image and its size on the page in pixels. A
// metafile (no renderer exists here), a damaged bitmap or an unknown kind is a
// grey frame of the stated size.
struct ShownPicture
{
    QImage image;
    QSizeF size;
    bool placeholder = false;
};

class PictureRenderer
{
public:
    // Shown sizes stay within this many pixels a side.
    static constexpr int maxSide = 10000;
    // Decoded pictures of one document share this many bytes; beyond it pictures
    // show as frames.
    static constexpr qint64 imageBudget = qint64(256) * 1024 * 1024;

    ShownPicture render(const PictureSource &source);

private:
    QImage decode(const PictureSource &source);
    QImage frame(QSize size);

    qint64 m_spent = 0;
    std::map<std::pair<int, int>, QImage> m_frames;
};

} // namespace rtf
