#pragma once

#include "ReadingBudget.h"

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

// How a picture is shown: the image, its size on the page in pixels and the
// number of its image among the document's images (equal pictures, and frames
// of equal size, share one). A metafile (no renderer exists here), a damaged
// bitmap, an unknown kind or a picture past the budget is a grey frame of the
// stated size.
struct ShownPicture
{
    QImage image;
    QSizeF size;
    bool placeholder = false;
    int imageId = 0;
};

class PictureRenderer
{
public:
    // Shown sizes stay within this many pixels a side.
    static constexpr int maxSide = 10000;

    explicit PictureRenderer(ReadingBudget &budget) : m_budget(budget) {}

    ShownPicture render(const PictureSource &source);

private:
    QImage decode(const PictureSource &source, QSizeF &shown);
    ShownPicture frame(QSizeF shown);

    ReadingBudget &m_budget;
    int m_images = 0;
    std::map<QByteArray, ShownPicture> m_pictures; // by the picture's data and sizes
    std::map<std::pair<int, int>, ShownPicture> m_frames;
};

} // namespace rtf
