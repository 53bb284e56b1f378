// German: the program's texts, each after the English text it stands for.
#include <iterator>

#include "i18n/texts.h"

namespace {

const TextPair pairs[] = {
    {"Next ->", "Next ->"},
};

}  // namespace

TextTable GermanTexts()
{
    return {pairs, std::size(pairs)};
}
