#include "PictureReader.h"
#include "RtfLexer.h"

#include <utility>

namespace rtf {

void PictureReader::begin()
{
    m_picture = PictureSource();
    m_nibble = -1;
}

void PictureReader::control(Key key, int param)
{
    using Kind = PictureSource::Kind;
    switch (key) {
    case Key::Png:
        m_picture.kind = Kind::Png;
        break;
    case Key::Jpeg:
        m_picture.kind = Kind::Jpeg;
        break;
    case Key::Emf:
        m_picture.kind = Kind::Emf;
        break;
    case Key::Wmf:
        m_picture.kind = Kind::Wmf;
        break;
    case Key::OtherPicture:
        m_picture.kind = Kind::Other;
        break;
    case Key::PictureWidth:
        m_picture.width = param;
        break;
    case Key::PictureHeight:
        m_picture.height = param;
        break;
    case Key::PictureGoalWidth:
        m_picture.goalWidth = param;
        break;
    case Key::PictureGoalHeight:
        m_picture.goalHeight = param;
        break;
    case Key::PictureScaleX:
        m_picture.scaleX = param;
        break;
    case Key::PictureScaleY:
        m_picture.scaleY = param;
        break;
    default:
        break;
    }
}

void PictureReader::hexDigit(char c)
{
    const int value = RtfLexer::hexValue(c);
    if (value < 0)
        return;
    if (m_nibble < 0) {
        m_nibble = value;
    } else {
        m_picture.data += char((m_nibble << 4) | value);
        m_nibble = -1;
    }
}

void PictureReader::binary(QByteArrayView data)
{
    m_picture.data.append(data);
    m_nibble = -1;
}

PictureSource PictureReader::take()
{
    m_nibble = -1;
    return std::exchange(m_picture, PictureSource());
}

} // namespace rtf
