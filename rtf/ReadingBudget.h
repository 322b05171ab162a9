#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

namespace rtf {

// The constructs whose number or size a document cannot raise without bound.
enum class Construct
{
    Pictures,    // pictures placed in the text
    PictureData, // picture bytes as decoded, and as kept at their shown size
    Colours,     // colour-table entries
    Fonts,       // font-table entries
    Formats,     // distinct character and paragraph formats
    Paragraphs,  // paragraphs and line breaks
    TableCells   // cells of all tables together
};
inline constexpr int kConstructCount = 7;

// What one document may hold. The defaults keep any input of up to 50 MB within
// a few seconds and a few hundred MB while leaving real regulation documents
// whole; tests pass small ones.
struct Limits
{
    int pictures = 1000;
    // All pictures of a document decoded, at their real size (a 16-bit PNG
    // takes 8 bytes a pixel): bounds the time spent decoding.
    qint64 pictureBytes = qint64(256) << 20;
    // One picture decoded: bounds the memory a single decoding takes.
    qint64 largestPicture = qint64(100) << 20;
    // The pictures as the document keeps them, scaled to their shown size.
    qint64 keptPictureBytes = qint64(64) << 20;
    // A kept picture's longer side, in pixels; it is drawn at its shown size.
    int keptSide = 2048;
    int colours = 1000;
    int fonts = 1000;
    int formats = 5000;
    // Changes of format along the text, each a run of its own in the document.
    int formatChanges = 200000;
    int paragraphs = 50000;
    int tableCells = 20000;
};

// What a reading made of each construct and which ones it cut short.
struct Tally
{
    std::array<qint64, kConstructCount> used{};
    qint64 keptPictureBytes = 0;
    qint64 formatChanges = 0;
    std::array<bool, kConstructCount> cut{};

    qint64 of(Construct c) const { return used[size_t(c)]; }
    bool wasCut(Construct c) const { return cut[size_t(c)]; }
};

// The one place the readers of a document ask before they add a construct.
// Past a limit the construct is no longer added; the document says so once,
// in one line where the first one was left out.
class ReadingBudget
{
public:
    explicit ReadingBudget(const Limits &limits = Limits()) : m_limits(limits) {}

    const Limits &limits() const { return m_limits; }
    const Tally &tally() const { return m_tally; }

    // Takes `amount` more of a counted construct (not PictureData); false,
    // marking the construct as cut, when that would pass its limit.
    bool take(Construct c, qint64 amount = 1);
    // Gives back what was taken and then not used (spare table rows).
    void giveBack(Construct c, qint64 amount);
    // How much of a counted construct may still be taken.
    qint64 remaining(Construct c) const;
    // Marks a construct as cut without taking anything.
    void refuse(Construct c);

    // One picture: decodedBytes while it is decoded, keptBytes once scaled
    // to its shown size. False, marking PictureData as cut, past any of the
    // three picture limits; the picture then shows as a frame.
    bool takePicture(qint64 decodedBytes, qint64 keptBytes);
    // One change of format along the text; false past the limit, marking
    // Formats as cut.
    bool takeFormatChange();
    // A frame kept for pictures that are not decoded; false past the kept bytes.
    bool takeFrame(qint64 keptBytes);

    // The cuts the document has not told yet, in the order they happened;
    // each is handed out once.
    std::vector<Construct> untold();

    // The line the document shows where a construct was first left out.
    static QString notice(Construct c);

private:
    qint64 limit(Construct c) const;

    Limits m_limits;
    Tally m_tally;
    std::vector<Construct> m_untold;
};

} // namespace rtf
