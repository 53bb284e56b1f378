// Which language the program speaks, from VELLMARK_LANG, the Windows UI
// language and the locale variables, in that order.
#include <gtest/gtest.h>

#include "i18n/language.h"
#include "i18n/translate.h"

namespace {

struct ChoiceCase {
    const char* name;
    LanguageSources sources;
    Language expected;
};

const ChoiceCase choiceCases[] = {
    {"nothing set", {}, Language::en},
    {"VELLMARK_LANG de", {"de", 0, nullptr, nullptr, nullptr}, Language::de},
    {"VELLMARK_LANG ja over a French UI", {"ja", 0x040c, nullptr, nullptr, nullptr}, Language::ja},
    {"VELLMARK_LANG zh over LANG de", {"zh", 0, nullptr, nullptr, "de_DE.UTF-8"}, Language::zh},
    {"VELLMARK_LANG unknown is English", {"pt", 0x0407, nullptr, nullptr, "de_DE.UTF-8"}, Language::en},
    {"VELLMARK_LANG empty is absent", {"", 0, nullptr, nullptr, "fr_FR.UTF-8"}, Language::fr},
    {"VELLMARK_LANG qps", {"qps", 0, nullptr, nullptr, nullptr}, Language::qps},
    {"German UI (de-DE)", {nullptr, 0x0407, nullptr, nullptr, nullptr}, Language::de},
    {"Swiss German UI (de-CH)", {nullptr, 0x0807, nullptr, nullptr, nullptr}, Language::de},
    {"French UI", {nullptr, 0x040c, nullptr, nullptr, nullptr}, Language::fr},
    {"Spanish UI (es-ES modern)", {nullptr, 0x0c0a, nullptr, nullptr, nullptr}, Language::es},
    {"Italian UI", {nullptr, 0x0410, nullptr, nullptr, nullptr}, Language::it},
    {"Japanese UI", {nullptr, 0x0411, nullptr, nullptr, nullptr}, Language::ja},
    {"Chinese UI (zh-CN)", {nullptr, 0x0804, nullptr, nullptr, nullptr}, Language::zh},
    {"Russian UI is English", {nullptr, 0x0419, nullptr, nullptr, "de_DE.UTF-8"}, Language::en},
    {"LC_ALL before LANG", {nullptr, 0, "it_IT.UTF-8", nullptr, "de_DE.UTF-8"}, Language::it},
    {"LC_MESSAGES before LANG", {nullptr, 0, "", "es_ES", "de_DE.UTF-8"}, Language::es},
    {"LANG de_DE.UTF-8", {nullptr, 0, nullptr, nullptr, "de_DE.UTF-8"}, Language::de},
    {"LANG ja_JP.eucJP", {nullptr, 0, nullptr, nullptr, "ja_JP.eucJP"}, Language::ja},
    {"LANG fr@euro", {nullptr, 0, nullptr, nullptr, "fr@euro"}, Language::fr},
    {"LANG C", {nullptr, 0, nullptr, nullptr, "C"}, Language::en},
    {"LC_ALL POSIX over LANG de", {nullptr, 0, "POSIX", nullptr, "de_DE.UTF-8"}, Language::en},
    {"LANG C.UTF-8", {nullptr, 0, nullptr, nullptr, "C.UTF-8"}, Language::en},
    {"LANG pt_BR", {nullptr, 0, nullptr, nullptr, "pt_BR.UTF-8"}, Language::en},
    {"LANG dee is not German", {nullptr, 0, nullptr, nullptr, "dee_XX"}, Language::en},
};

TEST(LanguageChoice, FromEachSourceInOrder)
{
    for (const ChoiceCase& c : choiceCases)
        EXPECT_EQ(ChooseLanguage(c.sources), c.expected) << c.name;
}

struct LanguageRestorer {
    ~LanguageRestorer() { SetLanguage(Language::en); }
};

TEST(LanguageChoice, PseudoLanguageWrapsLengthensAndKeepsPlaces)
{
    LanguageRestorer restore;
    SetLanguage(Language::qps);
    EXPECT_STREQ(Tr("Next ->"), "[!! Ñéxţ -> !!]");
    EXPECT_STREQ(Tr("no such text"), "no such text");
    SetLanguage(Language::en);
    EXPECT_EQ(TrFormat("Next ->{1}", {"x"}), "Next ->x");
    EXPECT_EQ(TrCut(4, "Next ->"), "Next");
}

}  // namespace
