#pragma once

#include "PictureRenderer.h"
#include "RtfKeywords.h"

#include <QByteArrayView>

namespace rtf {

// Reads a picture destination: the kind and sizes its control words state
// and its data, in hex digits or as binary bytes.
class PictureReader
{
public:
    // \pict: a new picture.
    void begin();
    // A control word of Group::Picture.
    void control(Key key, int param);
    // A character of the picture's text: hex digits are its data, two a byte.
    void hexDigit(char c);
    void binary(QByteArrayView data);
    // The picture read, leaving none.
    PictureSource take();

private:
    PictureSource m_picture;
    int m_nibble = -1;
};

} // namespace rtf
