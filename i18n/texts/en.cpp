// Every English text the program shows or prints for a person: the key of
// every language's table. A text here with no translation in a language is
// shown in English there, and fails the tables' test.
#include <iterator>

#include "i18n/texts.h"

namespace {

const char* const texts[] = {
    "Next ->",
};

}  // namespace

EnglishTexts AllEnglishTexts()
{
    return {texts, std::size(texts)};
}
