// The language each program takes at its start, from its environment and,
// where there is one, the user's Windows UI language.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/program_language.h"
#include "i18n/language.h"
#include "platform/sim/sim_machine.h"

namespace {

struct StartCase {
    const char* vellmarkLang;  // null: unset
    uint16_t uiLanguage;
    const char* lang;
    LocaleVariables locale;
    Language expected;
};

void Put(const char* name, const char* value)
{
    if (value) setenv(name, value, 1);
    else unsetenv(name);
}

// The variables as the test found them, put back at its end.
struct SavedEnvironment {
    const char* const names[4] = {"VELLMARK_LANG", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::string values[4];
    bool present[4] = {};
    SavedEnvironment()
    {
        for (int i = 0; i < 4; ++i)
            if (const char* value = std::getenv(names[i])) values[i] = value, present[i] = true;
    }
    ~SavedEnvironment()
    {
        for (int i = 0; i < 4; ++i) Put(names[i], present[i] ? values[i].c_str() : nullptr);
        sim::Machine().system.uiLanguage = 0;
        SetLanguage(Language::en);
    }
};

TEST(ProgramLanguage, ChosenAtStartFromTheEnvironmentAndTheUiLanguage)
{
    SavedEnvironment saved;
    const StartCase cases[] = {
        {"ja", 0x0407, "de_DE.UTF-8", LocaleVariables::read, Language::ja},
        {nullptr, 0, "de_DE.UTF-8", LocaleVariables::read, Language::de},
        {nullptr, 0, "de_DE.UTF-8", LocaleVariables::ignored, Language::en},
        {nullptr, 0x0411, "de_DE.UTF-8", LocaleVariables::read, Language::ja},
        {nullptr, 0x040c, nullptr, LocaleVariables::ignored, Language::fr},
        {nullptr, 0, "C", LocaleVariables::read, Language::en},
    };
    for (const StartCase& c : cases) {
        Put("VELLMARK_LANG", c.vellmarkLang);
        Put("LC_ALL", nullptr);
        Put("LC_MESSAGES", nullptr);
        Put("LANG", c.lang);
        sim::Machine().system.uiLanguage = c.uiLanguage;
        ChooseProgramLanguage(c.locale);
        EXPECT_EQ(c.expected, CurrentLanguage()) << (c.lang ? c.lang : "") << " ui " << c.uiLanguage;
    }
}

}  // namespace
