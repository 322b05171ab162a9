#pragma once

#include <string_view>

namespace rtf {

// The control words the reader knows, by what they do.
enum class Key
{
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    FontTable,
    ColorTable,
    SkippedDestination,
    Picture,
    ShapePicture,
    FallbackPicture,
    UnicodeAlternatives,
    UnicodeText,
    Shape,
    ShapeInstructions,
    ShapeText,
    ShapeResult,
    DrawingObject,
    DrawingText,
    Charset,
    FontCodePage,
    FamilyClass,
    Red,
    Green,
    Blue,
    Font,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Foreground,
    Background,
    Superscript,
    Subscript,
    NoSuperSub,
    Hidden,
    Plain,
    EastFont,
    EastFontSize,
    EastBold,
    EastItalic,
    LowChars,
    HighChars,
    DoubleChars,
    RightToLeft,
    LeftToRight,
    Unicode,
    UnicodeSkip,
    Character,
    Tab,
    Line,
    NestedCell,
    NestedRow,
    Par,
    Page,
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    InTable,
    TableLevel,
    RowDefaults,
    CellBoundary,
    Cell,
    Row,
    RowLeft,
    RowGap,
    RowAlignLeft,
    RowAlignCenter,
    RowAlignRight,
    Png,
    Jpeg,
    Emf,
    Wmf,
    OtherPicture,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY
};

// Which part of the reader a control word is for.
enum class Group
{
    Document,    // the document's code page and default font
    Destination, // words that start or end a destination
    FontTable,   // a font's properties in the font table
    ColorTable,  // a colour's parts in the colour table
    Character,   // character properties
    Text,        // words that stand for text
    Paragraph,   // paragraph properties and marks
    Table,       // row definitions, cells and rows
    Picture      // a picture's kind and sizes
};

struct Keyword
{
    Key key;
    Group group;
    char16_t character = 0; // the character a Key::Character word stands for
};

// The control word of that name, or nullptr for one the reader does not know.
const Keyword *findKeyword(std::string_view word);

} // namespace rtf
