// The language a program speaks, chosen once at its start.
#pragma once

// Whether the locale variables (LC_ALL, LC_MESSAGES, LANG) speak for the
// user: in the terminal and console programs they do; the window goes by
// the user's Windows UI language alone.
enum class LocaleVariables { read, ignored };

// Sets the language from VELLMARK_LANG, else the user's Windows UI language,
// else the locale variables when they are read; English otherwise.
void ChooseProgramLanguage(LocaleVariables locale);
