#pragma once

// The colours that core code hands to the windows as data (styled text spans,
// the question strip, the multiple-choice feedback), as 0xRRGGBB. They are the
// classic sixteen-colour palette the windows were drawn with; the windows'
// theme names them by meaning and takes its values from here, so that a colour
// has one definition.
namespace rgb {

inline constexpr unsigned kBlack = 0x000000;
inline constexpr unsigned kWhite = 0xFFFFFF;
inline constexpr unsigned kRed = 0xFF0000;     // correct answers, verdicts, scores
inline constexpr unsigned kGreen = 0x008000;   // the user's answers, right in the strip
inline constexpr unsigned kGrey = 0x808080;    // separators, questions not yet judged
inline constexpr unsigned kSilver = 0xC0C0C0;  // typed answers in the strip (no verdict)
inline constexpr unsigned kMaroon = 0x800000;  // the chosen set of the chapter page
inline constexpr unsigned kNavy = 0x000080;    // bank and chapter line, raw score
inline constexpr unsigned kPurple = 0x800080;  // the restore link of the chapter page
inline constexpr unsigned kFuchsia = 0xFF00FF; // the known-question figure
inline constexpr unsigned kYellow = 0xFFFF00;  // the chapter link under the pointer
inline constexpr unsigned kBlue = 0x0000FF;    // questions not yet answered in the paper view

} // namespace rgb
