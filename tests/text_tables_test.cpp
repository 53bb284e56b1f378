// The tables of translations: every text of the catalogue in every
// language, no text the catalogue lacks, each translation whole UTF-8 with
// the same places as its English text, and a few written out.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "i18n/texts.h"
#include "i18n/translate.h"

namespace {

const Language translated[] = {Language::de, Language::fr, Language::es, Language::it, Language::ja, Language::zh};

std::vector<std::string> Catalogue()
{
    const EnglishTexts all = AllEnglishTexts();
    return std::vector<std::string>(all.texts, all.texts + all.count);
}

size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 6) return 2;
    if ((lead >> 4) == 14) return 3;
    return (lead >> 3) == 30 ? 4 : 0;
}

// Whole UTF-8 sequences of one to four bytes, none overlong or a surrogate.
bool ValidUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = SequenceLength(lead);
        if (length == 0 || i + length > text.size()) return false;
        uint32_t code = length == 1 ? lead : lead & (0x7f >> length);
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80) return false;
            code = (code << 6) | (next & 0x3f);
        }
        const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return false;
        i += length;
    }
    return true;
}

std::multiset<std::string> Places(const std::string& text)
{
    std::multiset<std::string> places;
    for (size_t i = 0; i + 2 < text.size(); ++i)
        if (text[i] == '{' && text[i + 1] >= '1' && text[i + 1] <= '9' && text[i + 2] == '}')
            places.insert(text.substr(i, 3));
    return places;
}

// The catalogue's text of a table's key; empty when the catalogue has none.
std::string EnglishOf(uint32_t key)
{
    for (const std::string& english : Catalogue())
        if (TextHash(english) == key) return english;
    return std::string();
}

TEST(TextTables, EveryCatalogueTextHasAKeyOfItsOwn)
{
    // FNV-1a of 32 bits, as written out for two texts.
    EXPECT_EQ(TextHash(""), 2166136261u);
    EXPECT_EQ(TextHash("a"), 0xe40c292cu);
    std::set<uint32_t> keys;
    for (const std::string& english : Catalogue())
        EXPECT_TRUE(keys.insert(TextHash(english)).second) << "\"" << english << "\" shares its key";
}

TEST(TextTables, EveryTextHasATranslationInEveryLanguage)
{
    for (Language language : translated) {
        const TextTable table = TextsOf(language);
        for (const std::string& english : Catalogue()) {
            const TextPair* end = table.pairs + table.count;
            const TextPair* found =
                std::find_if(table.pairs, end, [&](const TextPair& p) { return TextHash(english) == p.english.hash; });
            if (found == end || !found->translated || !found->translated[0])
                ADD_FAILURE() << LanguageCode(language) << " has no translation of \"" << english << "\"";
        }
    }
}

TEST(TextTables, NoTableHasAKeyTheCatalogueLacksOrAKeyTwice)
{
    const std::vector<std::string> catalogue = Catalogue();
    const std::set<std::string> known(catalogue.begin(), catalogue.end());
    EXPECT_EQ(known.size(), catalogue.size()) << "the catalogue names a text twice";
    for (Language language : translated) {
        const TextTable table = TextsOf(language);
        std::set<uint32_t> seen;
        for (size_t i = 0; i < table.count; ++i) {
            const uint32_t key = table.pairs[i].english.hash;
            const char* text = table.pairs[i].translated ? table.pairs[i].translated : "";
            EXPECT_FALSE(EnglishOf(key).empty())
                << LanguageCode(language) << " translates \"" << text << "\" from a text the catalogue lacks";
            EXPECT_TRUE(seen.insert(key).second) << LanguageCode(language) << " has \"" << text << "\"'s text twice";
        }
    }
}

TEST(TextTables, TranslationsAreWholeUtf8WithTheirTextsPlaces)
{
    for (Language language : translated) {
        const TextTable table = TextsOf(language);
        for (size_t i = 0; i < table.count; ++i) {
            const TextPair& pair = table.pairs[i];
            const std::string text = pair.translated ? pair.translated : "";
            const std::string english = EnglishOf(pair.english.hash);
            EXPECT_TRUE(ValidUtf8(text)) << LanguageCode(language) << " \"" << english << "\"";
            EXPECT_EQ(Places(text), Places(english)) << LanguageCode(language) << " \"" << text << "\"";
        }
    }
}

TEST(TextTables, EnglishShowsEveryTextAsItIs)
{
    SetLanguage(Language::en);
    EXPECT_EQ(TextsOf(Language::en).count, 0u);
    for (const std::string& english : Catalogue()) EXPECT_EQ(Tr(english.c_str()), english);
    const std::vector<std::string> catalogue = Catalogue();
    const std::set<std::string> known(catalogue.begin(), catalogue.end());
    for (const char* kept : {"Application requires administrative priviledges", "Next ->",
                             "Connect camera and click [Scan camera] button",
                             "unplugged from power and plugged again."})
        EXPECT_TRUE(known.count(kept)) << kept;
}

struct Written {
    Language language;
    const char* english;
    const char* expected;
};

const Written writtenOut[] = {
    {Language::de, "Next ->", "Weiter ->"},
    {Language::de, "Step 1:", "Schritt 1:"},
    {Language::de, "Finish", "Fertig"},
    {Language::de, "Scan camera", "Kamera suchen"},
    {Language::fr, "Next ->", "Suivant ->"},
    {Language::fr, "Step 1:", "Étape 1 :"},
    {Language::es, "Next ->", "Siguiente ->"},
    {Language::es, "Camera type:", "Tipo de cámara:"},
    {Language::it, "Next ->", "Avanti ->"},
    {Language::it, "Finish", "Fine"},
    {Language::ja, "Next ->", "次へ ->"},
    {Language::ja, "Step 1:", "ステップ 1："},
    {Language::zh, "Next ->", "下一步 ->"},
    {Language::zh, "Step 1:", "步骤 1："},
};

TEST(TextTables, WrittenOutTranslations)
{
    for (const Written& w : writtenOut) {
        SetLanguage(w.language);
        EXPECT_STREQ(Tr(w.english), w.expected) << LanguageCode(w.language);
    }
    SetLanguage(Language::de);
    EXPECT_EQ(TrFormat("Enlarge to {1}", {"46 x 14"}), "Auf 46 x 14 vergrößern");
    SetLanguage(Language::en);
}

// The steps name the scan button by its label: the same label in brackets.
TEST(TextTables, StepLinesNameTheScanButtonAsItIsLabelled)
{
    for (Language language : translated) {
        SetLanguage(language);
        const std::string button = std::string("[") + Tr("Scan camera") + "]";
        EXPECT_NE(std::string(Tr("Connect camera and click [Scan camera] button")).find(button), std::string::npos)
            << LanguageCode(language) << " " << button;
        EXPECT_NE(std::string(Tr("Connect camera again and click [Scan camera]")).find(button), std::string::npos)
            << LanguageCode(language) << " " << button;
    }
    SetLanguage(Language::en);
}

}  // namespace
