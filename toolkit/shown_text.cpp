#include "toolkit/shown_text.h"

#include "i18n/translate.h"

std::string ShownText(uint32_t length, const char* text)
{
    return TrCut(length, text);
}
