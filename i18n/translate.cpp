#include "i18n/translate.h"

#include <map>

#include "i18n/language.h"
#include "i18n/pseudo_language.h"
#include "i18n/texts.h"

namespace {

struct Lookup {
    Language language = Language::en;
    bool built = false;
    std::map<uint32_t, std::string> texts;  // by the English text's hash
};

Lookup& TheLookup()
{
    static Lookup lookup;
    return lookup;
}

void Build(Lookup& lookup, Language language)
{
    lookup.texts.clear();
    lookup.language = language;
    lookup.built = true;
    if (language == Language::qps) {
        const EnglishTexts all = AllEnglishTexts();
        for (size_t i = 0; i < all.count; ++i) lookup.texts.emplace(TextHash(all.texts[i]), PseudoText(all.texts[i]));
        return;
    }
    const TextTable table = TextsOf(language);
    for (size_t i = 0; i < table.count; ++i)
        if (table.pairs[i].translated && table.pairs[i].translated[0])
            lookup.texts.emplace(table.pairs[i].english.hash, table.pairs[i].translated);
}

// The current language's texts, built at the first lookup after a change.
const std::map<uint32_t, std::string>& CurrentTexts()
{
    Lookup& lookup = TheLookup();
    if (!lookup.built || lookup.language != CurrentLanguage()) Build(lookup, CurrentLanguage());
    return lookup.texts;
}

}  // namespace

const char* Tr(const char* english)
{
    if (!english || CurrentLanguage() == Language::en) return english;
    const auto& texts = CurrentTexts();
    auto found = texts.find(TextHash(english));
    return found == texts.end() ? english : found->second.c_str();
}

std::string TrCut(uint32_t length, const char* english)
{
    if (!english) return std::string();
    size_t size = 0;
    while ((length == 0 || size < length) && english[size]) ++size;
    std::string key(english, size);
    if (CurrentLanguage() == Language::en) return key;
    const auto& texts = CurrentTexts();
    auto found = texts.find(TextHash(key));
    return found == texts.end() ? key : found->second;
}

std::string FillPlaces(std::string_view format, std::initializer_list<std::string_view> values)
{
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        const bool place = format[i] == '{' && i + 2 < format.size() && format[i + 2] == '}' &&
                           format[i + 1] >= '1' && format[i + 1] <= '9';
        const size_t index = place ? static_cast<size_t>(format[i + 1] - '1') : 0;
        if (place && index < values.size()) {
            out += *(values.begin() + index);
            i += 2;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string TrFormat(const char* englishFormat, std::initializer_list<std::string_view> values)
{
    return FillPlaces(Tr(englishFormat), values);
}
