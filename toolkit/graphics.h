// Colours, fonts and the graphics contexts that views take their colours
// and fonts from.
#pragma once

#include <cstdint>

typedef uint32_t TColor;  // 0x00BBGGRR

struct TFontRecord {
    const char* face;
    int32_t height;
    bool bold;
};
typedef const TFontRecord* TFont;

struct TGContext {
    TColor separatorColor1;  // upper line of a separator
    TColor separatorColor2;  // lower line
    TFont textFont;          // the normal text font
};

// The font of titles and values.
extern TFont CaptionFont;

// Width in pixels of the first length characters of text (fewer if it
// ends), as shown: in the chosen language.
int32_t GetTextW(TFont font, uint32_t length, const char* text);
