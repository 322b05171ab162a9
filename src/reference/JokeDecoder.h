#pragma once

#include <QString>

// Turns a stored joke into readable text through the external decoder
// library: the stored text goes in as zero-terminated bytes, the GBK result is
// copied at once and decoded. A value the decoder refuses gives "".
class JokeDecoder
{
public:
    static QString decode(const QString &stored);
};
